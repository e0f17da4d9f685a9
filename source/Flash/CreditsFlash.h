// The credits roll. INTERIM: a stand-in without a movie until the roll comes;
// opening it answers back at once, so the main menu shows again.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/StateMgrs/ScreenTracker.h"

class CCreditsFlash {
public:
    s32 Load() { return 1; }
    void Open() { g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS; }
    void Close() {}

    s32 m_iScreen = -1;
};
