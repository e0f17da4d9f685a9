#include "console/gx/gx_clip.h"

#include <algorithm>
#include <utility>

namespace console::gx {

namespace {

constexpr u32 kPlaneCount = 6;

// Signed distance to a plane of the volume, positive inside.
float PlaneDistance(const RasterVertex& v, u32 plane) {
    const float* p = v.pos;
    switch (plane) {
        case 0:
            return p[3] + p[0];
        case 1:
            return p[3] - p[0];
        case 2:
            return p[3] + p[1];
        case 3:
            return p[3] - p[1];
        case 4:
            return p[3] + p[2];  // near: z/w = -1
        default:
            return -p[2];  // far: z/w = 0
    }
}

bool Inside(float distance) {
    return distance >= 0.0f;  // false for NaN
}

template <std::size_t N>
void LerpArray(float (&out)[N], const float (&a)[N], const float (&b)[N], float t) {
    for (std::size_t i = 0; i < N; ++i)
        out[i] = a[i] + t * (b[i] - a[i]);
}

RasterVertex Lerp(const RasterVertex& a, const RasterVertex& b, float t) {
    RasterVertex out;
    LerpArray(out.pos, a.pos, b.pos, t);
    for (u32 c = 0; c < 2; ++c)
        LerpArray(out.color[c], a.color[c], b.color[c], t);
    for (u32 i = 0; i < kMaxTexCoords; ++i)
        LerpArray(out.tex[i], a.tex[i], b.tex[i], t);
    return out;
}

// Where the edge from a (distance da) to b (distance db) crosses the plane; the
// distances have opposite signs, so the divisor is never zero.
RasterVertex Intersect(const RasterVertex& a, const RasterVertex& b, float da, float db) {
    return Lerp(a, b, da / (da - db));
}

}  // namespace

u32 ClipOutcode(const RasterVertex& v) {
    u32 code = 0;
    for (u32 plane = 0; plane < kPlaneCount; ++plane)
        code |= Inside(PlaneDistance(v, plane)) ? 0u : 1u << plane;
    return code;
}

u32 ClipTriangle(const RasterVertex& v0, const RasterVertex& v1, const RasterVertex& v2,
                 RasterVertex out[kMaxClipVertices]) {
    const u32 codes[3] = {ClipOutcode(v0), ClipOutcode(v1), ClipOutcode(v2)};
    if ((codes[0] & codes[1] & codes[2]) != 0)
        return 0;
    RasterVertex scratch[kMaxClipVertices];
    RasterVertex* src = out;
    RasterVertex* dst = scratch;
    src[0] = v0;
    src[1] = v1;
    src[2] = v2;
    u32 count = 3;
    const u32 crossed = codes[0] | codes[1] | codes[2];
    for (u32 plane = 0; plane < kPlaneCount && count > 0; ++plane) {
        if ((crossed & (1u << plane)) == 0)
            continue;
        u32 kept = 0;
        for (u32 i = 0; i < count; ++i) {
            const RasterVertex& a = src[i];
            const RasterVertex& b = src[(i + 1) % count];
            const float da = PlaneDistance(a, plane);
            const float db = PlaneDistance(b, plane);
            // Rounding can bend a clipped polygon; never keep more than fits.
            if (Inside(da) && kept < kMaxClipVertices)
                dst[kept++] = a;
            if (Inside(da) != Inside(db) && kept < kMaxClipVertices)
                dst[kept++] = Intersect(a, b, da, db);
        }
        count = kept;
        std::swap(src, dst);
    }
    if (src != out)
        for (u32 i = 0; i < count; ++i)
            out[i] = src[i];
    return count < 3 ? 0 : count;
}

bool ClipSegment(RasterVertex& a, RasterVertex& b) {
    const RasterVertex from = a;
    const RasterVertex to = b;
    float t0 = 0.0f;
    float t1 = 1.0f;
    for (u32 plane = 0; plane < kPlaneCount; ++plane) {
        const float da = PlaneDistance(from, plane);
        const float db = PlaneDistance(to, plane);
        if (!Inside(da) && !Inside(db))
            return false;
        if (!Inside(da))
            t0 = std::max(t0, da / (da - db));
        else if (!Inside(db))
            t1 = std::min(t1, da / (da - db));
    }
    if (!(t0 < t1))
        return false;
    a = Lerp(from, to, t0);
    b = Lerp(from, to, t1);
    return true;
}

}  // namespace console::gx
