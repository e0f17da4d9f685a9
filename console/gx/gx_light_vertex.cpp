// Vertex lighting: each channel's colour and alpha are the material colour,
// or, with lighting on, the material times the ambient colour plus the lights
// of its mask, clamped. Here four vertices at a time, and eight where the
// processor allows, sixteen with AVX-512, the tail four-wide.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_raster_simd.h"

namespace console::gx {
namespace {

using VF = simd::V4f;
using VI = simd::V4i;
constexpr int kLanes = 4;

VF Sqrt(VF v) {
#if defined(__SSE2__)
    return VF(_mm_sqrt_ps(__m128(v)));
#else
    VF out;
    for (int i = 0; i < 4; ++i)
        out[i] = std::sqrt(v[i]);
    return out;
#endif
}

#include "console/gx/gx_lanes_kernel.h"
#include "console/gx/gx_light_kernel.h"

void Unit(GXColor c, f32 out[4]) {
    const u8 v[] = {c.r, c.g, c.b, c.a};
    for (int k = 0; k < 4; ++k)
        out[k] = f32(v[k]) / 255.0f;
}

}  // namespace

LightPlan PlanLights() {
    const FrontState& state = FrontStateView();
    LightPlan plan{};
    plan.numChans = RasterStateCurrent().numChans;
    u32 lights = 0;
    for (u32 c = 0; c < 2 && c < plan.numChans; ++c)
        for (u32 alpha = 0; alpha < 2; ++alpha) {
            LightPlan::Part& part = plan.parts[c][alpha];
            part.ctrl = state.chanCtrl[2 * alpha + c];
            part.first = alpha != 0 ? 3 : 0;
            part.count = alpha != 0 ? 1 : 3;
            part.vtxAmb = part.ctrl.ambSrc != GX_SRC_REG;
            part.vtxMat = part.ctrl.matSrc != GX_SRC_REG;
            // Only what the vertices read: a sprite's few vertices share a plan.
            if (part.ctrl.enable && !part.vtxAmb)
                Unit(state.ambColor[c], part.amb);
            if (!part.vtxMat)
                Unit(state.matColor[c], part.mat);
            if (part.ctrl.enable)
                lights |= part.ctrl.lightMask;
        }
    plan.lit = lights != 0;
    for (u32 i = 0; i < kLightCount; ++i)
        if ((lights >> i & 1) != 0) {
            plan.lights[i] = state.lights[i];
            Unit(state.lights[i].color, plan.lightColor[i]);
        }
    if (plan.lit)
        std::memcpy(plan.normalMtx, state.nrmMtx[state.currentMtx / 3], sizeof plan.normalMtx);
    return plan;
}

void LightVerticesBy4(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                      RasterVertex* out) {
    const u32 whole = WholeGroups<LightGroup>(plan, eye, which, count, out);
    if (whole < count)
        LightGroup(plan, eye, which + whole, count - whole, out);
}

void LightVertices(const LightPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                   RasterVertex* out) {
    u32 done = LightVerticesBy16(plan, eye, which, count, out);
    done += LightVerticesBy8(plan, eye, which + done, count - done, out);
    LightVerticesBy4(plan, eye, which + done, count - done, out);
}

}  // namespace console::gx
