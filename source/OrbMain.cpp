#include "source/OrbMain.h"

#include <cstdlib>

#include "console/vi.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/PlayerConstruction.h"
#include "source/DevEntries.h"
#include "source/GameReset.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/MenuMusic.h"
#include "source/SFP2K.h"
#include "source/Sandbox.h"

u32 g_FrameLimit = 0;
s32 g_LauncherEntry = -1;
s_wad* SystemTextWad = nullptr;
s_wad* MenuSFXWad = nullptr;
s_wad* PreloadGlobal = nullptr;

SFP_FONT_LOOKUP_t SFP2KFonts[SFP2K_NUM_FONTS] = {
    {"DORVACOND15", "SFPFONT", "DORVACOND15", nullptr, nullptr, 0},
    {"DORVAHEL15", "SFPFONT", "DORVAHEL15", nullptr, nullptr, 0},
    {"DORVAREG15", "SFPFONT", "DORVAREG15", nullptr, nullptr, 0},
    {"DORVAEURO15", "SFPFONT", "DORVAEURO15", nullptr, nullptr, 0},
    {"DORVACOND18", "SFPFONT", "DORVACOND18", nullptr, nullptr, 0},
    {"DORVAREG18", "SFPFONT", "DORVAREG18", nullptr, nullptr, 0},
    {"DORVAEURO18", "SFPFONT", "DORVAEURO18", nullptr, nullptr, 0},
    {"DORVAHEL18", "SFPFONT", "DORVAHEL18", nullptr, nullptr, 0},
    {"DORVAEURO19", "SFPFONT", "DORVAEURO19", nullptr, nullptr, 0},
    {"DORVACOND20", "SFPFONT", "DORVACOND20", nullptr, nullptr, 0},
    {"DORVAHEL20", "SFPFONT", "DORVAHEL20", nullptr, nullptr, 0},
    {"DORVAREG20", "SFPFONT", "DORVAREG20", nullptr, nullptr, 0},
    {"ARIAL", "SFPFONT", "DORVAHEL", nullptr, nullptr, 0},
    {"ARIAL10", "SFPFONT", "ARIAL10", nullptr, nullptr, 0},
    {"EUROSTILETHEA", "SFPFONT", "DORVACOND", nullptr, nullptr, 0},
    {"EUROSTILETMED", "SFPFONT", "DORVAREG", nullptr, nullptr, 0},
    {"HELVETICANEUE MEDIUMCOND", "SFPFONT", "DORVAHEL", nullptr, nullptr, 0},
    {"EUROSTAR BLACK EXTENDED", "SFPFONT", "DORVAEURO", nullptr, nullptr, 0},
    {"EASDISPLAY", "SFPFONT", "DORVAHEL", nullptr, nullptr, 0},
    {"AGENCY FB", "SFPFONT", "DORVAHEL", nullptr, nullptr, 0},
    {"TAHOMA", "SFPFONT", "UITITLEFONT", nullptr, nullptr, 0},
};

bool OrbMainFrameLimitReached() {
    return g_FrameLimit != 0 && VIGetRetraceCount() >= g_FrameLimit;
}

void OrbMainStartup() {
    InstanceSetGameColdReset(GameEngineColdReset);
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);

    OrbSRand(ClockGetTime());
    OrbRandSetList(0);
    std::srand(ClockGetTime());

    s_orblib_config config;
    OrblibDefaultConfig(&config);
    config.maxhandle = 8192;
    config.maxchannel = 2048;
    config.maxthread = 200;
    OrblibWarmReset(GAME_VIDEO_MODE, &config);
    GameColdReset();
    GameWarmReset();
    ContEnabledPointer(0, 0);
    MemCardWarmReset();
    SFP2KInit(SFP2KFonts, SFP2K_NUM_FONTS);
    SFP2KSetFlashFileRootPath("640");

    FileChangeDirectory(GAME_DATABASE_FOLDER);
    BowlingDbLoad();
    FileChangeDirectory(GAME_DATA_FOLDER);
    SystemTextWad = WadLoad(GAME_SYSTEM_TEXT_WAD, 4);
    MenuSFXWad = WadLoad(GAME_MENU_SOUND_WAD, 0);
    SfxSetSfxVolume(1.0f);
    g_GameSettings.SetDefault();
    PreloadGlobal = WadLoad(GAME_PRELOAD_WAD, 4);
    PlayerPartsLoad();
    FileSetErrorCallback(HardwareDisplayFileErrorMessage);

    // The career's managers live for the whole run.
    CareerManagersCreate();
    CCareerCharacter::CreateInstance();

    // Until the front end exists the game starts straight into a game.
    if (g_LauncherEntry < 0) {
        g_GameSettings.m_Current.iNumPlayers = g_LevelLaunchOptions.players;
        Sandbox::SetSeed(g_LevelLaunchOptions.seed);
        LevelLaunchStart(g_LevelLaunchOptions.level);
    }
    HeapPrintAvail("MainLoop");
}

void OrbMainFrame() {
    HardwareCheckFileError();
    MenuMusicUpdate();
    LevelLaunchUpdate();
    EventWait(1);
}

void OrbMainShutdown() {
    LevelLaunchStop();
    SFP2KKill();

    PlayerPartsFree();
    CCareerCharacter::DestroyInstance();
    OrblibExit();
}

s32 OrbMain() {
    OrbMainStartup();
    if (g_LauncherEntry == DEV_ENTRY_THIRD_STATE_TESTING)
        FlashThirdStateTesting();
    while (g_LauncherEntry < 0 && !OrbMainFrameLimitReached() && g_LaunchState != LAUNCH_FAILED)
        OrbMainFrame();
    const s32 status = g_LaunchState == LAUNCH_FAILED ? ORB_MAIN_LEVEL_FAILED : 0;
    OrbMainShutdown();
    return status;
}
