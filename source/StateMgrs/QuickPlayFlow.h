// Quick play within the main menu: opens the set-up screen over the menu's
// background with the menu's border, and closes it when the player accepts (the
// players, settings and level are written) or backs out.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;
class CQuickPlayFlash;

class QuickPlayFlow {
public:
    // 0 while running, 1 when finished: the tracker's navigation is NEXT
    // (accepted) or PREVIOUS (backed out); the caller resets it.
    s32 run(State& state, s32 depth, CFlashMainMenu* menu, CQuickPlayFlash* screen);
};

extern QuickPlayFlow g_QuickPlayFlow;
