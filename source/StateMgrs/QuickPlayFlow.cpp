#include "source/StateMgrs/QuickPlayFlow.h"

#include "source/Levels/LevelLauncher.h"
#include "source/StateMgrs/ScreenTracker.h"

QuickPlayFlow g_QuickPlayFlow;

// INTERIM: see the header.
s32 QuickPlayFlow::run(State&, s32, CFlashMainMenu*, CQuickPlayFlash*) {
    g_ScreenTracker.m_LevelToLoad = LAUNCH_DEFAULT_LEVEL;
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    return 1;
}
