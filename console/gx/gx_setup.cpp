#include "console/gx/gx_setup.h"

#include <algorithm>
#include <bit>

#include "console/gx/gx_efb.h"

namespace console::gx {

namespace {

constexpr int kSubPixelBits = 4;
constexpr float kSubPixels = 1 << kSubPixelBits;
// Clipped vertices lie within the viewport; anything beyond this is a broken one.
constexpr float kCoordLimit = 16384.0f;

bool Finite(float v, float limit) {
    return v >= -limit && v <= limit;  // false for NaN
}

float Clamp01(float v) {
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;  // NaN becomes 0
}

struct Fixed {
    s64 x, y;
};

// std::floor to an integer, for any |v| below 2^63: the truncation, one less when
// it went up. Cheaper than the library's rounding without SSE4.1.
s64 FloorToInt(float v) {
    const s64 t = s64(v);
    return float(t) > v ? t - 1 : t;
}

Fixed Snap(const ScreenVertex& v) {
    return {FloorToInt(v.x * kSubPixels + 0.5f), FloorToInt(v.y * kSubPixels + 0.5f)};
}

// Twice the signed area in sixteenths squared; positive when the screen order
// is clockwise.
s64 Area(Fixed a, Fixed b, Fixed c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool Culled(Cull cull, s64 area) {
    switch (cull) {
        case Cull::None:
            return false;
        case Cull::Front:
            return area > 0;
        case Cull::Back:
            return area < 0;
        default:
            return true;
    }
}

// The plane through three values at the vertices, relative to vertex 0.
Plane MakePlane(const float (&x)[3], const float (&y)[3], float invDet, float a0, float a1, float a2) {
    const float d1 = a1 - a0;
    const float d2 = a2 - a0;
    return {a0, (d1 * (y[2] - y[0]) - d2 * (y[1] - y[0])) * invDet,
            (d2 * (x[1] - x[0]) - d1 * (x[2] - x[0])) * invDet};
}

// The vertex's place on the screen, as ProjectVertex works it out.
void ScreenXY(const Viewport& viewport, const RasterVertex& v, float invW, float* x, float* y) {
    *x = viewport.left + viewport.width * 0.5f * (1.0f + v.pos[0] * invW);
    *y = viewport.top + viewport.height * 0.5f * (1.0f - v.pos[1] * invW);
}

}  // namespace

bool ProjectVertex(const Viewport& viewport, const RasterVertex& v, AttrMask attrs, ScreenVertex* out) {
    const float w = v.pos[3];
    if (!(w > 0.0f))
        return false;
    const float invW = 1.0f / w;
    ScreenXY(viewport, v, invW, &out->x, &out->y);
    const double depth01 = double(v.pos[2] * invW) + 1.0;
    out->z = (viewport.nearZ + (double(viewport.farZ) - viewport.nearZ) * depth01) * kMaxDepth;
    out->invW = invW;
    if (!Finite(out->x, kCoordLimit) || !Finite(out->y, kCoordLimit) || !Finite(invW, 1e30f) ||
        !(out->z >= -1e12 && out->z <= 1e12))
        return false;
    for (u32 c = 0; c < 2; ++c)
        for (u32 i = 0; i < 4; ++i)
            out->attr[kAttrColor0 + 4 * c + i] = Clamp01(v.color[c][i]) * 255.0f * invW;
    for (u32 t = 0; t < kMaxTexCoords; ++t) {
        if ((attrs & AttrMaskTexCoord(t)) == 0)
            continue;
        for (u32 i = 0; i < 3; ++i) {
            const float value = v.tex[t][i] * invW;
            out->attr[kAttrTex0 + 3 * t + i] = Finite(value, 1e30f) ? value : 0.0f;
        }
    }
    return true;
}

SnappedCorner SnapCorner(const Viewport& viewport, const RasterVertex& v) {
    const float w = v.pos[3];
    if (!(w > 0.0f))
        return {0, 0, false};  // outside the volume: clipping decides
    ScreenVertex s;
    ScreenXY(viewport, v, 1.0f / w, &s.x, &s.y);
    if (!Finite(s.x, kCoordLimit) || !Finite(s.y, kCoordLimit))
        return {0, 0, false};
    const Fixed p = Snap(s);
    return {p.x, p.y, true};
}

bool MayDraw(const SnappedCorner& a, const SnappedCorner& b, const SnappedCorner& c, Cull cull) {
    if (!a.placed || !b.placed || !c.placed)
        return true;
    const s64 area = Area({a.x, a.y}, {b.x, b.y}, {c.x, c.y});
    return area != 0 && !Culled(cull, area);
}

bool PlaceTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2, Cull cull,
                   const Scissor& scissor, TrianglePlace* out) {
    const Fixed a = Snap(v0), b = Snap(v1), c = Snap(v2);
    const s64 signedArea = Area(a, b, c);
    if (signedArea == 0 || Culled(cull, signedArea))
        return false;

    const s64 scissorRight = std::min<s64>(s64(scissor.left) + scissor.width, kEfbWidth);
    const s64 scissorBottom = std::min<s64>(s64(scissor.top) + scissor.height, kEfbHeight);
    const s64 minX = std::max<s64>(FloorDiv(std::min({a.x, b.x, c.x}), 16), scissor.left);
    const s64 maxX = std::min<s64>(FloorDiv(std::max({a.x, b.x, c.x}), 16), scissorRight - 1);
    const s64 minY = std::max<s64>(FloorDiv(std::min({a.y, b.y, c.y}), 16), scissor.top);
    const s64 maxY = std::min<s64>(FloorDiv(std::max({a.y, b.y, c.y}), 16), scissorBottom - 1);
    if (minX > maxX || minY > maxY)
        return false;
    // Counter-clockwise corners are taken 0, 2, 1. Written field by field: the
    // corners kept in registers, not reloaded whole from a swapped array.
    const bool flip = signedArea < 0;
    const Fixed& second = flip ? c : b;
    const Fixed& third = flip ? b : c;
    out->x[0] = a.x;
    out->y[0] = a.y;
    out->x[1] = second.x;
    out->y[1] = second.y;
    out->x[2] = third.x;
    out->y[2] = third.y;
    out->vertex[0] = 0;
    out->vertex[1] = flip ? 2 : 1;
    out->vertex[2] = flip ? 1 : 2;
    out->area = flip ? -signedArea : signedArea;
    out->minX = s32(minX);
    out->maxX = s32(maxX);
    out->minY = s32(minY);
    out->maxY = s32(maxY);
    return true;
}

void SetupTriangle(const ScreenVertex* const (&vertices)[3], const TrianglePlace& place, AttrMask attrs,
                   Triangle* out) {
    const ScreenVertex* v[3] = {vertices[place.vertex[0]], vertices[place.vertex[1]],
                                vertices[place.vertex[2]]};
    const Fixed p[3] = {{place.x[0], place.y[0]}, {place.x[1], place.y[1]}, {place.x[2], place.y[2]}};
    out->minX = place.minX;
    out->maxX = place.maxX;
    out->minY = place.minY;
    out->maxY = place.maxY;

    for (int i = 0; i < 3; ++i) {
        const Fixed a = p[i];
        const Fixed b = p[(i + 1) % 3];
        const s64 dx = b.x - a.x;
        const s64 dy = b.y - a.y;
        // Top-left rule: pixel centres on a top or left edge belong to the triangle.
        const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
        out->edgeA[i] = -dy;
        out->edgeB[i] = dx;
        out->edgeC[i] = dy * a.x - dx * a.y - (topLeft ? 0 : 1);
    }

    const float x[3] = {p[0].x / kSubPixels, p[1].x / kSubPixels, p[2].x / kSubPixels};
    const float y[3] = {p[0].y / kSubPixels, p[1].y / kSubPixels, p[2].y / kSubPixels};
    out->originX = x[0];
    out->originY = y[0];
    const double det = double(place.area) / (kSubPixels * kSubPixels);
    const float invDet = float(1.0 / det);
    const double zd1 = v[1]->z - v[0]->z;
    const double zd2 = v[2]->z - v[0]->z;
    out->z0 = v[0]->z;
    out->zdx = (zd1 * (y[2] - y[0]) - zd2 * (y[1] - y[0])) / det;
    out->zdy = (zd2 * (x[1] - x[0]) - zd1 * (x[2] - x[0])) / det;
    out->invW = MakePlane(x, y, invDet, v[0]->invW, v[1]->invW, v[2]->invW);
    out->constantW = std::bit_cast<u32>(v[0]->invW) == std::bit_cast<u32>(v[1]->invW) &&
                     std::bit_cast<u32>(v[0]->invW) == std::bit_cast<u32>(v[2]->invW);
    out->w = 1.0f / v[0]->invW;
    for (AttrMask rest = attrs; rest != 0; rest &= rest - 1) {
        const int i = std::countr_zero(rest);
        out->attr[i] = MakePlane(x, y, invDet, v[0]->attr[i], v[1]->attr[i], v[2]->attr[i]);
    }
}

}  // namespace console::gx
