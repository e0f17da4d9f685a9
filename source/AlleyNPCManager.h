// The alley's computer bowlers and the scheduler that shares idle time among their
// lanes.
#pragma once

#include "source/NPCBowler.h"

constexpr s32 NUM_NPC_BOWLERS = 3;

// The level manager's play flag: set by the level while a game is being played.
extern s32 g_LevelIsPlaying;

class AlleyNPCManager {
public:
    // One slice to the first bowling bowler from *bowlerIndex on: 1 and the index
    // kept while it has work, else 0 with the index moved past it.
    s32 ComputeNPCPhysicsTimeslice(s32 busy, s32* bowlerIndex);
    // The bowling bowlers' turns, while the level plays.
    void run();

    CNPCBowler m_NPCBowlers[NUM_NPC_BOWLERS];
};

extern AlleyNPCManager g_AlleyNPCManager;
