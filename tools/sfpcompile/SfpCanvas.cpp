#include "tools/sfpcompile/SfpCanvas.h"

namespace sfpc {

Rgba ColourOf(u32 c) {
    return {f32(c >> 24) / 255, f32(c >> 16 & 0xFF) / 255, f32(c >> 8 & 0xFF) / 255, f32(c & 0xFF) / 255};
}

Rgba Mix(const Rgba& a, const Rgba& b, f32 t) {
    t = std::clamp(t, 0.0f, 1.0f);
    const f32 alpha = a.a + (b.a - a.a) * t;
    if (alpha <= 0)
        return {};
    const auto channel = [&](f32 ca, f32 cb) { return (ca * a.a + (cb * b.a - ca * a.a) * t) / alpha; };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), alpha};
}

f32 CircleDistance(f32 x, f32 y, f32 cx, f32 cy, f32 r) {
    return std::hypot(x - cx, y - cy) - r;
}

f32 EllipseDistance(f32 x, f32 y, f32 cx, f32 cy, f32 rx, f32 ry) {
    // The implicit function over its gradient's length: exact on the edge, which is all coverage needs.
    const f32 dx = (x - cx) / rx, dy = (y - cy) / ry;
    const f32 k = std::hypot(dx, dy);
    const f32 gradient = std::hypot(dx / rx, dy / ry);
    return k <= 0 ? -std::min(rx, ry) : (k - 1) * k / std::max(gradient, 1e-6f);
}

f32 RoundBoxDistance(f32 x, f32 y, f32 cx, f32 cy, f32 hw, f32 hh, f32 r) {
    hw = std::max(hw, 0.0f), hh = std::max(hh, 0.0f);
    r = std::min({r, hw, hh});
    const f32 qx = std::abs(x - cx) - hw + r, qy = std::abs(y - cy) - hh + r;
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
}

f32 CapsuleDistance(f32 x, f32 y, f32 ax, f32 ay, f32 bx, f32 by, f32 r) {
    const f32 px = x - ax, py = y - ay, ex = bx - ax, ey = by - ay;
    const f32 length2 = ex * ex + ey * ey;
    const f32 t = length2 > 0 ? std::clamp((px * ex + py * ey) / length2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - ex * t, py - ey * t) - r;
}

Canvas::Canvas(u32 width, u32 height)
    : width_(width), height_(height), pixels_(size_t(width) * height * 4, 0.0f) {}

void Canvas::SetDesign(f32 dw, f32 dh) {
    scale_ = std::min(f32(width_) / dw, f32(height_) / dh);
    originX_ = (f32(width_) - dw * scale_) / 2;
    originY_ = (f32(height_) - dh * scale_) / 2;
}

void Canvas::Over(u32 x, u32 y, const Rgba& c) {
    f32* p = &pixels_[(size_t(y) * width_ + x) * 4];
    const f32 keep = 1 - c.a;
    p[0] = c.r * c.a + p[0] * keep;
    p[1] = c.g * c.a + p[1] * keep;
    p[2] = c.b * c.a + p[2] * keep;
    p[3] = c.a + p[3] * keep;
}

discbuild::RgbaImage Canvas::Image() const {
    const size_t count = size_t(width_) * height_;
    std::vector<f32> rgb(count * 3);
    std::vector<u8> known(count);
    for (size_t i = 0; i < count; ++i) {
        const f32 a = pixels_[i * 4 + 3];
        known[i] = a > 0;
        for (int c = 0; c < 3 && known[i]; ++c)
            rgb[i * 3 + c] = pixels_[i * 4 + c] / a;
    }
    // Two rounds of bleeding reach every texel linear filtering mixes into an edge.
    for (int round = 0; round < 2; ++round) {
        std::vector<u8> next = known;
        for (u32 y = 0; y < height_; ++y) {
            for (u32 x = 0; x < width_; ++x) {
                const size_t i = size_t(y) * width_ + x;
                f32 sum[3] = {};
                int n = 0;
                for (u32 ny = y > 0 ? y - 1 : 0; ny <= std::min(y + 1, height_ - 1) && !known[i]; ++ny) {
                    for (u32 nx = x > 0 ? x - 1 : 0; nx <= std::min(x + 1, width_ - 1); ++nx) {
                        const size_t j = size_t(ny) * width_ + nx;
                        n += known[j];
                        for (int c = 0; c < 3 && known[j]; ++c)
                            sum[c] += rgb[j * 3 + c];
                    }
                }
                for (int c = 0; c < 3 && n > 0; ++c)
                    rgb[i * 3 + c] = sum[c] / f32(n);
                next[i] = known[i] || n > 0;
            }
        }
        known = std::move(next);
    }
    discbuild::RgbaImage image{width_, height_, std::vector<u8>(count * 4)};
    const auto byte = [](f32 v) { return u8(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    for (size_t i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c)
            image.rgba[i * 4 + c] = byte(rgb[i * 3 + c]);
        image.rgba[i * 4 + 3] = byte(pixels_[i * 4 + 3]);
    }
    return image;
}

}  // namespace sfpc
