// The lane as the shot code sees it: widths and distances in physics units (one
// unit is 4 inches) measured from the left edge of the lane and the foul line.
#pragma once

#include "source/Physics/PhysicsTypes.h"

constexpr f32 kLaneWidth = OIL_BOARDS * PHYS_BOARD_WIDTH;
constexpr f32 kArrowsZ = 45.0f;  // 15 feet past the foul line
constexpr f32 kHeadPinZ = 180.0f;
constexpr f32 kHeadPinX = 5.25f;
constexpr f32 kPinColumnWidth = 1.5f;  // half the spacing of two pins in a row

// A position across the lane (0..1) in lane units.
inline f32 LaneX(f32 across) {
    return across * kLaneWidth;
}
