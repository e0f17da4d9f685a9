#include "console/gx/gx_sampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "console/gx.h"

namespace console::gx {

namespace {

// One pixel at a time: vectors of one lane.
using VF = float __attribute__((vector_size(4)));
using VI = s32 __attribute__((vector_size(4)));
using VU = u32 __attribute__((vector_size(4)));
using VH = u16 __attribute__((vector_size(4)));

bool Any(VI mask) {
    return mask[0] != 0;
}

VU Gather(const Rgba8* texels, VI index) {
    u32 word;
    std::memcpy(&word, &texels[index[0]], sizeof word);
    return VU{word};
}

VU Spread(const Rgba8* texels, VI index) {
    return Gather(texels, index);
}

void GatherPairs(const Rgba8* texels, VI index, VU& left, VU& right) {
    left = Gather(texels, index);
    right = Gather(texels, index + 1);
}

void GatherQuads(const TexelQuad* quads, VI at, VU& topLeft, VU& topRight, VU& bottomLeft, VU& bottomRight) {
    const TexelQuad& q = quads[at[0]];
    topLeft = VU{q.topLeft};
    topRight = VU{q.topRight};
    bottomLeft = VU{q.bottomLeft};
    bottomRight = VU{q.bottomRight};
}

#include "console/gx/gx_sampler_kernel.h"

TexLevelView ViewOf(const TexLevel& level, const TexSampling& s, bool linear) {
    return {level.texels.get(), s32(level.width), s32(level.height), s.wrapS, s.wrapT, linear};
}

Rgba8 Read(const TexLevelView& view, float sc, float tc) {
    const u32 word = SampleLevel(view, VF{sc}, VF{tc})[0];
    return {u8(word), u8(word >> 8), u8(word >> 16), u8(word >> 24)};
}

Rgba8 Filter(const TexLevel& level, const TexSampling& s, bool linear, float sc, float tc) {
    return Read(ViewOf(level, s, linear), sc, tc);
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

std::vector<TexelQuad> MakeTexelQuads(const TexLevel& level, u8 wrapS, u8 wrapT) {
    const s32 w = s32(level.width), h = s32(level.height);
    const s32 columns = QuadSpan(w, wrapS), rows = QuadSpan(h, wrapT);
    // A clamp's first column is the one left of the texture.
    const s32 left = QuadColumn(VI{0}, w, wrapS)[0], top = QuadColumn(VI{0}, h, wrapT)[0];
    // The texel columns and rows the quads read, wrapped once each rather than once
    // a texel: textures drawn into every frame are re-cut every frame.
    std::vector<s32> xs(std::size_t(columns) + 1), ys(std::size_t(rows) + 1);
    for (s32 i = 0; i <= columns; ++i)
        xs[std::size_t(i)] = WrapTexel(VI{i - left}, w, wrapS)[0];
    for (s32 i = 0; i <= rows; ++i)
        ys[std::size_t(i)] = WrapTexel(VI{i - top}, h, wrapT)[0] * w;
    auto at = [&](s32 row, s32 column) {
        u32 word;
        std::memcpy(&word, &level.texels[std::size_t(row + column)], sizeof word);
        return word;
    };
    std::vector<TexelQuad> quads(std::size_t(columns) * std::size_t(rows));
    TexelQuad* quad = quads.data();
    for (s32 y = 0; y < rows; ++y) {
        const s32 top0 = ys[std::size_t(y)], top1 = ys[std::size_t(y) + 1];
        for (s32 x = 0; x < columns; ++x) {
            const s32 x0 = xs[std::size_t(x)], x1 = xs[std::size_t(x) + 1];
            *quad++ = {at(top0, x0), at(top0, x1), at(top1, x0), at(top1, x1)};
        }
    }
    return quads;
}

bool ViewTexture(const DecodedTexture& tex, const TexSampling& s, TexLevelView* view) {
    if (s.minFilter >= GX_NEAR_MIP_NEAR || s.minFilter != s.magFilter)
        return false;
    *view = ViewOf(tex.levels[0], s, s.magFilter == GX_LINEAR);
    return true;
}

Rgba8 SampleTexture(const DecodedTexture& tex, const TexSampling& s, const TexCoordSample& c) {
    if (TexLevelView view; ViewTexture(tex, s, &view))
        return Read(view, c.s, c.t);
    const TexLevel& base = tex.levels[0];
    const bool mipmapped = s.minFilter >= GX_NEAR_MIP_NEAR;
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
