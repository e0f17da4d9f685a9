#include "console/gx/gx_sampler.h"

#include <algorithm>
#include <cmath>

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

// floor for the bounded coordinates, without a library call.
int Floor(float v) {
    const int i = int(v);
    return float(i) > v ? i - 1 : i;
}

float TexelCoord(float v, u32 size) {
    const float u = v * float(size);
    return u > -kCoordLimit && u < kCoordLimit ? u : 0.0f;
}

Rgba8 Nearest(const TexLevel& level, const TexSampling& s, float sc, float tc) {
    const int x = Wrap(Floor(TexelCoord(sc, level.width)), int(level.width), s.wrapS);
    const int y = Wrap(Floor(TexelCoord(tc, level.height)), int(level.height), s.wrapT);
    return level.texels[std::size_t(y) * level.width + u32(x)];
}

u32 Word(Rgba8 c) {
    return u32(c.r) | u32(c.g) << 8 | u32(c.b) << 16 | u32(c.a) << 24;
}

// a + (b - a) w / 256 on all four bytes at once, two at a time in 16-bit lanes.
u32 LerpWord(u32 a, u32 b, u32 w) {
    const u32 lo = ((a & 0x00FF00FFu) * (256 - w) + (b & 0x00FF00FFu) * w + 0x00800080u) >> 8 & 0x00FF00FFu;
    const u32 hi =
        ((a >> 8 & 0x00FF00FFu) * (256 - w) + (b >> 8 & 0x00FF00FFu) * w + 0x00800080u) & 0xFF00FF00u;
    return lo | hi;
}

// Weights in 256ths between the four texels around the sample point.
Rgba8 Bilinear(const TexLevel& level, const TexSampling& s, float sc, float tc) {
    const float u = TexelCoord(sc, level.width) - 0.5f, v = TexelCoord(tc, level.height) - 0.5f;
    const int x = Floor(u), y = Floor(v);
    const u32 wu = u32((u - float(x)) * 256.0f), wv = u32((v - float(y)) * 256.0f);
    const int w = int(level.width), h = int(level.height);
    const u32 x0 = u32(Wrap(x, w, s.wrapS)), x1 = u32(Wrap(x + 1, w, s.wrapS));
    const Rgba8* row0 = &level.texels[std::size_t(Wrap(y, h, s.wrapT)) * level.width];
    const Rgba8* row1 = &level.texels[std::size_t(Wrap(y + 1, h, s.wrapT)) * level.width];
    const u32 top = LerpWord(Word(row0[x0]), Word(row0[x1]), wu);
    const u32 bottom = LerpWord(Word(row1[x0]), Word(row1[x1]), wu);
    const u32 out = LerpWord(top, bottom, wv);
    return {u8(out), u8(out >> 8), u8(out >> 16), u8(out >> 24)};
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
