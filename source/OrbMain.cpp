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
#include "source/GameReset.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/MenuMusic.h"
#include "source/Sandbox.h"

u32 g_FrameLimit = 0;
s_wad* SystemTextWad = nullptr;
s_wad* MenuSFXWad = nullptr;
s_wad* PreloadGlobal = nullptr;

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
    g_GameSettings.m_Current.iNumPlayers = g_LevelLaunchOptions.players;
    Sandbox::SetSeed(g_LevelLaunchOptions.seed);
    LevelLaunchStart(g_LevelLaunchOptions.level);
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

    PlayerPartsFree();
    CCareerCharacter::DestroyInstance();
    OrblibExit();
}

s32 OrbMain() {
    OrbMainStartup();
    while ((g_FrameLimit == 0 || VIGetRetraceCount() < g_FrameLimit) && g_LaunchState != LAUNCH_FAILED)
        OrbMainFrame();
    const s32 status = g_LaunchState == LAUNCH_FAILED ? ORB_MAIN_LEVEL_FAILED : 0;
    OrbMainShutdown();
    return status;
}
