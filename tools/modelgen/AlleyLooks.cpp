#include "tools/modelgen/AlleyLooks.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "tools/modelgen/AlleyParts.h"

namespace modelgen {

namespace {

constexpr u32 kArtSize = 64;

void Fill(discbuild::RgbaImage* image, s32 x0, s32 y0, s32 x1, s32 y1, u32 rgb) {
    for (s32 y = y0; y < y1; ++y)
        for (s32 x = x0; x < x1; ++x)
            Put(image, x, y, rgb);
}

// Every texel whose centre, as (x, y) from the image's middle, passes `inside`.
template <typename Inside>
void Shape(discbuild::RgbaImage* image, u32 rgb, Inside inside) {
    const f32 half = f32(image->width) / 2;
    for (u32 y = 0; y < image->height; ++y)
        for (u32 x = 0; x < image->width; ++x)
            if (inside(f32(x) + 0.5f - half, f32(y) + 0.5f - half))
                Put(image, s32(x), s32(y), rgb);
}

// A five-pointed star of outer radius r about (cx, cy) from the middle.
bool InStar(f32 x, f32 y, f32 cx, f32 cy, f32 r) {
    const f32 a = std::atan2(x - cx, cy - y), d = std::hypot(x - cx, y - cy);
    const f32 sector = 2 * std::numbers::pi_v<f32> / 5;
    const f32 t = std::fabs(std::remainder(a, sector)) / (sector / 2);  // 0 at a point, 1 between
    return d < r * (1 - 0.62f * t);
}

// A big white lone star on navy over a tan band.
void Houston(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x1C2C5Cu);
    Fill(image, 0, 52, kArtSize, kArtSize, 0xC8A878u);
    Shape(image, 0xF4F4F0u, [](f32 x, f32 y) { return InStar(x, y, 0, -4, 22); });
}

// Palm fronds fanning from a trunk on teal.
void Hawaii(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x1E7C74u);
    Shape(image, 0x7A5A34u, [](f32 x, f32 y) { return y > -8 && std::fabs(x - y * 0.15f) < 2.5f; });
    for (s32 leaf = 0; leaf < 7; ++leaf) {
        const f32 a = std::numbers::pi_v<f32> * (0.08f + 0.14f * f32(leaf));
        const u32 green = leaf % 2 ? 0x3CB04Au : 0x1E8A3Au;
        Shape(image, green, [a](f32 x, f32 y) {
            const f32 along = (x * std::cos(a) - (y + 8) * std::sin(a)),
                      across = x * std::sin(a) + (y + 8) * std::cos(a);
            return along > 0 && along < 26 && std::fabs(across) < 4 * std::sin(along / 26 * 3.14f) + 0.5f;
        });
    }
}

// Gold dice pips and neon stripes on purple.
void Reno(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x2A0C44u);
    for (s32 y : {6, 56})
        Fill(image, 0, y, kArtSize, y + 3, 0xE040F0u);
    Fill(image, 18, 18, 46, 46, 0xF0C040u);
    for (f32 c : {24.0f, 32.0f, 40.0f})
        Disc(image, c, c, 3, 0x2A0C44u);
}

// An orange bridge: two towers, the deck and the cables' sag, in fog.
void SanFrancisco(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x9CA2AAu);
    Fill(image, 0, 44, kArtSize, 48, 0xD0501Cu);
    for (s32 x : {14, 46})
        Fill(image, x, 12, x + 4, kArtSize, 0xD0501Cu);
    Shape(image, 0xD0501Cu, [](f32 x, f32 y) {
        const f32 sag = -20 + 0.05f * (x * x - 256) * (std::fabs(x) < 16 ? -1.0f : 0.35f) + 12;
        return std::fabs(y - sag) < 1.0f;
    });
}

// A silver arch rising from brick.
void StLouis(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x7A3424u);
    for (s32 row = 0; row < s32(kArtSize); row += 6)
        Fill(image, 0, row, kArtSize, row + 1, 0x9A5A48u);
    Shape(image, 0xD8DCE0u, [](f32 x, f32 y) {
        const f32 top = -24 + 0.085f * x * x;
        return std::fabs(x) < 22 && y > top && y < top + 4 + 0.01f * x * x;
    });
}

// Shamrocks on bands of green.
void Dublin(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x1A5A2Eu);
    Fill(image, 0, 24, kArtSize, 40, 0x2E7A3Eu);
    for (const auto& [cx, cy] : {std::pair{32.0f, 24.0f}, std::pair{24.5f, 34.0f}, std::pair{39.5f, 34.0f}})
        Disc(image, cx, cy, 8, 0x6AD05Au);
    Fill(image, 31, 38, 33, 54, 0x6AD05Au);
}

// A red cross edged white on blue, with the diagonals.
void London(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x1C2A6Au);
    Shape(image, 0xF0F0F0u, [](f32 x, f32 y) { return std::fabs(std::fabs(x) - std::fabs(y)) < 5; });
    Shape(image, 0xC81E28u, [](f32 x, f32 y) { return std::fabs(std::fabs(x) - std::fabs(y)) < 2; });
    Shape(image, 0xF0F0F0u, [](f32 x, f32 y) { return std::fabs(x) < 9 || std::fabs(y) < 9; });
    Shape(image, 0xC81E28u, [](f32 x, f32 y) { return std::fabs(x) < 5 || std::fabs(y) < 5; });
}

