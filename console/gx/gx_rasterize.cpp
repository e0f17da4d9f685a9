#include "console/gx/gx_rasterize.h"

#include <algorithm>
#include <cstring>

#include "console/gx.h"
#include "console/gx/gx_raster_draw.h"
#include "console/gx/gx_raster_simd.h"

namespace console::gx {

namespace {

using Vf = float __attribute__((vector_size(16)));
using Vi = s32 __attribute__((vector_size(16)));

// Rounded to 0..255; NaN becomes 0.
Bgra ToBgraBytes(Vf v) {
    v = v > 0.0f ? v : 0.0f;
    v = v < 255.0f ? v : 255.0f;
    return __builtin_convertvector(__builtin_convertvector(v + 0.5f, Vi), Bgra);
}

// A colour channel's planes in B, G, R, A order.
Vf ColorPlanes(const Plane* p, float px, float py) {
    return Vf{p[2].At(px, py), p[1].At(px, py), p[0].At(px, py), p[3].At(px, py)};
}

// The baseline loops, four pixels at a time.
using namespace simd;
using VF = V4f;
using VI = V4i;
using VU = V4u;
using VH = V8h;
constexpr int kLanes = 4;

// Rounded to 0..255; NaN becomes 0.
VU ToBytes(VF v) {
    v = Min(Max(v, VF{}), VF{} + 255.0f);
    return VU(__builtin_convertvector(v + 0.5f, VI));
}

VU Gather(const Rgba8* texels, VI index) {
    u32 words[kLanes];
    for (int i = 0; i < kLanes; ++i)
        std::memcpy(&words[i], &texels[index[i]], sizeof words[i]);
    VU out;
    std::memcpy(&out, words, sizeof out);
    return out;
}

VU Spread(const Rgba8* texels, VI index) {
    return Gather(texels, index);
}

// Each lane's texel and the one right of it, read as one word pair.
void GatherPairs(const Rgba8* texels, VI index, VU& left, VU& right) {
    VU pairs[2];
    for (int i = 0; i < kLanes; ++i)
        std::memcpy(reinterpret_cast<u32*>(pairs) + 2 * i, &texels[index[i]], 2 * sizeof(u32));
    left = __builtin_shufflevector(pairs[0], pairs[1], 0, 2, 4, 6);
    right = __builtin_shufflevector(pairs[0], pairs[1], 1, 3, 5, 7);
}

// The four footprints as rows, turned into four vectors of the lanes' corners.
void GatherQuads(const TexelQuad* quads, VI at, VU& topLeft, VU& topRight, VU& bottomLeft, VU& bottomRight) {
    VU q[kLanes];
    for (int i = 0; i < kLanes; ++i)
        std::memcpy(&q[i], &quads[at[i]], sizeof q[i]);
    const VU a = __builtin_shufflevector(q[0], q[1], 0, 4, 1, 5),
             b = __builtin_shufflevector(q[0], q[1], 2, 6, 3, 7);
    const VU c = __builtin_shufflevector(q[2], q[3], 0, 4, 1, 5),
             d = __builtin_shufflevector(q[2], q[3], 2, 6, 3, 7);
    topLeft = __builtin_shufflevector(a, c, 0, 1, 4, 5);
    topRight = __builtin_shufflevector(a, c, 2, 3, 6, 7);
    bottomLeft = __builtin_shufflevector(b, d, 0, 1, 4, 5);
    bottomRight = __builtin_shufflevector(b, d, 2, 3, 6, 7);
}

#include "console/gx/gx_sampler_kernel.h"

// Rounded to 0..kMaxDepth; NaN becomes 0.
V2i ToDepth(V2d z) {
    z = Min(Max(z, V2d{}), V2d{} + double(kMaxDepth));
    return __builtin_convertvector(z + 0.5, V2i);
}

// The depths of four pixels, the first `rel` pixels right of the span's start.
VU DepthAt(double z0, double zdx, int rel) {
    const double r = rel;
    const V2i lo = ToDepth(z0 + zdx * V2d{r, r + 1});
    const V2i hi = ToDepth(z0 + zdx * V2d{r + 2, r + 3});
    return VU(__builtin_shufflevector(lo, hi, 0, 1, 2, 3));
}

#include "console/gx/gx_raster_kernel.h"

}  // namespace

TexCoordSample CoordAt(const Triangle& t, u32 coord, float px, float py) {
    const Plane& ps = t.attr[kAttrTex0 + 3 * coord];
    const Plane& pt = t.attr[kAttrTex0 + 3 * coord + 1];
    const Plane& pq = t.attr[kAttrTex0 + 3 * coord + 2];
    const float q = pq.At(px, py);
    if (!(q > 1e-30f || q < -1e-30f))
        return {};
    const float iq = 1.0f / q;
    const float s = ps.At(px, py) * iq;
    const float tt = pt.At(px, py) * iq;
    return {s,
            tt,
            (ps.dx - s * pq.dx) * iq,
            (pt.dx - tt * pq.dx) * iq,
            (ps.dy - s * pq.dy) * iq,
            (pt.dy - tt * pq.dy) * iq};
}

u32 CombineAt(const RasterState& state, const TevPlan& tev, const Triangle& t, float px, float py, float w) {
    Rgba8 ras[2] = {};
    for (u32 ch = 0; ch < 2; ++ch)
        if ((tev.attrs & (ch == 0 ? kAttrMaskColor0 : kAttrMaskColor1)) != 0)
            ras[ch] =
                ToRgba8(ToBgraBytes(ColorPlanes(&t.attr[ch == 0 ? kAttrColor0 : kAttrColor1], px, py) * w));
    TexCoordSample coords[kMaxTexCoords];
    for (u32 i = 0; i < kMaxTexCoords; ++i)
        coords[i] = (tev.attrs & AttrMaskTexCoord(i)) != 0 ? CoordAt(t, i, px, py) : TexCoordSample{};
    return PackRgba(TevCombine(state, ras, coords));
}

DrawPlan PlanDraw(const RasterState& state) {
    DrawPlan plan{PlanTev(state), PlanPixels(state), PlanFog(state), DepthPath::Off, BlendPath::Other};
    const PixelPlan& p = plan.pixel;
    // A test every pixel passes that writes nothing is no test.
    if (p.zCompare && !(p.zFunc == Compare::Always && !p.zUpdate))
        plan.depth = p.zFunc == Compare::Less     ? DepthPath::Less
                     : p.zFunc == Compare::LEqual ? DepthPath::LEqual
                     : p.zFunc == Compare::Always ? DepthPath::Always
                                                  : DepthPath::Other;
    if (p.blendType == BlendType::None)
        plan.blend = BlendPath::Replace;
    else if (p.blendType == BlendType::Blend && p.blendSrc == BlendFactor::SrcAlpha &&
             p.blendDst == BlendFactor::InvSrcAlpha)
        plan.blend = BlendPath::SrcAlpha;
    else if (p.blendType == BlendType::Blend && p.blendSrc == BlendFactor::One &&
             p.blendDst == BlendFactor::One)
        plan.blend = BlendPath::Add;
    return plan;
}

void ViewTextures(const RasterState& state, const DrawPlan& plan, TexViews* views) {
    const TevKind kind = plan.tev.kind;
    const bool modulate = kind == TevKind::Modulate || kind == TevKind::ModulateTwice || kind == TevKind::Yuv;
    const u8 maps[3] = {plan.tev.texMap, plan.tev.texMap2, plan.tev.texMap3};
    for (u32 i = 0; i < 3; ++i)
        views->viewed[i] = modulate && maps[i] != kTevNull && state.viewer != nullptr &&
                           state.viewer(state.samplerContext, maps[i], &views->view[i]);
}

void RasterizeTriangle(const RasterState& state, const DrawPlan& plan, const TexViews& views,
                       const Triangle& tri, int top, int bottom) {
    const PixelPlan& p = plan.pixel;
    const TriangleDraw d{
        state,
        plan,
        tri,
        &tri.attr[plan.tev.channel == 0 ? kAttrColor0 : kAttrColor1],
        p.zCompare || plan.fog.enabled,
        // A plain colour nobody reads need not be worked out; textures and
        // combiners are, for the sampler sees every shaded pixel.
        p.colorWrite || p.alphaTest || plan.tev.kind != TevKind::Raster,
        p.dstAlphaEnable ? 0x00FFFFFFu : ~0u,
        p.dstAlphaEnable ? u32(p.dstAlpha) << 24 : 0u,
        // An RGB8 buffer stores no alpha, so what is done to alpha cannot matter.
        p.earlyZ && !plan.fog.enabled && !p.alphaTest && (p.keepMask & 0x00FFFFFFu) == 0 &&
            p.format == PixelFormat::RGB8_Z24,
        views.viewed[0] ? &views.view[0] : nullptr,
        views.viewed[1] ? &views.view[1] : nullptr,
        views.viewed[2] ? &views.view[2] : nullptr,
        top,
        bottom,
    };
    if (!DrawTriangleWide(d))
        DrawTriangleRows(d);
}

}  // namespace console::gx
