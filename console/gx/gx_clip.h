// Homogeneous clipping against the view volume: x and y in [-w, w], z in [-w, 0].
#pragma once

#include "console/gx/gx_raster.h"

namespace console::gx {

// A triangle gains at most one vertex per plane.
constexpr u32 kMaxClipVertices = 9;

// One bit per plane the vertex lies outside of; 0 inside the volume. A vertex
// with a NaN coordinate is outside every plane.
u32 ClipOutcode(const RasterVertex& v);

// Clips the triangle to the volume; returns the polygon's vertex count, 0 when
// nothing is left.
u32 ClipTriangle(const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2,
                 RasterVertex out[kMaxClipVertices]);

// Clips the segment in place; false when nothing is left.
bool ClipSegment(RasterVertex& a, RasterVertex& b);

}  // namespace console::gx
