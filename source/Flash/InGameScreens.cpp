#include "source/Flash/InGameScreens.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/OrbLib.h"
#include "source/Flash/KudosScreens.h"
#include "source/Flash/PauseFlash.h"
#include "source/LevelMgr.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

CPauseFlash s_Pause;
CKudosScreens s_Kudos;
// The pause of the hooks before ours, for a level without the pause movie.
void (*s_PlainPauseOpen)() = nullptr;
s32 (*s_PlainPauseUpdate)() = nullptr;

constexpr s32 kStillPaused = 0;
constexpr s32 kResumed = 1;
constexpr s32 kQuit = 2;

void LevelLoaded() {
    if (s_Pause.m_iScreen == -1 && s_Pause.Load() == 0)
        DEBUG_PRINT("InGameScreens: no pause menu: the pause button only pauses\n");
}

void LevelFreed() {
    s_Pause.Kill();
    s_Kudos.Kill();
}

void PauseOpen() {
    // A level started without the front end loads the menu at its first pause, so
    // that the game plays as it always has until then.
    if (s_Pause.m_iScreen == -1 && s_Pause.Load() == 0)
        s_PlainPauseOpen();
    else
        s_Pause.Pause(1);
}

s32 PauseUpdate() {
    if (s_Pause.m_iScreen == -1)
        return s_PlainPauseUpdate();
    if (s_Pause.PopUp() != 0) {
        if (g_GenPopupFlow.run() == 0)
            return kStillPaused;
        const bool quit = g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT;
        g_ScreenTracker.ResetScreenNav();
        s_Pause.m_Quit_popup = 0;
        if (!quit)
            return kStillPaused;
        s_Pause.Pause(0);
        return kQuit;
    }
    if (LevelPausePressed())
        s_Pause.Pause(0);  // pause closes what it opened
    return GamePaused() ? kStillPaused : kResumed;
}

void KudosShow(e_Kudos kind) {
    switch (kind) {
        case KUDOS_TURKEY:
            s_Kudos.LoadRandomTurkeyScreen();
            break;
        case KUDOS_STRIKE:
            s_Kudos.LoadRandomStrikeScreen();
            break;
        case KUDOS_GUTTER:
            s_Kudos.LoadRandomGutterScreen();
            break;
        case KUDOS_SPLIT:
            s_Kudos.LoadRandomSplitScreen();
            break;
        case KUDOS_SPARE:
            s_Kudos.LoadRandomSpareScreen();
            break;
        case KUDOS_SIXPACK:
            s_Kudos.LoadRandom6PackScreen();
            break;
        case KUDOS_NONE:
            return;
    }
    s_Kudos.Open();
}

s32 KudosActive() {
    return SFP2KIsScreenActive(s_Kudos.m_iScreen);
}

void KudosKill() {
    s_Kudos.Kill();
}

}  // namespace

void InGameScreensInstallPause() {
    s_InGameScreenHooks& hooks = g_InGameScreens;
    if (hooks.PauseOpen != PauseOpen) {
        s_PlainPauseOpen = hooks.PauseOpen;
        s_PlainPauseUpdate = hooks.PauseUpdate;
    }
    hooks.LevelFreed = LevelFreed;
    hooks.PauseOpen = PauseOpen;
    hooks.PauseUpdate = PauseUpdate;
}

void InGameScreensInstall() {
    InGameScreensInstallPause();
    s_InGameScreenHooks& hooks = g_InGameScreens;
    hooks.LevelLoaded = LevelLoaded;
    hooks.KudosShow = KudosShow;
    hooks.KudosActive = KudosActive;
    hooks.KudosKill = KudosKill;
}

void InGameScreensForget() {
    s_Pause.m_iScreen = -1;
    s_Kudos.m_iScreen = -1;
}
