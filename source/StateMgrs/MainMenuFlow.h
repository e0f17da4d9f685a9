// The main menu's flow. Until the menu screens exist it is a hand-over: from the
// title it goes on to a game (SFP_SCREEN_NAV_NEXT with the demo alley chosen),
// after a game back to the title (SFP_SCREEN_NAV_PREVIOUS).
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;

class MainMenuFlow {
public:
    // 0 while running, 1 when it has finished; the navigation says where to.
    s32 run(State& state, s32 depth);

    s32 m_bGamePlayed = 0;
};

extern MainMenuFlow g_MainMenuFlow;
