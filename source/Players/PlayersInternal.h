// What the shot code shares: the lane in physics units (one unit is 4 inches)
// measured from the left edge of the lane and the foul line, statistics as shares
// and the spread of a random error.
#pragma once

#include <algorithm>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/PhysicsTypes.h"

constexpr f32 kLaneWidth = OIL_BOARDS * PHYS_BOARD_WIDTH;
constexpr f32 kArrowsZ = 45.0f;  // 15 feet past the foul line

// A position across the lane (0..1) in lane units.
inline f32 LaneX(f32 across) {
    return across * kLaneWidth;
}

// A statistic of 0..100 as a share; larger values count as 100.
inline f32 StatShare(u8 stat) {
    return f32(std::min<u8>(stat, 100)) / 100.0f;
}

// -1..1 in steps of a thousandth, one draw of the game's random generator.
inline f32 RandomSpread() {
    return f32(OrbRand() % 2001 - 1000) / 1000.0f;
}
