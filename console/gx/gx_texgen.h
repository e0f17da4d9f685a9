// Texture-coordinate generation: each generator takes the vertex position,
// normal or an input texture coordinate, multiplies it by a texture matrix (2x4
// or 3x4), optionally normalises it and applies a post-transform matrix.
#pragma once

#include "console/gx/gx_raster.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// The generators GXSetNumTexGens turns on, their matrices looked up once for
// the vertices of a primitive.
struct TexGenPlan {
    struct Gen {
        GXTexGenSrc src;
        const Mtx* mtx;  // null for the identity
        bool st;         // 2x4: q is 1
        bool normalize;
        const Mtx* postMtx;  // null for the identity
    };
    u32 count;
    Gen gens[kMaxTexCoords];
};

TexGenPlan PlanTexGens();

// s, t, q of the plan's coordinates, the rest zero.
void GenerateTexCoords(const TexGenPlan& plan, const DecodedVertex& v, float out[kMaxTexCoords][3]);

}  // namespace console::gx
