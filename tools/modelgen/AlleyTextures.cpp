#include <algorithm>
#include <cmath>
#include <numbers>

#include "source/Levels/AlleyLayout.h"
#include "source/Physics/BallMotion.h"
#include "tools/modelgen/AlleyParts.h"

namespace modelgen {

discbuild::RgbaImage Blank(u32 width, u32 height) {
    return {width, height, std::vector<u8>(size_t(width) * height * 4, 255)};
}

void Put(discbuild::RgbaImage* image, s32 x, s32 y, u32 rgb) {
    if (x < 0 || y < 0 || u32(x) >= image->width || u32(y) >= image->height)
        return;
    u8* texel = &image->rgba[(size_t(y) * image->width + u32(x)) * 4];
    texel[0] = u8(rgb >> 16);
    texel[1] = u8(rgb >> 8);
    texel[2] = u8(rgb);
}

void Disc(discbuild::RgbaImage* image, f32 cx, f32 cy, f32 r, u32 rgb) {
    for (s32 y = s32(cy - r); y <= s32(cy + r) + 1; ++y)
        for (s32 x = s32(cx - r); x <= s32(cx + r) + 1; ++x)
            if (std::hypot(f32(x) + 0.5f - cx, f32(y) + 0.5f - cy) <= r)
                Put(image, x, y, rgb);
}

namespace {

constexpr s32 kBoards = 39;
constexpr u32 kSeam = 0x8A6038u;
constexpr u32 kMark = 0x5A2E18u;  // dots, arrows and pin spots

// Maple boards: each its own shade, a darker seam between them. Columns x0..x1
// of the image hold the lane's 39 boards.
void PaintBoards(discbuild::RgbaImage* image, f32 x0, f32 x1) {
    for (u32 y = 0; y < image->height; ++y)
        for (u32 x = 0; x < image->width; ++x) {
            const f32 board = (f32(x) + 0.5f - x0) / (x1 - x0) * kBoards;
            const s32 b = s32(std::floor(board));
            const bool seam = board - f32(b) < 0.12f;
            const u32 shade = u32((b * 37 + 11) % 7) * 5 + u32((y * 13 + x * 3) % 5);
            Put(image, s32(x), s32(y), seam ? kSeam : 0xD8B07Au + (shade << 16) + (shade << 8));
        }
}

// An arrow pointing down the image (towards the pins) with its tip at (cx, tipY).
void Arrow(discbuild::RgbaImage* image, f32 cx, f32 tipY, f32 halfWidth, f32 length) {
    for (s32 y = s32(tipY - length); y <= s32(tipY); ++y) {
        const f32 half = halfWidth * (tipY - f32(y)) / length;
        for (s32 x = s32(cx - half); x <= s32(cx + half); ++x)
            Put(image, x, y, kMark);
    }
}

// Columns of the lane's board b (1 = the right-hand edge board, as bowlers count).
f32 BoardCentre(f32 width, s32 board) {
    return (f32(kBoards - board) + 0.5f) / kBoards * width;
}

}  // namespace

discbuild::RgbaImage LaneHeadTexture() {
    discbuild::RgbaImage image = Blank(128, 256);
    PaintBoards(&image, 0, 128);
    const f32 perUnit = 256 / kLaneHeadLength;
    // Guide dots 7 feet out, arrows from 12 feet with the middle one furthest.
    for (s32 board : {3, 5, 8, 11, 14, 26, 29, 32, 35, 37})
        Disc(&image, BoardCentre(128, board), 21 * perUnit, 1.2f, kMark);
    for (s32 k = 0; k < 7; ++k) {
        const s32 board = 5 * (k + 1);
        const f32 fromMiddle = std::abs(f32(board) - 20) / 5;
        Arrow(&image, BoardCentre(128, board), (48 - 2 * fromMiddle) * perUnit, 2.5f, 3 * perUnit);
    }
    return image;
}

discbuild::RgbaImage LaneWoodTexture() {
    discbuild::RgbaImage image = Blank(128, 64);
    PaintBoards(&image, 0, 128);
    return image;
}

discbuild::RgbaImage LaneDeckTexture() {
    discbuild::RgbaImage image = Blank(128, 128);
    PaintBoards(&image, 0, 128);
    const f32 perUnitX = 128 / LANE_RIGHT_EDGE, perUnitZ = 128 / (PIN_DECK_END_Z - kLaneDeckStartZ);
    constexpr s32 kColumn[] = {0, -1, 1, -2, 0, 2, -3, -1, 1, 3};
    constexpr s32 kRow[] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    for (s32 i = 0; i < 10; ++i)
        Disc(&image, (5.25f + 1.5f * f32(kColumn[i])) * perUnitX,
             (180 + 2.598075f * f32(kRow[i]) - kLaneDeckStartZ) * perUnitZ, 3.0f, kMark);
    return image;
}

discbuild::RgbaImage ApproachTexture() {
    discbuild::RgbaImage image = Blank(256, 128);
    const f32 pitch = ALLEY_RIGHT_LANE_OFFSET;
    const f32 laneFrom = (pitch - LANE_RIGHT_EDGE) / 2 / pitch * 256, laneTo = 256 - laneFrom;
    PaintBoards(&image, laneFrom - (laneTo - laneFrom) * 0.2f, laneTo + (laneTo - laneFrom) * 0.2f);
    const f32 perUnitZ = 128 / -kApproachStartZ;
    for (f32 z : kApproachDotsZ)
        for (s32 board : {3, 5, 8, 11, 14, 20, 26, 29, 32, 35, 37})
            Disc(&image, laneFrom + BoardCentre(laneTo - laneFrom, board), (z - kApproachStartZ) * perUnitZ,
                 1.5f, kMark);
    for (s32 y = 125; y < 128; ++y)  // the foul line, across the lane
        for (s32 x = s32(laneFrom); x < s32(laneTo); ++x)
            Put(&image, x, y, 0x201810u);
    return image;
}

discbuild::RgbaImage PinSkinTexture() {
    constexpr f32 kStripes[][2] = {{8.8f, 9.2f}, {9.55f, 9.95f}};  // inches above the base
    discbuild::RgbaImage image = Blank(8, 64);
    for (s32 y = 0; y < 64; ++y) {
        const f32 inches = 15 * (1 - (f32(y) + 0.5f) / 64);
        bool red = false;
        for (const auto& [from, to] : kStripes)
            red = red || (inches > from && inches < to);
        for (s32 x = 0; x < 8; ++x)
            Put(&image, x, y, red ? 0xC01818u : 0xF4F2ECu);
    }
    return image;
}

discbuild::RgbaImage BallTexture(u32 dark, u32 light) {
    discbuild::RgbaImage image = Blank(64, 32);
    constexpr f32 kPi = std::numbers::pi_v<f32>;
    for (u32 y = 0; y < 32; ++y)
        for (u32 x = 0; x < 64; ++x) {
            const f32 u = f32(x) / 64, v = f32(y) / 32;
            const f32 swirl = std::sin(6 * kPi * u + 3 * std::sin(4 * kPi * v) + 2 * std::sin(2 * kPi * u));
            const f32 t = std::clamp(0.5f + 0.5f * swirl, 0.0f, 1.0f);
            u32 rgb = 0;
            for (u32 shift = 0; shift < 24; shift += 8) {
                const f32 a = f32((dark >> shift) & 0xFF), b = f32((light >> shift) & 0xFF);
                rgb |= u32(a + (b - a) * t) << shift;
            }
            Put(&image, s32(x), s32(y), rgb);
        }
    // Thumb and two finger holes.
    Disc(&image, 16, 9, 2.2f, 0x101010u);
    Disc(&image, 13, 16, 1.8f, 0x101010u);
    Disc(&image, 19, 16, 1.8f, 0x101010u);
    return image;
}

discbuild::RgbaImage SpotTexture() {
    constexpr u32 kSide = 64;
    discbuild::RgbaImage image = Blank(kSide, kSide);
    const f32 middle = kSide / 2.0f;
    for (u32 y = 0; y < kSide; ++y)
        for (u32 x = 0; x < kSide; ++x) {
            const f32 r = std::hypot(f32(x) + 0.5f - middle, f32(y) + 0.5f - middle) / middle;
            const f32 light = std::clamp(1.0f - r * r, 0.0f, 1.0f);
            const u32 v = u32(std::lround(light * 255.0f));
            Put(&image, s32(x), s32(y), v << 16 | v << 8 | v);
        }
    return image;
}

}  // namespace modelgen
