// Rasterisation: the rows and spans a triangle covers, and per pixel the depth,
// the interpolants (perspective-correct), the texture environment, fog and the
// pixel engine, four pixels at a time.
#pragma once

#include "console/gx/gx_fog.h"
#include "console/gx/gx_pixel.h"
#include "console/gx/gx_tev.h"

namespace console::gx {

// How the depth test and the blend are carried out: the common cases have
// loops of their own.
enum class DepthPath : u8 { Off, Less, LEqual, Always, Other };
enum class BlendPath : u8 { Replace, SrcAlpha, Add, Other };

// Everything a draw works out once from the state.
struct DrawPlan {
    TevPlan tev;
    PixelPlan pixel;
    FogPlan fog;
    DepthPath depth;
    BlendPath blend;
};

DrawPlan PlanDraw(const RasterState& state);

// The maps a Modulate, ModulateTwice or Yuv draw reads a group of pixels at a
// time (filled in `views`, a null for one that cannot be), in stage order:
// looked up once for all the triangles of a draw.
struct TexViews {
    TexLevelView view[3];
    bool viewed[3] = {};
};
void ViewTextures(const RasterState& state, const DrawPlan& plan, TexViews* views);

// The triangle's pixels in rows top..bottom. A pixel's values do not depend on
// the rows drawn, so a triangle drawn band by band is the triangle drawn whole.
void RasterizeTriangle(const RasterState& state, const DrawPlan& plan, const TexViews& views,
                       const Triangle& tri, int top, int bottom);

}  // namespace console::gx
