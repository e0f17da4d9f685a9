// Flat pictograms in dark ink on light grey, drawn with a few plotting helpers:
// lines, rings, discs and boxes. Cells without a toolbar button stay blank.
#include "tools/modelgen/ViewerIcons.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <utility>

#include "tools/discbuild/TimWriter.h"

namespace modelgen {

namespace {

constexpr s32 kCell = 32;
constexpr s32 kColumns = 8;
constexpr s32 kRows = 4;
constexpr u32 kPaper = 0xC8C8C8FF;
constexpr u32 kInk = 0x1E285AFF;
constexpr u32 kAccent = 0xB03020FF;
constexpr u32 kLight = 0xF0F0F0FF;

class Cell {
public:
    Cell(discbuild::RgbaImage* image, s32 index)
        : image_(image), x0_(index % kColumns * kCell), y0_(index / kColumns * kCell) {}

    void Plot(s32 x, s32 y, u32 rgba) {
        if (x < 0 || y < 0 || x >= kCell || y >= kCell)
            return;
        u8* p = &image_->rgba[(size_t(y0_ + y) * image_->width + size_t(x0_ + x)) * 4];
        p[0] = u8(rgba >> 24);
        p[1] = u8(rgba >> 16);
        p[2] = u8(rgba >> 8);
        p[3] = u8(rgba);
    }

    void Fill(s32 x, s32 y, s32 w, s32 h, u32 rgba) {
        for (s32 j = y; j < y + h; ++j)
            for (s32 i = x; i < x + w; ++i)
                Plot(i, j, rgba);
    }

    // A line two pixels thick.
    void Line(f32 x0, f32 y0, f32 x1, f32 y1, u32 rgba) {
        const s32 steps = s32(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) * 2 + 1;
        for (s32 k = 0; k <= steps; ++k) {
            const f32 t = f32(k) / f32(steps);
            const s32 x = s32(std::lround(x0 + (x1 - x0) * t));
            const s32 y = s32(std::lround(y0 + (y1 - y0) * t));
            Fill(x, y, 2, 2, rgba);
        }
    }

    void Box(s32 x, s32 y, s32 w, s32 h, u32 rgba) {
        Fill(x, y, w, 2, rgba);
        Fill(x, y + h - 2, w, 2, rgba);
        Fill(x, y, 2, h, rgba);
        Fill(x + w - 2, y, 2, h, rgba);
    }

    // Pixels whose distance from the ellipse's centre, in radii, lies in [inner, 1].
    void Ellipse(f32 cx, f32 cy, f32 rx, f32 ry, f32 inner, u32 rgba) {
        for (s32 y = 0; y < kCell; ++y)
            for (s32 x = 0; x < kCell; ++x) {
                const f32 dx = (f32(x) + 0.5f - cx) / rx;
                const f32 dy = (f32(y) + 0.5f - cy) / ry;
                const f32 d = std::sqrt(dx * dx + dy * dy);
                if (d <= 1.0f && d >= inner)
                    Plot(x, y, rgba);
            }
    }

    void Ring(f32 cx, f32 cy, f32 r, u32 rgba) { Ellipse(cx, cy, r, r, 1.0f - 2.0f / r, rgba); }
    void Disc(f32 cx, f32 cy, f32 r, u32 rgba) { Ellipse(cx, cy, r, r, 0.0f, rgba); }

