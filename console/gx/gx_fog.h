// Fog: the pixel's colour pulled towards the fog colour by its eye distance.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

struct FogPlan {
    bool enabled;
    bool ortho;  // the eye distance follows the screen depth, not w
    u8 curve;    // low 3 bits of the type: 2 linear, 4 exp, 5 exp2, 6 rev exp, 7 rev exp2
    float start, invRange, nearZ, depthRange;
    Rgba8 color;
};

FogPlan PlanFog(const RasterState& state);

// w: the pixel's clip w; depth: its stored depth 0..1.
Rgba8 ApplyFog(const FogPlan& fog, Rgba8 c, float w, float depth);

}  // namespace console::gx
