// What the row loops of every vector width share: the triangle's draw, the
// walk down its edges and the per-pixel helpers the loops call.
#pragma once

#include <cmath>

#include "console/gx/gx_rasterize.h"

namespace console::gx {

// FloorDiv with its remainder, for the values of an edge walk (magnitudes
// under 2^53), through a double division, far cheaper than a 64-bit integer
// one: the rounded quotient is at most one off, and the remainder puts it right.
inline s64 FloorDivRem(s64 n, s64 d, s64* remainder) {
    s64 q = s64(std::floor(double(n) / double(d)));
    s64 r = n - q * d;
    if (r < 0) {
        --q;
        r += d;
    } else if (r >= d) {
        ++q;
        r -= d;
    }
    *remainder = r;
    return q;
}

// One edge's bound on the pixels of a row. At the centre of pixel x of a row,
// E = step * x + k; with d = |step| the bound is floor(k / d), followed from
// row to row as a quotient and remainder (k grows by a fixed amount per row),
// so that rows cost no division.
struct EdgeWalk {
    int side;  // +1 bounds the left end, -1 the right; 0: k alone decides
    s64 q, r, d, dq, dr;

    void Start(const Triangle& t, int i, int y) {
        const s64 step = t.edgeA[i] * 16;
        const s64 k = t.edgeA[i] * 8 + t.edgeB[i] * (s64(y) * 16 + 8) + t.edgeC[i];
        const s64 dk = t.edgeB[i] * 16;
        if (step == 0) {
            side = 0;
            q = k;
            dq = dk;
            r = dr = d = 0;
            return;
        }
        side = step > 0 ? 1 : -1;
        d = step > 0 ? step : -step;
        q = FloorDivRem(k, d, &r);
        dq = FloorDivRem(dk, d, &dr);
    }

    void Next() {
        q += dq;
        r += dr;
        if (side != 0 && r >= d) {
            r -= d;
            ++q;
        }
    }
};

// What a triangle's rows share.
struct TriangleDraw {
    const RasterState& state;
    const DrawPlan& plan;
    const Triangle& t;
    const Plane* colorPlanes;  // the channel Raster and Modulate read, R G B A
    bool needZ;                // depths for the test or for fog
    bool shade;                // the colour matters
    u32 valueMask, valueOr;    // destination alpha
    bool plain;                // see DrawRows
    const TexLevelView*
        texView;  // Modulate, ModulateTwice, Yuv: the map read a group of pixels at a time, or null
    const TexLevelView* texView2;  // ModulateTwice and Yuv: the second map, the same way
    const TexLevelView* texView3;  // Yuv: the third map
    int top, bottom;               // the band of rows drawn
};

inline u32 PackRgba(Rgba8 c) {
    return u32(c.b) | u32(c.g) << 8 | u32(c.r) << 16 | u32(c.a) << 24;
}

inline Rgba8 UnpackRgba(u32 c) {
    return {u8(c >> 16), u8(c >> 8), u8(c), u8(c >> 24)};
}

// s and t divided by q, with their screen-space derivatives.
TexCoordSample CoordAt(const Triangle& t, u32 coord, float px, float py);

// Every stage for the pixel at (px, py), interpolants read from their planes.
u32 CombineAt(const RasterState& state, const TevPlan& tev, const Triangle& t, float px, float py, float w);

// The triangle drawn eight pixels at a time where the processor can; false
// when it cannot.
bool DrawTriangleWide(const TriangleDraw& d);

}  // namespace console::gx
