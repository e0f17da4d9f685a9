#include "console/gx/gx_rasterize.h"

#include <algorithm>

namespace console::gx {

namespace {

s64 FloorDiv(s64 n, s64 d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The pixels [x0, x1] of row y whose centres the triangle covers.
bool RowSpan(const Triangle& t, int y, int* x0, int* x1) {
    s64 lo = t.minX;
    s64 hi = t.maxX;
    const s64 cy = s64(y) * 16 + 8;
    for (int i = 0; i < 3; ++i) {
        // E(x) = step * x + k at the centre of pixel x.
        const s64 step = t.edgeA[i] * 16;
        const s64 k = t.edgeA[i] * 8 + t.edgeB[i] * cy + t.edgeC[i];
        if (step > 0)
            lo = std::max(lo, -FloorDiv(k, step));
        else if (step < 0)
            hi = std::min(hi, FloorDiv(k, -step));
        else if (k < 0)
            return false;
    }
    *x0 = int(lo);
    *x1 = int(hi);
    return lo <= hi;
}

using Vf = float __attribute__((vector_size(16)));
using Vi = s32 __attribute__((vector_size(16)));

// Rounded to 0..255; NaN becomes 0.
Bgra ToBytes(Vf v) {
    v = v > 0.0f ? v : 0.0f;
    v = v < 255.0f ? v : 255.0f;
    return __builtin_convertvector(__builtin_convertvector(v + 0.5f, Vi), Bgra);
}

u32 ToDepth(double z) {
    return z > 0.0 ? (z < kMaxDepth ? u32(z + 0.5) : kMaxDepth) : 0u;
}

// A colour channel's planes in B, G, R, A order.
Vf ColorPlanes(const Plane* p, float px, float py) {
    return Vf{p[2].At(px, py), p[1].At(px, py), p[0].At(px, py), p[3].At(px, py)};
}

// s and t divided by q, with their screen-space derivatives.
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

// Every stage for the pixel at (px, py), interpolants read from their planes.
Bgra CombineAt(const RasterState& state, const TevPlan& tev, const Triangle& t, float px, float py, float w) {
    Rgba8 ras[2] = {};
    for (u32 ch = 0; ch < 2; ++ch)
        if ((tev.attrs & (ch == 0 ? kAttrMaskColor0 : kAttrMaskColor1)) != 0)
            ras[ch] = ToRgba8(ToBytes(ColorPlanes(&t.attr[ch == 0 ? kAttrColor0 : kAttrColor1], px, py) * w));
    TexCoordSample coords[kMaxTexCoords];
    for (u32 i = 0; i < kMaxTexCoords; ++i)
        coords[i] = (tev.attrs & AttrMaskTexCoord(i)) != 0 ? CoordAt(t, i, px, py) : TexCoordSample{};
    return ToBgra(TevCombine(state, ras, coords));
}

// A row is worked in stages over the whole span, so that each stage's
// switches are decided once per span rather than per pixel.
struct Span {
    int n;
    u32 z[kEfbWidth];
    bool live[kEfbWidth];
    Bgra color[kEfbWidth];
};

template <class Cmp>
void DepthSpan(Span& span, u32* depth, bool update, Cmp cmp) {
    for (int i = 0; i < span.n; ++i) {
        const bool pass = span.live[i] && cmp(span.z[i], depth[i]);
        span.live[i] = pass;
        if (update && pass)
            depth[i] = span.z[i];
    }
}

void DepthSpan(const PixelPlan& p, Span& span, u32* depth) {
    if (!p.zCompare)
        return;
    switch (p.zFunc) {
        case Compare::Less:
            DepthSpan(span, depth, p.zUpdate, [](u32 z, u32 d) { return z < d; });
            break;
        case Compare::LEqual:
            DepthSpan(span, depth, p.zUpdate, [](u32 z, u32 d) { return z <= d; });
            break;
        default:
            DepthSpan(span, depth, p.zUpdate, [&p](u32 z, u32 d) { return Passes(p.zFunc, z, d); });
            break;
    }
}

template <class Blend>
void WriteSpan(const PixelPlan& p, const Span& span, u32* stored, Blend blend) {
    const u32 keep = p.keepMask;
    const u32 valueMask = p.dstAlphaEnable ? 0x00FFFFFFu : ~0u;
    const u32 valueOr = p.dstAlphaEnable ? u32(p.dstAlpha) << 24 : 0u;
    for (int i = 0; i < span.n; ++i) {
        if (!span.live[i])
            continue;
        const u32 value = (blend(span.color[i], stored[i]) & valueMask) | valueOr;
        stored[i] = EfbStoredColor(p.format, (stored[i] & keep) | (value & ~keep));
    }
}

void WriteSpan(const PixelPlan& p, const Span& span, u32* stored) {
    if (!p.colorWrite)
        return;
    const bool alphaBlend = p.blendType == BlendType::Blend && p.blendSrc == BlendFactor::SrcAlpha &&
                            p.blendDst == BlendFactor::InvSrcAlpha;
    if (p.blendType == BlendType::None) {
        WriteSpan(p, span, stored, [](Bgra s, u32) { return Pack(s); });
    } else if (alphaBlend) {
        // The common case spelled out; the same sums as BlendColor.
        WriteSpan(p, span, stored, [](Bgra s, u32 dst) {
            const Bgra d = Unpack(dst);
            const u32 a = s[3];
            const u32 ia = 255 - a;
            u32 out = 0;
            for (int i = 0; i < 4; ++i)
                out |= (((s[i] * a + d[i] * ia + 127) * 0x8081u) >> 23) << (8 * i);
            return out;
        });
    } else {
        WriteSpan(p, span, stored, [&p](Bgra s, u32 dst) { return BlendColor(p, s, dst); });
    }
}

template <TevKind kKind>
void DrawRow(const RasterState& state, const DrawPlan& plan, const Triangle& t, int y, int x0, int x1) {
    static thread_local Span span;
    Efb& efb = EfbGet();
    const PixelPlan& pix = plan.pixel;
    u32* stored = &efb.color[u32(y) * kEfbWidth + u32(x0)];
    u32* depth = &efb.depth[u32(y) * kEfbWidth + u32(x0)];
    const float py = float(y) + 0.5f - t.originY;
    const float px0 = float(x0) + 0.5f - t.originX;
    span.n = x1 - x0 + 1;

    const double z0 = t.z0 + t.zdx * px0 + t.zdy * py;
    for (int i = 0; i < span.n; ++i) {
        span.z[i] = ToDepth(z0 + t.zdx * i);
        span.live[i] = true;
    }
    if (pix.earlyZ)
        DepthSpan(pix, span, depth);

    const float invW0 = t.invW.At(px0, py);
    const Plane* cp = &t.attr[plan.tev.channel == 0 ? kAttrColor0 : kAttrColor1];
    const Vf color0 = kKind != TevKind::General ? ColorPlanes(cp, px0, py) : Vf{};
    const Vf colorStep = kKind != TevKind::General ? Vf{cp[2].dx, cp[1].dx, cp[0].dx, cp[3].dx} : Vf{};
    for (int i = 0; i < span.n; ++i) {
        if (!span.live[i])
            continue;
        const float fi = float(i);
        const float w = t.constantW ? t.w : 1.0f / (invW0 + t.invW.dx * fi);
        Bgra out;
        if constexpr (kKind == TevKind::General) {
            out = CombineAt(state, plan.tev, t, px0 + fi, py, w);
        } else {
            out = ToBytes((color0 + colorStep * fi) * w);
            if constexpr (kKind == TevKind::Modulate) {
                const TexCoordSample coord = plan.tev.texCoord != kTevNull
                                                 ? CoordAt(t, plan.tev.texCoord, px0 + fi, py)
                                                 : TexCoordSample{};
                out = (ToBgra(TevSample(state, plan.tev.texMap, coord)) * out + 127) / 255;
            }
        }
        if (plan.fog.enabled)
            out = ToBgra(ApplyFog(plan.fog, ToRgba8(out), w, float(span.z[i]) / kMaxDepth));
        span.color[i] = out;
        span.live[i] = !pix.alphaTest || AlphaPasses(pix, out[3]);
    }

    if (!pix.earlyZ)
        DepthSpan(pix, span, depth);
    WriteSpan(pix, span, stored);
}

template <TevKind kKind>
void DrawRows(const RasterState& state, const DrawPlan& plan, const Triangle& t) {
    for (int y = t.minY; y <= t.maxY; ++y) {
        int x0, x1;
        if (RowSpan(t, y, &x0, &x1))
            DrawRow<kKind>(state, plan, t, y, x0, x1);
    }
}

}  // namespace

DrawPlan PlanDraw(const RasterState& state) {
    return {PlanTev(state), PlanPixels(state), PlanFog(state)};
}

void RasterizeTriangle(const RasterState& state, const DrawPlan& plan, const Triangle& tri) {
    switch (plan.tev.kind) {
        case TevKind::Raster:
            DrawRows<TevKind::Raster>(state, plan, tri);
            break;
        case TevKind::Modulate:
            DrawRows<TevKind::Modulate>(state, plan, tri);
            break;
        default:
            DrawRows<TevKind::General>(state, plan, tri);
            break;
    }
}

}  // namespace console::gx
