// The career's flow. INTERIM: a stand-in until the career screens come; it
// returns to the main menu at once.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;

class CareerMainMenuFlow {
public:
    // 0 while running, 1 when the career is left: NEXT when a game is to start.
    s32 run(State& state, s32 depth, CFlashMainMenu* mainMenu, s32 returningFromCareerGame);
};

extern CareerMainMenuFlow g_CareerMainMenuFlow;
