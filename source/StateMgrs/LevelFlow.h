// The level flow: loads the level the screen tracker names (state 0) or the next
// attract-mode level (state 1), runs the game on it and unloads it. Until the
// in-game screens exist the game runs as the level launcher runs it: after the
// last frame A bowls another game on the lane and B leaves.
#pragma once

#include "orblib47/source/OrbTypes.h"

class State;

constexpr s32 LEVEL_FLOW_ATTRACT_LEVELS = 5;

class LevelFlow {
public:
    // 0 while running, 1 once the level is unloaded.
    s32 run(State& state, s32 depth);

    s32 m_CurrentAttractLevel = -1;
    s32 m_AttractLevels[LEVEL_FLOW_ATTRACT_LEVELS] = {0, 18, 4, 10, 8};
};

extern LevelFlow g_LevelFlow;
