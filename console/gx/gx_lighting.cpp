#include "console/gx/gx_lighting.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/os.h"

namespace console::gx {
namespace {

u8 Component(GXColor c, int k) {
    const u8 v[] = {c.r, c.g, c.b, c.a};
    return v[k];
}

f32 Dot(const f32 a[3], const f32 b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

f32 Poly(const f32 c[3], f32 x) {
    return c[0] + c[1] * x + c[2] * x * x;
}

// a / k, where a degenerate light (k <= 0) gives nothing rather than a division
// by zero.
f32 Attenuation(f32 a, f32 k) {
    return k > 0 ? std::max(a, 0.0f) / k : 0.0f;
}

// The light's weight at a vertex: diffuse function times attenuation.
f32 LightWeight(const ChanCtrl& ctrl, const GXLightObj& light, const f32 eye[3], const f32 normal[3]) {
    f32 toLight[3] = {light.pos[0] - eye[0], light.pos[1] - eye[1], light.pos[2] - eye[2]};
    const f32 distance = std::sqrt(Dot(toLight, toLight));
    if (distance > 0) {
        for (f32& c : toLight)
            c /= distance;
    }
    const f32 nDotL = Dot(normal, toLight);
    f32 diffuse = 1.0f;
    if (ctrl.diffFn == GX_DF_SIGN)
        diffuse = nDotL;
    else if (ctrl.diffFn == GX_DF_CLAMP)
        diffuse = std::max(nDotL, 0.0f);

    f32 attn = 1.0f;
    if (ctrl.attnFn == GX_AF_SPOT) {
        const f32 fromLight[3] = {-toLight[0], -toLight[1], -toLight[2]};
        attn = Attenuation(Poly(light.a, Dot(fromLight, light.dir)), Poly(light.k, distance));
    } else if (ctrl.attnFn == GX_AF_SPEC) {
        // dir holds the half-angle; both polynomials take N.H.
        const f32 nDotH = std::max(Dot(normal, light.dir), 0.0f);
        attn = nDotL > 0 ? Attenuation(Poly(light.a, nDotH), Poly(light.k, nDotH)) : 0.0f;
    }
    return diffuse * attn;
}

// The lights' weights at one vertex. A vertex's parts usually light with the
// same functions (colour and alpha set together), so a weight is worked out
// once and kept for as long as the functions stay the same.
class VertexWeights {
public:
    VertexWeights(const f32 eye[3], const f32 normal[3]) : m_eye(eye), m_normal(normal) {}

    f32 Of(const ChanCtrl& ctrl, u32 light) {
        if (ctrl.diffFn != m_diffFn || ctrl.attnFn != m_attnFn) {
            m_diffFn = ctrl.diffFn;
            m_attnFn = ctrl.attnFn;
            m_known = 0;
        }
        if ((m_known & (1u << light)) == 0) {
            m_weight[light] = LightWeight(ctrl, FrontStateCurrent().lights[light], m_eye, m_normal);
            m_known |= 1u << light;
        }
        return m_weight[light];
    }

private:
    const f32* m_eye;
    const f32* m_normal;
    GXDiffuseFn m_diffFn = GX_DF_NONE;
    GXAttnFn m_attnFn = GX_AF_NONE;
    u32 m_known = 0;
    f32 m_weight[kLightCount];
};

// Components [first, first + count) of one channel.
void LightPart(const ChanCtrl& ctrl, GXColor amb, GXColor mat, VertexWeights& weights, int first, int count,
               float* out) {
    const FrontState& state = FrontStateCurrent();
    f32 sum[4] = {};
    if (ctrl.enable) {
        for (int k = first; k < first + count; ++k)
            sum[k] = Component(amb, k) / 255.0f;
        for (u32 i = 0; i < kLightCount; ++i) {
            if ((ctrl.lightMask & (1u << i)) == 0)
                continue;
            const f32 weight = weights.Of(ctrl, i);
            for (int k = first; k < first + count; ++k)
                sum[k] += Component(state.lights[i].color, k) / 255.0f * weight;
        }
    }
    for (int k = first; k < first + count; ++k) {
        const f32 material = Component(mat, k) / 255.0f;
        out[k] = ctrl.enable ? material * std::clamp(sum[k], 0.0f, 1.0f) : material;
    }
}

// Channel ids to the controls they set: COLORn, ALPHAn or both.
struct ChanParts {
    u32 channel;
    bool color, alpha;
};

ChanParts PartsOf(GXChannelID chan, const char* call) {
    switch (chan) {
        case GX_COLOR0:
        case GX_COLOR1:
            return {chan, true, false};
        case GX_ALPHA0:
        case GX_ALPHA1:
            return {u32(chan - GX_ALPHA0), false, true};
        case GX_COLOR0A0:
        case GX_COLOR1A1:
            return {u32(chan - GX_COLOR0A0), true, true};
        default:
            OSPanic(__FILE_NAME__, __LINE__, "%s: unknown channel %u\n", call, chan);
    }
}

void SetChanColor(GXColor* target, GXChannelID chan, GXColor color, const char* call) {
    LogCall(call, "%u, {%u, %u, %u, %u}", chan, color.r, color.g, color.b, color.a);
    const ChanParts parts = PartsOf(chan, call);
    GXColor& c = target[parts.channel];
    if (parts.color) {
        c.r = color.r;
        c.g = color.g;
        c.b = color.b;
    }
    if (parts.alpha)
        c.a = color.a;
}

}  // namespace

void LightVertex(const f32 eye[3], const f32 normal[3], const GXColor vertexColor[2], float out[2][4]) {
    const FrontState& state = FrontStateCurrent();
    const u32 numChans = RasterStateCurrent().numChans;
    VertexWeights weights(eye, normal);
    for (u32 c = 0; c < 2; ++c) {
        if (c >= numChans) {
            std::fill(out[c], out[c] + 4, 0.0f);
            continue;
        }
        const ChanCtrl& color = state.chanCtrl[c];
        const ChanCtrl& alpha = state.chanCtrl[2 + c];
        const GXColor vtx = vertexColor[c];
        LightPart(color, color.ambSrc == GX_SRC_REG ? state.ambColor[c] : vtx,
                  color.matSrc == GX_SRC_REG ? state.matColor[c] : vtx, weights, 0, 3, out[c]);
        LightPart(alpha, alpha.ambSrc == GX_SRC_REG ? state.ambColor[c] : vtx,
                  alpha.matSrc == GX_SRC_REG ? state.matColor[c] : vtx, weights, 3, 1, out[c]);
    }
}

}  // namespace console::gx

using namespace console::gx;

void GXSetNumChans(u8 nChans) {
    LogCall("GXSetNumChans", "%u", nChans);
    if (nChans > 2)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetNumChans: %u channels\n", nChans);
    RasterStateCurrent().numChans = nChans;
}

void GXSetChanCtrl(GXChannelID chan, GXBool enable, GXColorSrc ambSrc, GXColorSrc matSrc, u32 lightMask,
                   GXDiffuseFn diffFn, GXAttnFn attnFn) {
    LogCall("GXSetChanCtrl", "%u, %u, %u, %u, 0x%02X, %u, %u", chan, enable, ambSrc, matSrc, lightMask,
            diffFn, attnFn);
    const ChanParts parts = PartsOf(chan, "GXSetChanCtrl");
    const ChanCtrl ctrl{enable != GX_FALSE, ambSrc, matSrc, u8(lightMask), diffFn, attnFn};
    ChanCtrl* ctrls = FrontStateCurrent().chanCtrl;
    if (parts.color)
        ctrls[parts.channel] = ctrl;
    if (parts.alpha)
        ctrls[2 + parts.channel] = ctrl;
}

void GXSetChanAmbColor(GXChannelID chan, GXColor color) {
    SetChanColor(FrontStateCurrent().ambColor, chan, color, "GXSetChanAmbColor");
}

void GXSetChanMatColor(GXChannelID chan, GXColor color) {
    SetChanColor(FrontStateCurrent().matColor, chan, color, "GXSetChanMatColor");
}

void GXLoadLightObjImm(const GXLightObj* light, GXLightID id) {
    LogCall("GXLoadLightObjImm", "0x%02X", id);
    if (light == nullptr || id == 0 || (id & (id - 1)) != 0)
        OSPanic(__FILE_NAME__, __LINE__, "GXLoadLightObjImm: no light object or light id 0x%02X\n", id);
    FrontStateCurrent().lights[std::countr_zero(u32(id))] = *light;
}
