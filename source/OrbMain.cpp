#include "source/OrbMain.h"

#include <cstdlib>

#include "console/os.h"
#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/Mouse.h"
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
#include "source/Career/PlayerConstruction.h"
#include "source/ControllerMessage.h"
#include "source/Dev/DevEntries.h"
#include "source/Dev/GameEdit.h"
#include "source/Dev/Launcher.h"
#include "source/Flash/FlashSound.h"
#include "source/GameReset.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/CareerMainMenuFlow.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/MainFlow.h"
#include "source/StateMgrs/MainMenuFlow.h"
#include "source/StateMgrs/ProshopFlow.h"
#include "source/Wii_HomeButton.h"

u32 g_FrameLimit = 0;
s32 g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
u8 g_ExitToOs = 0;
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

namespace {

// Start-up cannot go on without the front end's strings: every screen looks them
// up. A disc that lost the archive since the disc check stops here, with its name.
s_wad* LoadRequiredWad(const char* name, u32 flags) {
    s_wad* wad = WadLoad(name, flags);
    if (wad == nullptr)
        ORB_FAIL("OrbMain: the disc has no %s archive", name);
    return wad;
}

// The game's part of the shut-down, while the engine that holds it is up.
void FreeGame() {
    LevelLaunchStop();
    g_MainFlow.FreeScreens();
    g_GenPopupFlow.FreePopup();
    g_LoadSaveFlow.FreePopup();
    g_MainMenuFlow.FreeScreens();
    g_CareerMainMenuFlow.FreeScreens();
    CacFlowFreeScreens();
    g_ProshopFlow.FreeScreens();
    SFP2KKill();
    PlayerPartsFree();
    CCareerCharacter::DestroyInstance();
    // The tables live in the heap the host frees after this; a later start must
    // not find them.
    BowlingDbForget();
}

}  // namespace

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
    MouseDisable();
    ContEnabledPointer(0, 0);
    MemCardWarmReset();
    SFP2KInit(SFP2KFonts, SFP2K_NUM_FONTS);
    SFP2KSetFlashFileRootPath(GAME_MOVIE_FOLDER);

    FileChangeDirectory(GAME_DATABASE_FOLDER);
    BowlingDbLoad();
    FileChangeDirectory(GAME_DATA_FOLDER);
    SystemTextWad = LoadRequiredWad(GAME_SYSTEM_TEXT_WAD, 4);
    MenuSFXWad = FlashSoundLoadBank(GAME_MENU_SOUND_WAD);
    SfxSetSfxVolume(1.0f);
    g_GameSettings.SetDefault();
    PreloadGlobal = WadLoad(GAME_PRELOAD_WAD, 4);
    FileSetErrorCallback(HardwareDisplayFileErrorMessage);
    HomeButtonStartup();
    HomeButtonEnable(0);
    OrblibSetGameExit(FreeGame);
}

void OrbMainShutdown() {
    OrblibExit();
}

s32 DorvantonProBowlingShell() {
    GameEditStartup();
    DrawSetClearColor(0x000000FF);
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    while (!OrbMainFrameLimitReached()) {
        if (g_MainFlow.run() != 0)
            break;
        if (g_ExitToOs != 0) {
            for (s32 i = 0; i < 2; ++i) {
                VISetBlack(1);
                VIFlush();
                VIWaitForRetrace();
            }
            OSReturnToMenu();
        }
        ControllerMessageCheck();
        EventWait(1);
    }
    GameEditShutdown();
    return 0;
}

s32 MainExit() {
    OrblibExit();
    std::exit(0);
}

s32 OrbMain() {
    OrbMainStartup();
    if (g_LauncherEntry == DEV_ENTRY_LAUNCHER) {
        LauncherLoop();
    } else {
        HeapPrintAvail("MainLoop");
        if (g_LauncherEntry == DEV_ENTRY_LEVEL_LAUNCH)
            LevelLaunchMain();
        else
            LauncherRunEntry(g_LauncherEntry);
    }
    const bool failed = g_LauncherEntry == DEV_ENTRY_LEVEL_LAUNCH && g_LaunchState == LAUNCH_FAILED;
    const s32 status = failed ? ORB_MAIN_LEVEL_FAILED : 0;
    OrbMainShutdown();
    return status;
}
