// The fixed-point forms of model vertices: coordinates through the model's vertex
// quantisation word, texture coordinates in 1/1024 steps, byte normals in 1/64 steps.
#pragma once

#include "console/types.h"

namespace modelgen {

// Signed 16-bit loads scaled by 2^-scale, at the finest scale that still holds
// +-largest. Throws std::invalid_argument when no scale does.
u32 VertNormGQR(f32 largest);
// value in steps of the word's scale, rounded.
s16 QuantiseCoord(f32 value, u32 gqr);
s16 QuantiseUV(f32 value);
s8 QuantiseNormal8(f32 value);

}  // namespace modelgen
