// The whole picture path: a task draws with the engine's primitives, the frame
// boundary copies the frame to the display buffer, and the display shows it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "console/screenshot.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/GameFixture.h"

namespace {

// Three colour bars and a white triangle over them, in screen pixels.
void DrawTestPattern(s_thread*, void*) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const u32 colours[3] = {0xFF0000FF, 0x00FF00FF, 0x0000FFFF};
    for (int bar = 0; bar < 3; ++bar) {
        DrawSetFlatColor(colours[bar]);
        const s_Irect16 rect{s16(40 + 200 * bar), 40, 160, 360};
        DrawFilledIrect(&rect);
    }
    DrawSetFlatColor(0xFFFFFFFF);
    const s_Vector3 a{320, 100, 0, 0}, b{420, 300, 0, 0}, c{220, 300, 0, 0};
    DrawTriangle(&a, &b, &c);
}

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(const HostFrame& frame, u32 x, u32 y) {
    const u8* p = &frame.rgb[(std::size_t(y) * frame.width + x) * 3];
    return {p[0], p[1], p[2]};
}

void ExpectNear(Rgb got, Rgb want, const char* where) {
    // The display buffer is YUYV: colours come back within a few steps.
    EXPECT_NEAR(got.r, want.r, 12) << where;
    EXPECT_NEAR(got.g, want.g, 12) << where;
    EXPECT_NEAR(got.b, want.b, 12) << where;
}

using ScreenPictureTest = GameFixture;

TEST_F(ScreenPictureTest, PrimitivesDrawnByATaskReachTheDisplay) {
    ThreadInsertPriorityDebug("TestPattern", nullptr, nullptr, DrawTestPattern, nullptr, 5100);
    EventWait(12);  // past the black frames after start-up

    HostFrame frame;
    HostCaptureShownFrame(&frame);
    ASSERT_EQ(frame.width, 640u);
    ASSERT_EQ(frame.height, 448u);
    ExpectNear(PixelAt(frame, 60, 380), {255, 0, 0}, "red bar");
    ExpectNear(PixelAt(frame, 260, 380), {0, 255, 0}, "green bar");
    ExpectNear(PixelAt(frame, 580, 380), {0, 0, 255}, "blue bar");
    ExpectNear(PixelAt(frame, 320, 250), {255, 255, 255}, "triangle");
    ExpectNear(PixelAt(frame, 20, 20), {0, 0, 0}, "cleared background");
    if (const char* path = std::getenv("BOWLING_TEST_SCREENSHOT")) {
        EXPECT_TRUE(HostSaveScreenshot(path));
    }
}

}  // namespace
