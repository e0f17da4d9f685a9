// Triangle setup: clip-space vertices through the viewport to the screen, then
// culling, edge equations with the top-left fill rule, and the planes of depth,
// 1/w and the attributes.
#pragma once

#include <cstddef>

#include "console/gx/gx_raster.h"

namespace console::gx {

// Attribute slots: the two colour channels (0..255) and s, t, q of each
// texture coordinate.
constexpr u32 kAttrColor0 = 0;
constexpr u32 kAttrColor1 = 4;
constexpr u32 kAttrTex0 = 8;
constexpr u32 kAttrCount = kAttrTex0 + 3 * kMaxTexCoords;

// Which attribute slots a draw needs, one bit per slot.
using AttrMask = u32;
constexpr AttrMask kAttrMaskColor0 = 0xFu << kAttrColor0;
constexpr AttrMask kAttrMaskColor1 = 0xFu << kAttrColor1;
constexpr AttrMask AttrMaskTexCoord(u32 i) {
    return 7u << (kAttrTex0 + 3 * i);
}

// floor(n / d) for d > 0.
inline s64 FloorDiv(s64 n, s64 d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

struct ScreenVertex {
    float x, y;  // pixels
    double z;    // 0..kMaxDepth
    float invW;
    float attr[kAttrCount];  // each already divided by w
};

// False when the vertex cannot be placed on the screen (w not positive, not a
// number, or far beyond any frame buffer).
bool ProjectVertex(const Viewport& viewport, const RasterVertex& v, AttrMask attrs, ScreenVertex* out);

// A vertex's screen position as PlaceTriangle snaps it (sixteenths of a
// pixel); not placed when it cannot be worked out so early.
struct SnappedCorner {
    s64 x, y;
    bool placed;
};
SnappedCorner SnapCorner(const Viewport& viewport, const RasterVertex& v);

// False only for a triangle of placed corners that PlaceTriangle would cull or
// find without area: its vertices need no lighting for it.
bool MayDraw(const SnappedCorner& a, const SnappedCorner& b, const SnappedCorner& c, Cull cull);

struct Plane {
    float c, dx, dy;  // value at the origin, steps per pixel
    float At(float x, float y) const { return c + dx * x + dy * y; }
};

// On whole cache lines: set-ups are streamed out line by line (gx_geometry.cpp).
struct alignas(64) Triangle {
    // Edge functions in sixteenths of a pixel, E = A x + B y + C; a pixel centre
    // is covered when all three are >= 0 (the fill rule is folded into C).
    s64 edgeA[3], edgeB[3], edgeC[3];
    s32 minX, maxX, minY, maxY;  // inclusive, within scissor and frame buffer
    float originX, originY;      // planes are relative to this point
    double z0, zdx, zdy;
    Plane invW;
    bool constantW;  // all vertices share w: no per-pixel divide
    float w;         // that w
    Plane attr[kAttrCount];
};

// The whole lines of a set-up that hold what a draw with `attrs` reads: the
// edges and planes before the attributes, and those up to the last it needs.
inline u32 SetupBytes(AttrMask attrs) {
    const u32 slots = attrs == 0 ? 0 : 32 - u32(__builtin_clz(attrs));
    const u32 bytes = u32(offsetof(Triangle, attr) + slots * sizeof(Plane));
    return (bytes + alignof(Triangle) - 1) / alignof(Triangle) * alignof(Triangle);
}

// Where a triangle lies: its corners snapped to sixteenths of a pixel, in
// clockwise order, and the pixels it may cover. Cheap: worked out as the
// triangle is drawn, its edges and planes later and on any thread.
struct TrianglePlace {
    s64 x[3], y[3];
    u8 vertex[3];                // which of the three vertices each corner is
    s64 area;                    // twice the area, positive
    s32 minX, maxX, minY, maxY;  // inclusive, within scissor and frame buffer
};

// False when the triangle is culled, has no area or misses the scissor.
bool PlaceTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2, Cull cull,
                   const Scissor& scissor, TrianglePlace* out);
// The edges and planes of the triangle PlaceTriangle placed, its vertices in
// the order it took them.
void SetupTriangle(const ScreenVertex* const (&v)[3], const TrianglePlace& place, AttrMask attrs,
                   Triangle* out);

}  // namespace console::gx
