// INTERIM: a stand-in for the tournament flow still to come, with the name and
// call the career flow uses.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;

// Backs out at once: no tournament game is chosen.
class TournFlow {
public:
    s32 run(State& state, s32 depth, CFlashMainMenu* menu);
};

extern TournFlow g_TournFlow;
