#include "console/gx/gx_sampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "console/gx.h"

namespace console::gx {

namespace {

// Texel coordinates far outside any texture wrap the same as nearer ones would;
// the bound keeps the conversions to int defined.
constexpr float kCoordLimit = 1 << 20;

// Power-of-two sizes, the usual ones, wrap without a division.
int Wrap(int i, int n, u8 mode) {
    const bool pow2 = (n & (n - 1)) == 0;
    switch (mode) {
        case GX_REPEAT:
            return pow2 ? i & (n - 1) : (i % n + n) % n;
        case GX_MIRROR: {
            const int m = pow2 ? i & (2 * n - 1) : (i % (2 * n) + 2 * n) % (2 * n);
            return m < n ? m : 2 * n - 1 - m;
        }
        default:
            return std::clamp(i, 0, n - 1);
    }
}

float TexelCoord(float v, u32 size) {
    const float u = v * float(size);
    return u > -kCoordLimit && u < kCoordLimit ? u : 0.0f;
}

Rgba8 Fetch(const TexLevel& level, const TexSampling& s, int x, int y) {
    const int wx = Wrap(x, int(level.width), s.wrapS), wy = Wrap(y, int(level.height), s.wrapT);
    return level.texels[std::size_t(wy) * level.width + u32(wx)];
}

Rgba8 Nearest(const TexLevel& level, const TexSampling& s, float sc, float tc) {
    return Fetch(level, s, int(std::floor(TexelCoord(sc, level.width))),
                 int(std::floor(TexelCoord(tc, level.height))));
}

// Weights in 256ths between the four texels around the sample point.
Rgba8 Bilinear(const TexLevel& level, const TexSampling& s, float sc, float tc) {
    const float u = TexelCoord(sc, level.width) - 0.5f, v = TexelCoord(tc, level.height) - 0.5f;
    const float fu = std::floor(u), fv = std::floor(v);
    const int x = int(fu), y = int(fv);
    const int wu = int((u - fu) * 256.0f), wv = int((v - fv) * 256.0f);
    const Rgba8 a = Fetch(level, s, x, y), b = Fetch(level, s, x + 1, y);
    const Rgba8 c = Fetch(level, s, x, y + 1), d = Fetch(level, s, x + 1, y + 1);
    auto mix = [&](u8 p, u8 q, u8 r, u8 t) {
        const int top = p * (256 - wu) + q * wu, bottom = r * (256 - wu) + t * wu;
        return u8((top * (256 - wv) + bottom * wv + (1 << 15)) >> 16);
    };
    return {mix(a.r, b.r, c.r, d.r), mix(a.g, b.g, c.g, d.g), mix(a.b, b.b, c.b, d.b),
            mix(a.a, b.a, c.a, d.a)};
}

Rgba8 Filter(const TexLevel& level, const TexSampling& s, bool linear, float sc, float tc) {
    return linear ? Bilinear(level, s, sc, tc) : Nearest(level, s, sc, tc);
}

Rgba8 Lerp(Rgba8 a, Rgba8 b, float f) {
    const int w = int(f * 256.0f);
    auto mix = [w](u8 p, u8 q) { return u8((p * (256 - w) + q * w + 128) >> 8); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)};
}

// log2 of the larger footprint of a pixel, in texels of the first level.
float LevelOfDetail(const TexLevel& base, const TexCoordSample& c) {
    const float w = float(base.width), h = float(base.height);
    const float x = std::hypot(c.dsdx * w, c.dtdx * h), y = std::hypot(c.dsdy * w, c.dtdy * h);
    const float rho = std::max(x, y);
    return rho > 0.0f ? std::log2(rho) : -kCoordLimit;
}

}  // namespace

Rgba8 SampleTexture(const DecodedTexture& tex, const TexSampling& s, const TexCoordSample& c) {
    const TexLevel& base = tex.levels[0];
    const bool mipmapped = s.minFilter >= GX_NEAR_MIP_NEAR;
    if (!mipmapped && s.minFilter == s.magFilter)
        return Filter(base, s, s.magFilter == GX_LINEAR, c.s, c.t);
    float lod = LevelOfDetail(base, c) + s.lodBias;
    lod = std::clamp(lod, s.minLod, std::max(s.minLod, s.maxLod));
    if (lod <= 0.0f)
        return Filter(base, s, s.magFilter == GX_LINEAR, c.s, c.t);
    const bool linear =
        s.minFilter == GX_LINEAR || s.minFilter == GX_LIN_MIP_NEAR || s.minFilter == GX_LIN_MIP_LIN;
    if (!mipmapped)
        return Filter(base, s, linear, c.s, c.t);
    const float last = float(tex.levels.size() - 1);
    lod = std::min(lod, last);
    if (s.minFilter == GX_NEAR_MIP_NEAR || s.minFilter == GX_LIN_MIP_NEAR)
        return Filter(tex.levels[std::size_t(lod + 0.5f)], s, linear, c.s, c.t);
    const std::size_t lo = std::size_t(lod);
    const std::size_t hi = std::min(lo + 1, tex.levels.size() - 1);
    return Lerp(Filter(tex.levels[lo], s, linear, c.s, c.t), Filter(tex.levels[hi], s, linear, c.s, c.t),
                lod - float(lo));
}

}  // namespace console::gx
