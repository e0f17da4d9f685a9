#include "source/StateMgrs/ScreenTracker.h"

CScreenTracker g_ScreenTracker;

void CScreenTracker::Reset() {
    m_CurrScreen = eScreen_List_Invalid;
    m_LevelToLoad = SCREEN_TRACKER_NO_LEVEL;
    ResetScreenNav();
}

void CScreenTracker::ResetScreenNav() {
    m_ScreenNav = SFP_SCREEN_NAV_NONE;
    m_NextScreen = eScreen_List_Invalid;
}
