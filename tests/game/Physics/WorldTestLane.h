// Lanes for the world, film and pinsetter tests.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <memory>

#include "source/Physics/Physics.h"

// A lane context is too large for the stack under the sanitizers.
inline std::unique_ptr<LaneContext> MakeLane(LaneKind kind) {
    return std::make_unique<LaneContext>(kind);
}

// Poses a frame of this mask holds: pins, ball and sweeper.
inline s32 PosesInFrame(PinMask mask) {
    return std::popcount(u32(mask & (PIN_MASK_ALL | FILM_BALL_BIT | FILM_SWEEPER_BIT)));
}

// Every written frame's poses are contiguous and complete.
inline void ExpectFilmConsistent(const LaneContext& lane) {
    for (s32 n = 0; n + 1 < lane.NumPhysFrames; ++n)
        EXPECT_EQ(lane.PhysDataIndex[n + 1] - lane.PhysDataIndex[n], PosesInFrame(lane.PhysPinsMask[n])) << n;
}

// The ball lies out of sight on the pit floor: nothing on the lane moves any more.
inline void DropBallInPit(LaneContext& lane, s32 backWallFrame) {
    lane.PhysBall.visible = 0;
    lane.PhysBall.position = {5.25f, 5.0f, 192.0f, 0.0f};
    lane.PhysBall.velocity = {};
    lane.PhysBall.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
    lane.PhysBall.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
    lane.FrameBallPastEnd = 1;
    lane.FrameBallHitsBackWall = backWallFrame;
}
