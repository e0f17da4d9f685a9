// INTERIM: stand-ins for the create-a-bowler and tournament flows still to come,
// with the names and calls the career flow uses.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;

// A visit makes the bowler at once: the look player slot 0 has and the name
// keyboard's default name (or, editing, the career bowler's), going on unsaved.
class CacFlow {
public:
    s32 run(State& state, s32 depth, CFlashMainMenu* menu, s32 editFlag);
};

// Backs out at once: no tournament game is chosen.
class TournFlow {
public:
    s32 run(State& state, s32 depth, CFlashMainMenu* menu);
};

extern CacFlow g_CacFlow;
extern TournFlow g_TournFlow;