    // A filled triangle.
    void Triangle(f32 ax, f32 ay, f32 bx, f32 by, f32 cx, f32 cy, u32 rgba) {
        for (s32 y = 0; y < kCell; ++y)
            for (s32 x = 0; x < kCell; ++x) {
                const f32 px = f32(x) + 0.5f, py = f32(y) + 0.5f;
                const f32 e0 = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
                const f32 e1 = (cx - bx) * (py - by) - (cy - by) * (px - bx);
                const f32 e2 = (ax - cx) * (py - cy) - (ay - cy) * (px - cx);
                if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                    Plot(x, y, rgba);
            }
    }

private:
    discbuild::RgbaImage* image_;
    s32 x0_, y0_;
};

void FineZoom(Cell& c) {
    c.Ring(13, 13, 8, kInk);
    c.Line(18, 18, 26, 26, kInk);
    c.Line(19, 18, 27, 26, kInk);
    c.Fill(9, 12, 8, 2, kInk);
}

// A camera with n dots for its number.
void CameraView(Cell& c, s32 n) {
    c.Fill(5, 11, 22, 13, kInk);
    c.Fill(9, 8, 7, 3, kInk);
    c.Disc(16, 17.5f, 4.5f, kLight);
    c.Disc(16, 17.5f, 2.5f, kInk);
    for (s32 k = 0; k < n; ++k)
        c.Fill(6 + 5 * k, 26, 3, 3, kAccent);
}

void ResetView(Cell& c) {
    c.Ring(16, 16, 11, kInk);
    c.Disc(16, 16, 3, kAccent);
    c.Line(16, 2, 16, 8, kInk);
    c.Line(16, 24, 16, 30, kInk);
    c.Line(2, 16, 8, 16, kInk);
    c.Line(24, 16, 30, 16, kInk);
}

// A turn about the horizontal (x) or the vertical (y) axis.
void Rotation(Cell& c, bool aboutX) {
    if (aboutX) {
        c.Ellipse(16, 16, 6, 12, 0.72f, kInk);
        c.Line(3, 16, 28, 16, kAccent);
        c.Triangle(22, 4, 16, 1, 16, 8, kInk);
    } else {
        c.Ellipse(16, 16, 12, 6, 0.72f, kInk);
        c.Line(16, 3, 16, 28, kAccent);
        c.Triangle(4, 22, 1, 16, 8, 16, kInk);
    }
}

void Polyline(Cell& c) {
    c.Line(16, 5, 27, 26, kInk);
    c.Line(27, 26, 5, 26, kInk);
    c.Line(5, 26, 16, 5, kInk);
}

void Polygon(Cell& c) {
    c.Triangle(16, 5, 28, 27, 4, 27, kInk);
}

void Checker(Cell& c) {
    for (s32 j = 0; j < 4; ++j)
        for (s32 i = 0; i < 4; ++i)
            c.Fill(4 + 6 * i, 4 + 6 * j, 6, 6, (i + j) % 2 == 0 ? kInk : kLight);
}

void Sun(Cell& c) {
    c.Disc(16, 16, 6, kAccent);
    for (s32 k = 0; k < 8; ++k) {
        const f32 a = f32(k) * 3.14159265f / 4.0f;
        c.Line(16 + 9 * std::cos(a), 16 + 9 * std::sin(a), 16 + 13 * std::cos(a), 16 + 13 * std::sin(a),
               kInk);
    }
}

void Bones(Cell& c) {
    const std::pair<f32, f32> joints[] = {{16, 4}, {16, 15}, {8, 27}, {24, 27}, {7, 10}, {25, 10}};
    c.Line(16, 4, 16, 15, kInk);
    c.Line(16, 15, 8, 27, kInk);
    c.Line(16, 15, 24, 27, kInk);
    c.Line(16, 8, 7, 10, kInk);
    c.Line(16, 8, 25, 10, kInk);
    for (const auto& [x, y] : joints)
        c.Disc(x, y, 2.5f, kAccent);
}

void FilmStrip(Cell& c) {
    c.Fill(6, 3, 20, 26, kInk);
    for (s32 k = 0; k < 5; ++k) {
        c.Fill(7, 5 + 5 * k, 3, 3, kLight);
        c.Fill(22, 5 + 5 * k, 3, 3, kLight);
    }
    c.Fill(12, 6, 8, 8, kLight);
    c.Fill(12, 18, 8, 8, kLight);
}

void Spheres(Cell& c) {
    c.Ring(11, 18, 7, kInk);
    c.Ring(21, 12, 7, kAccent);
}

void Cube(Cell& c) {
    c.Box(4, 10, 17, 17, kInk);
    c.Box(11, 4, 17, 17, kInk);
    c.Line(4, 10, 11, 4, kInk);
    c.Line(19, 10, 26, 4, kInk);
    c.Line(4, 25, 11, 19, kInk);
    c.Line(19, 25, 26, 19, kInk);
}

void Variant(Cell& c) {
    c.Fill(4, 4, 14, 14, kInk);
    c.Fill(14, 14, 14, 14, kAccent);
    c.Box(14, 14, 14, 14, kInk);
}

}  // namespace

discbuild::RgbaImage MakeViewerIcons() {
    discbuild::RgbaImage image{kColumns * kCell, kRows * kCell, {}};
    image.rgba.resize(size_t(image.width) * image.height * 4);
    const std::pair<s32, std::function<void(Cell&)>> icons[] = {
        {4, FineZoom},
        {5, [](Cell& c) { CameraView(c, 1); }},
        {6, [](Cell& c) { CameraView(c, 2); }},
        {7, [](Cell& c) { CameraView(c, 3); }},
        {9, ResetView},
        {10, [](Cell& c) { Rotation(c, true); }},
        {11, [](Cell& c) { Rotation(c, false); }},
        {13, Polyline},
        {14, Polygon},
        {15, Checker},
        {16, Sun},
        {17, Bones},
        {18, FilmStrip},
        {19, Spheres},
        {20, Cube},
        {21, Variant},
    };
    for (s32 index = 0; index < kColumns * kRows; ++index)
        Cell(&image, index).Fill(0, 0, kCell, kCell, kPaper);
    for (const auto& [index, draw] : icons) {
        Cell cell(&image, index);
        draw(cell);
    }
    return image;
}

// A palette texture: the few flat colours of the sheet cost a byte a texel.
void AddViewerIcons(discbuild::WadWriter* wad) {
    const discbuild::RgbaImage image = MakeViewerIcons();
    discbuild::TimTexture texture;
    texture.format = discbuild::TexFormat::C8;
    texture.image = {image.width, image.height, {}};
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        const u8* p = &image.rgba[i];
        const u32 rgba = u32(p[0]) << 24 | u32(p[1]) << 16 | u32(p[2]) << 8 | p[3];
        auto at = std::find(texture.palette.begin(), texture.palette.end(), rgba);
        if (at == texture.palette.end())
            at = texture.palette.insert(at, rgba);
        texture.indices.push_back(u8(at - texture.palette.begin()));
    }
    wad->Add({"RVIEWERICONS", "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed});
}

}  // namespace modelgen
