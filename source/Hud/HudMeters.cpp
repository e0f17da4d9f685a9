#include <algorithm>

#include "source/Hud/HudInternal.h"

namespace {

// Power: a vertical bar at the bottom left, filling upwards.
constexpr f32 kPowerX = 32.0f;
constexpr f32 kPowerY = 316.0f;
constexpr f32 kPowerW = 24.0f;
constexpr f32 kPowerH = 100.0f;
constexpr f32 kFillInset = 2.0f;
constexpr u32 kMeterEmpty = 0x202020FF;  // the frame's inside

// Spin: a track beside it, the marker left for a hook to the left.
constexpr f32 kSpinX = 68.0f;
constexpr f32 kSpinY = 400.0f;
constexpr f32 kSpinW = 80.0f;
constexpr f32 kSpinH = 16.0f;
constexpr f32 kSpinMark = 16.0f;
constexpr f32 kSpinTravel = 38.0f;  // centre to either end

// The pin window: the rack seen from the bowler, head pin nearest, at the bottom right.
constexpr f32 kPinsCentreX = 572.0f;
constexpr f32 kPinsFrontY = 402.0f;  // top of the head pin's cell
constexpr f32 kPinSize = 16.0f;
constexpr f32 kPinPitchX = 20.0f;
constexpr f32 kPinPitchY = 17.0f;
constexpr s32 kRackRows = 4;
constexpr u32 kPanel = 0x000000A0;

}  // namespace

void HudDrawMeters(const s_sprite_set* sprites, f32 power, f32 spin) {
    power = std::clamp(power, 0.0f, 1.0f);
    spin = std::clamp(spin, -1.0f, 1.0f);
    HudSprite(sprites, HUD_SPRITE_POWERFRAME, kPowerX, kPowerY, kPowerW, kPowerH);
    const f32 fillX = kPowerX + kFillInset;
    const f32 fillY = kPowerY + kFillInset;
    const f32 fillW = kPowerW - 2 * kFillInset;
    const f32 fillH = kPowerH - 2 * kFillInset;
    // The whole gradient, its empty top covered again: the colour at the top of
    // the fill stays the colour of that power.
    HudSprite(sprites, HUD_SPRITE_POWERFILL, fillX, fillY, fillW, fillH);
    const f32 empty = fillH * (1.0f - power);
    if (empty > 0.0f)
        HudFillRect(fillX, fillY, fillW, empty, kMeterEmpty);

    HudSprite(sprites, HUD_SPRITE_SPINTRACK, kSpinX, kSpinY, kSpinW, kSpinH);
    const f32 markX = kSpinX + kSpinW / 2.0f + spin * kSpinTravel - kSpinMark / 2.0f;
    HudSprite(sprites, HUD_SPRITE_SPINMARK, markX, kSpinY + kSpinH, kSpinMark, kSpinMark);
}

void HudDrawPinWindow(const s_sprite_set* sprites, PinMask standing) {
    const f32 width = kRackRows * kPinPitchX + 8.0f;
    const f32 height = kRackRows * kPinPitchY + 8.0f;
    const f32 top = kPinsFrontY + kPinSize - height + 4.0f;
    HudFillRect(kPinsCentreX - width / 2.0f, top, width, height, kPanel);
    // Rows 0 | 1 2 | 3 4 5 | 6 7 8 9, pins numbered left to right in each row.
    s32 pin = 0;
    for (s32 row = 0; row < kRackRows; ++row) {
        for (s32 k = 0; k <= row; ++k, ++pin) {
            const f32 x = kPinsCentreX + (f32(k) - f32(row) / 2.0f) * kPinPitchX - kPinSize / 2.0f;
            const f32 y = kPinsFrontY - f32(row) * kPinPitchY;
            const e_HudSprite cell = (standing & PinBit(pin)) != 0 ? HUD_SPRITE_PINUP : HUD_SPRITE_PINDOWN;
            HudSprite(sprites, cell, x, y, kPinSize, kPinSize);
        }
    }
}
