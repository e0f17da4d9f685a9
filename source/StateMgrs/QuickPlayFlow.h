// The quick-play set-up flow. INTERIM: a stand-in until the set-up screen comes;
// it chooses the demo alley at once and answers SFP_SCREEN_NAV_NEXT.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;
class CQuickPlayFlash;

class QuickPlayFlow {
public:
    // 0 while running, 1 when done: NEXT with the level to load set, or PREVIOUS.
    s32 run(State& state, s32 depth, CFlashMainMenu* menu, CQuickPlayFlash* screen);
};

extern QuickPlayFlow g_QuickPlayFlow;
