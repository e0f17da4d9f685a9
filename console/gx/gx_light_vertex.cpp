// Vertex lighting, four vertices at a time: each channel's colour and alpha
// are the material colour, or, with lighting on, the material times the
// ambient colour plus the lights of its mask, clamped. Every lane does the
// sums one vertex alone would, in the same order, so the colours are the same
// however the vertices are grouped.
#include <cmath>

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_raster.h"

namespace console::gx {
namespace {

using simd::V4f;
using simd::V4i;

V4f Splat(f32 v) {
    return V4f{} + v;
}

V4f Dot(const V4f a[3], const V4f b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

V4f Dot(const V4f a[3], const f32 b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

V4f Poly(const f32 c[3], V4f x) {
    return c[0] + c[1] * x + c[2] * x * x;
}

// std::max(a, 0.0f): NaN stays.
V4f AtLeastZero(V4f a) {
    return a < 0.0f ? V4f{} : a;
}

// a / k, where a degenerate light (k <= 0) gives nothing rather than a division
// by zero.
V4f Attenuation(V4f a, V4f k) {
    return k > 0.0f ? AtLeastZero(a) / k : V4f{};
}

V4f Sqrt(V4f v) {
#if defined(__SSE2__)
    return V4f(_mm_sqrt_ps(__m128(v)));
#else
    V4f out;
    for (int i = 0; i < 4; ++i)
        out[i] = std::sqrt(v[i]);
    return out;
#endif
}

// The light's weight at the vertices: diffuse function times attenuation.
V4f LightWeight(const ChanCtrl& ctrl, const GXLightObj& light, const V4f eye[3], const V4f normal[3]) {
    V4f toLight[3] = {light.pos[0] - eye[0], light.pos[1] - eye[1], light.pos[2] - eye[2]};
    const V4f distance = Sqrt(Dot(toLight, toLight));
    const V4i away = distance > 0.0f;
    for (V4f& c : toLight)
        c = away ? c / distance : c;
    const V4f nDotL = Dot(normal, toLight);
    V4f diffuse = Splat(1.0f);
    if (ctrl.diffFn == GX_DF_SIGN)
        diffuse = nDotL;
    else if (ctrl.diffFn == GX_DF_CLAMP)
        diffuse = AtLeastZero(nDotL);

    V4f attn = Splat(1.0f);
    if (ctrl.attnFn == GX_AF_SPOT) {
        const V4f fromLight[3] = {-toLight[0], -toLight[1], -toLight[2]};
        attn = Attenuation(Poly(light.a, Dot(fromLight, light.dir)), Poly(light.k, distance));
    } else if (ctrl.attnFn == GX_AF_SPEC) {
        // dir holds the half-angle; both polynomials take N.H.
        const V4f nDotH = AtLeastZero(Dot(normal, light.dir));
        attn = nDotL > 0.0f ? Attenuation(Poly(light.a, nDotH), Poly(light.k, nDotH)) : V4f{};
    }
    return diffuse * attn;
}

// The lights' weights at the vertices. A vertex's parts usually light with the
// same functions (colour and alpha set together), so a weight is worked out
// once and kept for as long as the functions stay the same.
class VertexWeights {
public:
    explicit VertexWeights(const LightLanes& in) : m_in(in) {}

    V4f Of(const ChanCtrl& ctrl, u32 light) {
        if (ctrl.diffFn != m_diffFn || ctrl.attnFn != m_attnFn) {
            m_diffFn = ctrl.diffFn;
            m_attnFn = ctrl.attnFn;
            m_known = 0;
        }
        if ((m_known & (1u << light)) == 0) {
            m_weight[light] = LightWeight(ctrl, FrontStateCurrent().lights[light], m_in.eye, m_in.normal);
            m_known |= 1u << light;
        }
        return m_weight[light];
    }

private:
    const LightLanes& m_in;
    GXDiffuseFn m_diffFn = GX_DF_NONE;
    GXAttnFn m_attnFn = GX_AF_NONE;
    u32 m_known = 0;
    V4f m_weight[kLightCount];
};

// std::clamp(v, 0, 1): NaN stays.
V4f Clamp01(V4f v) {
    return v < 0.0f ? V4f{} : v > 1.0f ? Splat(1.0f) : v;
}

void LightPart(const LightPlan& plan, const LightPlan::Part& part, const V4f vtx[4], VertexWeights& weights,
               V4f* out) {
    const ChanCtrl& ctrl = *part.ctrl;
    const int first = part.first, last = part.first + part.count;
    auto material = [&](int k) { return part.vtxMat ? vtx[k] : Splat(part.mat[k]); };
    if (!ctrl.enable) {
        for (int k = first; k < last; ++k)
            out[k] = material(k);
        return;
    }
    V4f sum[4];
    for (int k = first; k < last; ++k)
        sum[k] = part.vtxAmb ? vtx[k] : Splat(part.amb[k]);
    for (u32 i = 0; i < kLightCount; ++i) {
        if ((ctrl.lightMask & (1u << i)) == 0)
            continue;
        const V4f weight = weights.Of(ctrl, i);
        for (int k = first; k < last; ++k)
            sum[k] += plan.lightColor[i][k] * weight;
    }
    for (int k = first; k < last; ++k)
        out[k] = material(k) * Clamp01(sum[k]);
}

void Unit(GXColor c, f32 out[4]) {
    const u8 v[] = {c.r, c.g, c.b, c.a};
    for (int k = 0; k < 4; ++k)
        out[k] = v[k] / 255.0f;
}

}  // namespace

LightPlan PlanLights() {
    const FrontState& state = FrontStateCurrent();
    LightPlan plan{};
    plan.numChans = RasterStateCurrent().numChans;
    u32 lights = 0;
    for (u32 c = 0; c < 2 && c < plan.numChans; ++c)
        for (u32 alpha = 0; alpha < 2; ++alpha) {
            LightPlan::Part& part = plan.parts[c][alpha];
            part.ctrl = &state.chanCtrl[2 * alpha + c];
            part.first = alpha != 0 ? 3 : 0;
            part.count = alpha != 0 ? 1 : 3;
            part.vtxAmb = part.ctrl->ambSrc != GX_SRC_REG;
            part.vtxMat = part.ctrl->matSrc != GX_SRC_REG;
            // Only what the vertices read: a sprite's few vertices share a plan.
            if (part.ctrl->enable && !part.vtxAmb)
                Unit(state.ambColor[c], part.amb);
            if (!part.vtxMat)
                Unit(state.matColor[c], part.mat);
            if (part.ctrl->enable)
                lights |= part.ctrl->lightMask;
        }
    plan.lit = lights != 0;
    for (u32 i = 0; i < kLightCount; ++i)
        if ((lights >> i & 1) != 0)
            Unit(state.lights[i].color, plan.lightColor[i]);
    return plan;
}

void LightVertices(const LightPlan& plan, const LightLanes& in, V4f out[2][4]) {
    VertexWeights weights(in);
    for (u32 c = 0; c < 2; ++c) {
        if (c >= plan.numChans) {
            for (V4f& k : out[c])
                k = V4f{};
            continue;
        }
        LightPart(plan, plan.parts[c][0], in.color[c], weights, out[c]);
        LightPart(plan, plan.parts[c][1], in.color[c], weights, out[c]);
    }
}

}  // namespace console::gx
