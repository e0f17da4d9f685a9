// The two colour channels: each channel's colour and alpha are the material
// colour, or, with lighting on, the material times the ambient colour plus the
// lights of its mask, clamped.
#pragma once

#include "console/gx/gx_raster_simd.h"
#include "console/gx/gx_state.h"

namespace console::gx {

// What the vertices of a primitive light with, worked out once for them all.
struct LightPlan {
    // A channel's colour or alpha part.
    struct Part {
        const ChanCtrl* ctrl;
        int first, count;     // components [first, first + count)
        bool vtxAmb, vtxMat;  // the vertex colour, else the register below
        f32 amb[4], mat[4];   // the registers in 0..1
    };
    u32 numChans;
    bool lit;                        // a part takes lights: the normal is needed
    Part parts[2][2];                // by channel: colour, alpha
    f32 lightColor[kLightCount][4];  // in 0..1
};

LightPlan PlanLights();

// Four vertices at once, lane i of each vector being vertex i's.
struct LightLanes {
    simd::V4f eye[3], normal[3];  // view space; normal unread unless the plan is lit
    simd::V4f color[2][4];        // the vertex colours in 0..1
};

// RGBA in 0..1 for channels 0 and 1 (zero for channels beyond GXSetNumChans).
void LightVertices(const LightPlan& plan, const LightLanes& in, simd::V4f out[2][4]);

}  // namespace console::gx
