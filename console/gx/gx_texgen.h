// Texture-coordinate generation: each generator takes the vertex position,
// normal or an input texture coordinate, multiplies it by a texture matrix (2x4
// or 3x4), optionally normalises it and applies a post-transform matrix.
#pragma once

#include "console/gx/gx_raster.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// The generators GXSetNumTexGens turns on, their matrices copied once for the
// vertices of a primitive.
struct TexGenPlan {
    struct Gen {
        GXTexGenSrc src;
        bool useMtx;  // else the identity
        bool st;      // 2x4: q is 1
        bool normalize;
        bool usePostMtx;  // else the identity
        Mtx mtx;
        Mtx postMtx;
    };
    u32 count;
    Gen gens[kMaxTexCoords];
};

TexGenPlan PlanTexGens();

// s, t, q of the plan's coordinates, the rest zero, for the vertices
// which[0 .. count), into out[which[i]].tex.
void GenerateTexCoords(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                       RasterVertex* out);

// The widths GenerateTexCoords takes, apart for the tests: four vertices at a
// time; and whole groups of eight where the processor has AVX2, of sixteen
// where it has AVX-512, returning how many they did (none elsewhere).
void TexCoordsBy4(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                  RasterVertex* out);
u32 TexCoordsBy8(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                 RasterVertex* out);
u32 TexCoordsBy16(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                  RasterVertex* out);

}  // namespace console::gx
