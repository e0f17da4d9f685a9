// Runs one throw from the release to the end of the sweep through the real lane
// drivers: the lane manager for the player's lane, a computer bowler for its own.
// Used by the lane simulator, the whole-throw tests and the benchmark.
#pragma once

#include "source/NPCBowler.h"
#include "source/Physics/LaneManager.h"

struct ThrowSetup {
    BallData_t ball{};  // released ball; horizontal speeds in units per second
    // The player's lane only: computer lanes bowl their own fixed ball.
    BallRecord record{0.2, 0.6175, 40, 0, 0};
    s32 human = 1;  // UserDryLane, else CPUDryLane
    // Copied into the lane's grid before the throw; null bowls on the grid as it is.
    const u16 (*oil)[OIL_BOARDS] = nullptr;
    PinMask rack = PIN_MASK_ALL;
    s32 randomTurn = 1;
    s32 ballNumber = 0;  // within the frame: 0 lifts the standing pins before the sweep
};

struct ThrowSummary {
    s32 started = 0;  // the start's result: 0 when the film filled during the roll
    PinMask standing = 0;
    s32 firstPinStruck = -1;
    s32 slices = 0;      // idle slices after the start
    s32 rollFrames = 0;  // film frames when the fine steps began
    // The film when the pin action ended, and after the sweep.
    s32 framesAtPinActionEnd = 0;
    u16 posesAtPinActionEnd = 0;
    s32 frames = 0;
    u16 poses = 0;
};

ThrowSummary RunPlayerThrow(CLaneManager& manager, const ThrowSetup& setup);
ThrowSummary RunComputerThrow(CNPCBowler& bowler, const ThrowSetup& setup);

// FNV-1a of the film as a reader sees it: frame masks, start indices and the x, y
// and z of every pose written.
u64 FilmHash(const LaneContext& lane);
