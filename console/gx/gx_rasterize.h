// Rasterisation: the rows and spans a triangle covers, and per pixel the depth,
// the interpolants (perspective-correct), the texture environment, fog and the
// pixel engine.
#pragma once

#include "console/gx/gx_fog.h"
#include "console/gx/gx_pixel.h"
#include "console/gx/gx_tev.h"

namespace console::gx {

// Everything a draw works out once from the state.
struct DrawPlan {
    TevPlan tev;
    PixelPlan pixel;
    FogPlan fog;
};

DrawPlan PlanDraw(const RasterState& state);

void RasterizeTriangle(const RasterState& state, const DrawPlan& plan, const Triangle& tri);

}  // namespace console::gx
