// The draw module's overlay: the frame's timers as bars, the frame rate and the
// vertex and polygon rates of the last second.
#include <iterator>

#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"

namespace {

constexpr u32 kRateColour = 0xFFFF00FFu;

const s_timing_list kTimers[] = {
    {"Cpu", &CPUTime, 0xFF0000FFu},
    {"Gpu", &GPUTime, 0x00FF00FFu},
    {"Mesh", &MSHTime, 0x0000FFFFu},
    {"Test", &TestTime, 0xFFFF00FFu},
};

// The counts of the second running now and of the last whole one.
struct Second {
    f32 elapsed = 0.0f;
    u32 frames = 0, verts = 0, polys = 0;
};
Second Counting;
Second Last;

}  // namespace

void DrawTimingReset() {
    Counting = Last = Second{};
}

void DrawDrawTiming() {
    Counting.elapsed += RealDeltaTime;
    if (Counting.elapsed >= 1.0f) {
        Last = Counting;
        Counting = Second{};
    } else {
        Counting.verts += DrawContext.lastFrameVertCount;
        Counting.polys += DrawContext.lastFramePolyCount;
        ++Counting.frames;
    }
    s_Irect16 panel;
    DebugDrawTiming(&panel, kTimers, s32(std::size(kTimers)));
    f32 scaleX = 1.0f, scaleY = 1.0f;
    FontGetScale(&scaleX, &scaleY);
    const s32 justification = FontSetJustification(FONT_JUSTIFY_LEFT);
    const f32 x = f32(panel.x) + 8.0f;
    const f32 y = f32(panel.y) + FontCharHeight();
    DrawSetFlatColor(kRateColour);
    FontPrintf("%dHz", x, y, s32(Last.frames));
    FontSetJustification(FONT_JUSTIFY_RIGHT);
    FontPrintf("%d vert (%0.2fM/S) %d poly (%0.2fM/S)", f32(panel.x + panel.w) - 8.0f, y,
               s32(DrawContext.lastFrameVertCount), f64(Last.verts) / 1e6,
               s32(DrawContext.lastFramePolyCount), f64(Last.polys) / 1e6);
    FontSetJustification(justification);
    FontSetScale(scaleX, scaleY);
    DrawSetFlatColor(0xFFFFFFFFu);
}
