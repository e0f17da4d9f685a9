// Shared set-up of the rasteriser tests: vertices placed in pixels of the
// default 640x480 viewport, a cleared frame buffer, a state without culling.
#pragma once

#include <gtest/gtest.h>

#include "console/gx/efb_control.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "tests/console/gx_tev_stages.h"

namespace gxtest {

using namespace console::gx;

// Pixel (x, y) at depth 0 (near) .. 1 (far), w = 1; colour 0xRRGGBBAA.
inline RasterVertex At(float x, float y, u32 rgba = 0xFFFFFFFF, float depth = 0.5f) {
    RasterVertex v;
    v.pos[0] = x / 320.0f - 1.0f;
    v.pos[1] = 1.0f - y / 240.0f;
    v.pos[2] = depth - 1.0f;
    for (int i = 0; i < 4; ++i)
        v.color[0][i] = float((rgba >> (24 - 8 * i)) & 0xFF) / 255.0f;
    return v;
}

// Two triangles over [x0, x1) x [y0, y1).
inline void FillRect(const RasterState& s, float x0, float y0, float x1, float y1, u32 rgba,
                     float depth = 0.5f) {
    RasterTriangle(s, At(x0, y0, rgba, depth), At(x1, y0, rgba, depth), At(x1, y1, rgba, depth));
    RasterTriangle(s, At(x0, y0, rgba, depth), At(x1, y1, rgba, depth), At(x0, y1, rgba, depth));
}

inline u32 Argb(u32 rgba) {
    return rgba >> 8 | rgba << 24;
}

class GXRasterTest : public testing::Test {
protected:
    void SetUp() override {
        EfbReset();
        state.cull = Cull::None;
    }
    RasterState state;
};

}  // namespace gxtest
