// The launcher's level entries: the level list of the developers and the command
// line's straight start into a game. Both play through the level launcher.
#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "source/Dev/DevEntries.h"
#include "source/Dev/Launcher.h"
#include "source/Flash/InGameScreens.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Levels/LevelLauncher.h"
#include "source/Levels/Sandbox.h"
#include "source/OrbMain.h"
#include "source/StateMgrs/MainFlow.h"

namespace {

// What the levels share, loaded for as long as the list is up.
constexpr const char* kArchives[] = {ALLEY_NPC_WAD, ALLEY_SFX_WAD, ALLEY_GLOBAL_WAD};
constexpr s32 kNumArchives = s32(sizeof(kArchives) / sizeof(kArchives[0]));
constexpr u32 kBlack = 0x000000FF;

bool LevelUnderWay() {
    return g_LaunchState == LAUNCH_LOADING || g_LaunchState == LAUNCH_PLAYING;
}

// Loads the level and plays it until the game is over. A level whose archive does
// not load ends the wait for it rather than being waited for forever. The list
// left the screen faded out: the level fades in as it comes.
void PlayLevel(s32 level) {
    MouseDisable();
    ContEnabledPointer(0, 0);
    InGameScreensInstallPause();
    LevelLaunchStart(level);
    DrawFade(FADE_IN, kBlack, 1.0f);
    while (LevelUnderWay() && !OrbMainFrameLimitReached())
        LevelLaunchFrame();
    LevelLaunchStop();
}

}  // namespace

s32 LevelManagerMain() {
    s_wad* archives[kNumArchives];
    for (s32 i = 0; i < kNumArchives; ++i)
        archives[i] = WadLoad(kArchives[i], 0);
    const s32 iNumLevels = LEVEL_MAX;
    ORB_ASSERT(iNumLevels >= LevelMgrLevelCount,
               "LevelManagerMain: Insufficient space preallocated for level debugging information.\n");
    const char* names[LEVEL_MAX];
    for (s32 i = 0; i < LevelMgrLevelCount; ++i)
        names[i] = LevelMgrLevelList[i].name;
    DrawFade(FADE_IN, kBlack, 0.5f);
    DrawWaitFade();
    // The list shares the launcher's remembered selection: a level's row left there
    // would have the launcher offer, and launch, an entry it does not have.
    const s32 launcherSelection = DebugSelection;
    const s32 chosen = LauncherDebugMenu(0, names, LevelMgrLevelCount, "Level Manager Menu");
    DebugSelection = launcherSelection;
    if (chosen != -1)
        PlayLevel(chosen);
    for (s_wad* archive : archives)
        WadFree(archive);
    return 0;
}

void LevelLaunchBegin() {
    MainFlowOneTimeCreate();
    g_GameSettings.m_Current.iNumPlayers = g_LevelLaunchOptions.players;
    Sandbox::SetSeed(g_LevelLaunchOptions.seed);
    InGameScreensInstallPause();  // a paused game shows the pause menu
    LevelLaunchStart(g_LevelLaunchOptions.level);
}

void LevelLaunchFrame() {
    HardwareCheckFileError();
    LevelLaunchUpdate();
    EventWait(1);
}

s32 LevelLaunchMain() {
    LevelLaunchBegin();
    while (!OrbMainFrameLimitReached() && g_LaunchState != LAUNCH_FAILED)
        LevelLaunchFrame();
    LevelLaunchStop();
    return 0;
}
