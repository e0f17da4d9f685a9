// A tournament's stop in the career: the entry fee on arrival, then the tournament
// menu beside the career bowler, with the ladder and the pro shop behind it. It
// leaves with NEXT when the round's game is to be bowled (the level and both
// player slots set), and with NONE when the player backs out.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;
class CTournMenuFlash;
class CCareerTournLadderFlash;

class TournFlow {
public:
    // 0 while running, 1 when left.
    s32 run(State& state, s32 depth, CFlashMainMenu* menu);
    // Frees whichever screen is still up; the program's shut-down calls it while
    // the heap that holds them is still there.
    void FreeScreens();
};

extern TournFlow g_TournFlow;
extern CTournMenuFlash* pCTournFlash;
extern CCareerTournLadderFlash* pCTournLadderFlash;
