#include "source/Dev/ColorBar.h"

#include <algorithm>
#include <cstdio>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"

// The SMPTE layout at studio levels: 16 black, 180 the 75 % bars, 235 white.
// clang-format off
const s_color_bar_def ColorBars[numColorBars] = {
    {{0, 0}, 91, 150, 0xB4B4B4FF},        {{91, 0}, 91, 150, 0xB4B410FF},
    {{182, 0}, 91, 150, 0x10B4B4FF},      {{273, 0}, 91, 150, 0x10B410FF},
    {{364, 0}, 91, 150, 0xB410B4FF},      {{455, 0}, 91, 150, 0xB41010FF},
    {{546, 0}, 91, 150, 0x1010B4FF},
    {{0, 150}, 91, 24, 0x1010B4FF},       {{91, 150}, 91, 24, 0x101010FF},
    {{182, 150}, 91, 24, 0xB410B4FF},     {{273, 150}, 91, 24, 0x101010FF},
    {{364, 150}, 91, 24, 0x10B4B4FF},     {{455, 150}, 91, 24, 0x101010FF},
    {{546, 150}, 91, 24, 0xB4B4B4FF},
    {{0, 174}, 113.75f, 113.75f, 0x001D42FF},      {{113.75f, 174}, 113.75f, 113.75f, 0xEBEBEBFF},
    {{227.5f, 174}, 113.75f, 113.75f, 0x2C005CFF}, {{341.25f, 174}, 113.75f, 113.75f, 0x101010FF},
    {{455, 174}, 30, 113.75f, 0x070707FF},         {{485, 174}, 30, 113.75f, 0x101010FF},
    {{515, 174}, 30, 113.75f, 0x181818FF},         {{546, 174}, 91, 113.75f, 0x101010FF},
};
// clang-format on

s_thread* ColorBarDrawThreadPtr = nullptr;
s32 ColorBarPattern = 1;
f32 ColorBarScaleX = 1.0f;
f32 ColorBarScaleY = 1.0f;

namespace {

constexpr f32 kFrameWidth = 640.0f;
constexpr f32 kFrameHeight = 480.0f;

s_Vector3 Scaled(f32 x, f32 y) {
    return {x * ColorBarScaleX, y * ColorBarScaleY, 0.0f, 0.0f};
}

void FilledRect(f32 x, f32 y, f32 w, f32 h, u32 color) {
    const s_Vector3 p0 = Scaled(x, y);
    const s_Vector3 p1 = Scaled(x + w, y + h);
    DrawSetFlatColor(color);
    DrawFilledRect(&p0, &p1);
}

void Line(f32 x0, f32 y0, f32 x1, f32 y1) {
    const s_Vector3 a = Scaled(x0, y0);
    const s_Vector3 b = Scaled(x1, y1);
    DrawLine(&a, &b);
}

// Points up: the tip at (x, y), the shaft down to y + length.
void DrawArrow(f32 x, f32 y, f32 length) {
    Line(x, y, x, y + length);
    Line(x, y, x - 7.0f, y + 0.3f * length);
    Line(x, y, x + 7.0f, y + 0.3f * length);
}

void Label(const char* text, f32 x, f32 y) {
    const s_Vector3 at = Scaled(x, y);
    FontDrawString(text, 0, at.x, at.y);
}

void DrawBars() {
    for (const s_color_bar_def& bar : ColorBars)
        FilledRect(bar.pos.x, bar.pos.y, bar.w, bar.h, bar.color);
    // The legend points at the three narrow bars below black, at black and above.
    DrawSetFlatColor(0xFFFFFFFF);
    DrawArrow(470.0f, 297.75f, 20.0f);
    DrawArrow(500.0f, 297.75f, 20.0f);
    DrawArrow(530.0f, 297.75f, 40.0f);
    Line(470.0f, 317.75f, 500.0f, 317.75f);
    Line(485.0f, 318.75f, 485.0f, 328.75f);
    Line(267.5f, 328.75f, 486.0f, 328.75f);
    Label("Just Visible", 530.0f, 357.75f);
    Label("NOT Visible", 227.5f, 337.75f);
}

void DrawRamp() {
    for (s32 i = 0; i < COLOR_BAR_RAMP_STEPS; ++i)
        FilledRect(40.0f + 18.0f * f32(i), 60.0f, 18.0f, 100.0f, ColorBarRampColor(i));
    // The labels after every step: the font leaves its texture set.
    DrawSetFlatColor(0xFFFFFFFF);
    char number[8];
    for (s32 i = 0; i < COLOR_BAR_RAMP_STEPS; ++i) {
        std::snprintf(number, sizeof(number), "%d", i);
        Label(number, 49.0f + 18.0f * f32(i), 60.0f);
    }
}

}  // namespace

u32 ColorBarRampColor(s32 step) {
    if (step == 0)
        return 0x070707FF;
    const u32 level = u32(std::min(8 * step + 8, 255));
    return level << 24 | level << 16 | level << 8 | 0xFF;
}

void ColorBarStartup() {
    ColorBarScaleX = f32(DrawContext.screenSize.x) / kFrameWidth;
    ColorBarScaleY = f32(DrawContext.screenSize.y) / kFrameHeight;
    if (ColorBarDrawThreadPtr == nullptr)
        ColorBarDrawThreadPtr = ThreadInsertPriorityDebug(
            "ColorBarDrawThread", nullptr, nullptr, ColorBarDrawThread, nullptr, COLOR_BAR_THREAD_PRIORITY);
    ColorBarPattern = 1;
    DrawSetClearColor(0);
}

void ColorBarShutDown() {
    if (ColorBarDrawThreadPtr != nullptr)
        ThreadKill(ColorBarDrawThreadPtr);
    ColorBarDrawThreadPtr = nullptr;
}

void ColorBarDrawThread(s_thread*, void*) {
    if ((PadAny.bnew & PAD_A) != 0)
        ColorBarPattern ^= 1;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetConstantZ(0.0f);
    s_font* const font = FontSet(DebugFont);
    const s32 justification = FontSetJustification(FONT_JUSTIFY_CENTRE);
    s_texture* const texture = DrawSetTexture(nullptr);
    const u32 flat = DrawSetFlatColor(0xFFFFFFFF);

    if (ColorBarPattern != 0)
        DrawBars();
    else
        DrawRamp();
    DrawSetFlatColor(0xFFFFFFFF);
    FontDrawString("Press \x90 to toggle pattern, Press \x8E to Exit", 0,
                   f32(DrawContext.screenSize.x) / 2.0f, f32(DrawContext.screenSize.y) - 20.0f);

    DrawSetFlatColor(flat);
    DrawSetTexture(texture);
    FontSetJustification(justification);
    FontSet(font);
    DrawSetProjection(projection);
}

void ColorBarColdReset() {
    ColorBarPattern = 1;
    ColorBarScaleX = ColorBarScaleY = 1.0f;
}

void ColorBarWarmReset() {
    ColorBarDrawThreadPtr = nullptr;
}