// A gold tower on navy.
void Paris(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x141C44u);
    Shape(image, 0xE0B040u, [](f32 x, f32 y) {
        const f32 half = 2 + 0.0045f * (y + 28) * (y + 28);
        const bool legs = y > 14 && std::fabs(x) < half && std::fabs(x) > half - 5 + (y - 14) * 0.1f;
        return y > -28 && y < 28 && (std::fabs(x) < half) && (y <= 14 || legs);
    });
    Fill(image, 22, 41, 42, 44, 0xE0B040u);
}

// A white key (meander) band on Aegean blue.
void Athens(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0x1E4A9Au);
    Fill(image, 0, 20, kArtSize, 44, 0xF0F0EAu);
    for (s32 x0 = 0; x0 < s32(kArtSize); x0 += 16) {
        Fill(image, x0 + 2, 24, x0 + 4, 40, 0x1E4A9Au);
        Fill(image, x0 + 2, 24, x0 + 14, 26, 0x1E4A9Au);
        Fill(image, x0 + 12, 24, x0 + 14, 36, 0x1E4A9Au);
        Fill(image, x0 + 7, 34, x0 + 14, 36, 0x1E4A9Au);
        Fill(image, x0 + 7, 29, x0 + 9, 36, 0x1E4A9Au);
        Fill(image, x0 + 2, 38, x0 + 18, 40, 0x1E4A9Au);
    }
}

// A red rising sun and its rays on white, under a neon pink rule.
void Tokyo(discbuild::RgbaImage* image) {
    Fill(image, 0, 0, kArtSize, kArtSize, 0xF4F0F0u);
    Shape(image, 0xE8B0B0u, [](f32 x, f32 y) {
        const f32 a = std::atan2(x, -y - 12);
        return y < 20 && std::fmod(a + 4 * std::numbers::pi_v<f32>, 0.52f) < 0.22f;
    });
    Shape(image, 0xC81828u, [](f32 x, f32 y) { return std::hypot(x, y - 12) < 16 && y < 20; });
    Fill(image, 0, 52, kArtSize, 56, 0xFF40B0u);
}

const AlleyLook kLooks[] = {
    {0xB89870FFu, 0x1C2C5CFFu, 0x6A3A2AFFu, 0x5A4A3AFFu, 0xFFECD0FFu, "FFE0B0", "FFF0D8", Houston},
    {0x2E8C88FFu, 0x1E7C74FFu, 0x2A5A50FFu, 0x3A6A60FFu, 0xFFFAEAFFu, "FFFFF0", "F0FFF8", Hawaii},
    {0x3A1E50FFu, 0x2A0C44FFu, 0x5A1A6AFFu, 0x1A0A28FFu, 0xFFE4F4FFu, "E0A8FF", "FFD890", Reno},
    {0x8C9098FFu, 0x9CA2AAFFu, 0x4A5058FFu, 0x6A7078FFu, 0xE8ECF0FFu, "D8E4FF", "F0F4FF", SanFrancisco},
    {0x8A3C2CFFu, 0x7A3424FFu, 0x4A2A24FFu, 0x5A4440FFu, 0xFFE4C8FFu, "FFE8D0", "FFFFFF", StLouis},
    {0x2E6A3AFFu, 0x1A5A2EFFu, 0x24482CFFu, 0x30443AFFu, 0xF8F0D8FFu, "FFF0D0", "F0FFE8", Dublin},
    {0x8A1E22FFu, 0x1C2A6AFFu, 0x2A2A4AFFu, 0x4A3C44FFu, 0xF4F4FFFFu, "E8ECFF", "FFFFFF", London},
    {0x1C2450FFu, 0x141C44FFu, 0x3A2A4AFFu, 0x242840FFu, 0xFFE8C8FFu, "FFE8C0", "FFF4E0", Paris},
    {0xE0E0D8FFu, 0x1E4A9AFFu, 0x4A6AA0FFu, 0xC8CCD0FFu, 0xFFFFFFFFu, "FFFFFF", "F0F8FF", Athens},
    {0xE8E0E0FFu, 0xF4F0F0FFu, 0x7A2060FFu, 0x30202CFFu, 0xFFF0F8FFu, "FFB8E8", "FFFFFF", Tokyo},
    {0x6A5A50FFu, 0x30508CFFu, 0x583848FFu, 0x403C44FFu, 0xFFFFFFFFu, "FFF4E4", "FFFFFF", nullptr},
};
static_assert(sizeof(kLooks) / sizeof(kLooks[0]) == ALLEY_PLACES);

}  // namespace

const AlleyLook& AlleyLookOf(s32 place) {
    return kLooks[place];
}

discbuild::RgbaImage MaskingTexture(const AlleyLook& look) {
    discbuild::RgbaImage image = Blank(kArtSize, kArtSize);
    look.paintMasking(&image);
    // Painted top row first; the panel's v runs upwards.
    const size_t row = size_t(image.width) * 4;
    for (u32 y = 0; y < image.height / 2; ++y)
        std::swap_ranges(image.rgba.begin() + y * row, image.rgba.begin() + (y + 1) * row,
                         image.rgba.end() - (y + 1) * row);
    return image;
}

}  // namespace modelgen
