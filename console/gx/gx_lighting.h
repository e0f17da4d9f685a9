// The two colour channels: each channel's colour and alpha are the material
// colour, or, with lighting on, the material times the ambient colour plus the
// lights of its mask, clamped.
#pragma once

#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_vertex.h"

namespace console::gx {

// What the vertices of a primitive light with, worked out once for them all:
// a copy of the registers it reads, so that it lasts past their next change.
struct LightPlan {
    // A channel's colour or alpha part.
    struct Part {
        ChanCtrl ctrl;
        int first, count;     // components [first, first + count)
        bool vtxAmb, vtxMat;  // the vertex colour, else the register below
        f32 amb[4], mat[4];   // the registers in 0..1
    };
    u32 numChans;
    bool lit;                        // a part takes lights: the normal is needed
    Part parts[2][2];                // by channel: colour, alpha
    f32 lightColor[kLightCount][4];  // in 0..1
    GXLightObj lights[kLightCount];  // those the parts take, as loaded
    f32 normalMtx[3][3];             // the current one, when lit
};

LightPlan PlanLights();

// RGBA in 0..1 for channels 0 and 1 (zero for channels beyond GXSetNumChans)
// of the vertices which[0 .. count), into out[which[i]].color.
void LightVertices(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                   RasterVertex* out);

// The widths LightVertices takes, apart for the tests: four vertices at a
// time, the last group filled up with its last vertex again; and whole groups
// of eight where the processor has AVX2, of sixteen where it has AVX-512,
// returning how many they lit (none elsewhere).
void LightVerticesBy4(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out);
u32 LightVerticesBy8(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                     RasterVertex* out);
u32 LightVerticesBy16(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out);

}  // namespace console::gx
