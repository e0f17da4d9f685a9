// A canvas the compiler paints its images on, anti-aliased: shapes are signed
// distances (negative inside) in the canvas's design units, and a pixel is
// covered by how far its centre lies inside the edge, half a pixel either way.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "console/types.h"
#include "tools/discbuild/TextureEncoder.h"

namespace sfpc {

struct Rgba {
    f32 r = 0, g = 0, b = 0, a = 0;  // straight alpha, 0..1
};

Rgba ColourOf(u32 rrggbbaa);
// From `a` at t 0 to `b` at t 1, through premultiplied colour so that a
// transparent end takes the other end's hue.
Rgba Mix(const Rgba& a, const Rgba& b, f32 t);

// Signed distances.
f32 CircleDistance(f32 x, f32 y, f32 cx, f32 cy, f32 r);
f32 EllipseDistance(f32 x, f32 y, f32 cx, f32 cy, f32 rx, f32 ry);
// A box of half sizes hw, hh about (cx, cy) with corners rounded by r.
f32 RoundBoxDistance(f32 x, f32 y, f32 cx, f32 cy, f32 hw, f32 hh, f32 r);
// The segment from a to b thickened to a radius r.
f32 CapsuleDistance(f32 x, f32 y, f32 ax, f32 ay, f32 bx, f32 by, f32 r);

class Canvas {
public:
    Canvas(u32 width, u32 height);

    // Design units from now on: a box of dw x dh centred on the canvas at the
    // largest scale that fits it.
    void SetDesign(f32 dw, f32 dh);

    // How much of a pixel a shape covers whose edge is `distance` design units from its centre.
    f32 Coverage(f32 distance) const { return std::clamp(0.5f - distance * scale_, 0.0f, 1.0f); }

    // Paints `colour(x, y)` over the canvas where `distance(x, y)` is inside.
    template <typename Distance, typename Colour>
    void Fill(Distance distance, Colour colour) {
        Paint([&](f32 x, f32 y) {
            const f32 cover = Coverage(distance(x, y));
            Rgba c = cover > 0 ? colour(x, y) : Rgba{};
            c.a *= cover;
            return c;
        });
    }
    template <typename Distance>
    void Fill(Distance distance, const Rgba& colour) {
        Fill(distance, [&](f32, f32) { return colour; });
    }

    // Paints `colour(x, y)` over every pixel, by its alpha.
    template <typename Colour>
    void Paint(Colour colour) {
        for (u32 py = 0; py < height_; ++py) {
            for (u32 px = 0; px < width_; ++px) {
                const Rgba c =
                    colour((f32(px) + 0.5f - originX_) / scale_, (f32(py) + 0.5f - originY_) / scale_);
                if (c.a > 0)
                    Over(px, py, c);
            }
        }
    }

    f32 Scale() const { return scale_; }

    // Straight-alpha pixels; a transparent pixel takes the colour of painted
    // neighbours so that filtering at an edge does not darken it.
    discbuild::RgbaImage Image() const;

private:
    void Over(u32 x, u32 y, const Rgba& c);

    u32 width_, height_;
    f32 scale_ = 1, originX_ = 0, originY_ = 0;
    std::vector<f32> pixels_;  // premultiplied RGBA
};

}  // namespace sfpc
