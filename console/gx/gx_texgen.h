// Texture-coordinate generation: each generator takes the vertex position,
// normal or an input texture coordinate, multiplies it by a texture matrix (2x4
// or 3x4), optionally normalises it and applies a post-transform matrix.
#pragma once

#include "console/gx/gx_raster.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// s, t, q of the first GXSetNumTexGens coordinates, the rest zero.
void GenerateTexCoords(const DecodedVertex& v, float out[kMaxTexCoords][3]);

}  // namespace console::gx
