#include "source/StateMgrs/MainMenuFlow.h"

#include "source/Levels/LevelLauncher.h"
#include "source/StateMgrs/ScreenTracker.h"

MainMenuFlow g_MainMenuFlow;

s32 MainMenuFlow::run(State&, s32) {
    if (m_bGamePlayed != 0) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else {
        g_ScreenTracker.m_LevelToLoad = LAUNCH_DEFAULT_LEVEL;
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    }
    m_bGamePlayed = !m_bGamePlayed;
    return 1;
}
