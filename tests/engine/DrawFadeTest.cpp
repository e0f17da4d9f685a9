#include <gtest/gtest.h>

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

u32 Overlay() {
    return DrawContext.viewport->fadeColor;
}

// Frames run until no fade is left.
u32 FramesToFinish() {
    const u32 start = FrameCount;
    DrawWaitFade();
    return FrameCount - start;
}

class DrawFadeTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        EventWait(2);  // past the long first frame: frames of 1/60 s from here on
    }
};

TEST_F(DrawFadeTest, FadeOutBuildsToOpaqueAndStaysThenFadeInClearsToBlack) {
    EXPECT_EQ(FramesToFinish(), 0u);
    DrawFade(FADE_OUT, 0x000000FF, 0.25f);
    EXPECT_EQ(Overlay(), 0u);
    EventWait(6);
    EXPECT_NEAR(Overlay(), 102.0, 1.0);
    EXPECT_NEAR(FramesToFinish(), 9.0, 1.0);
    EventWait(2);
    EXPECT_EQ(Overlay(), 0x000000FFu);

    DrawFade(FADE_IN, 0xFF00FFFF, 0.25f);  // a fade-in ignores its colour
    EventWait(6);
    EXPECT_NEAR(Overlay(), 153.0, 1.0);
    EXPECT_NEAR(FramesToFinish(), 9.0, 1.0);
    EXPECT_EQ(Overlay(), 0u);
}

TEST_F(DrawFadeTest, NewFadeReplacesTheRunningOneFromTheCurrentAlpha) {
    DrawFade(FADE_OUT, 0xFFFFFF80, 0.0f);
    EXPECT_EQ(FramesToFinish(), 1u);
    EXPECT_EQ(Overlay(), 0xFFFFFF80u);  // a zero-time fade shows its own alpha

    DrawFade(FADE_IN, 0, 0.25f);
    EventWait(6);
    const u32 tasks = SystemThreadCount;
    const u32 alpha = Overlay();
    EXPECT_NEAR(alpha, 0x80 * 0.6, 1.0);
    DrawFade(FADE_OUT, 0x20406080, 0.25f);
    EXPECT_EQ(SystemThreadCount, tasks);
    EventWait(1);
    EXPECT_GE(Overlay(), 0x20406000u + alpha);  // a timed fade ignores its alpha
    EXPECT_NEAR(FramesToFinish(), 14.0, 1.0);
    EXPECT_EQ(Overlay(), 0x204060FFu);

    DrawResetFade();
    EXPECT_EQ(Overlay(), 0u);
}

TEST_F(DrawFadeTest, ClearColorFadesToItsTargetAndRestartsFromWhereItIs) {
    const s_viewport* viewport = DrawContext.viewport;
    DrawSetClearColor(0x000000FF);
    DrawFadeClearColor(0xFF0000FF, 0.25f);
    EventWait(6);
    const u32 between = viewport->clearColor;
    EXPECT_NEAR(between >> 24, 102.0, 1.0);

    const u32 tasks = SystemThreadCount;
    DrawFadeClearColor(0x00FF00FF, 0.25f);
    EXPECT_EQ(SystemThreadCount, tasks);
    EXPECT_EQ(ClearColorFadeStartRGB, between);
    EventWait(16);
    EXPECT_EQ(viewport->clearColor, 0x00FF00FFu);
    EXPECT_FLOAT_EQ(viewport->clearColorVect.y, 1.0f);

    DrawFadeClearColor(0x8040C0FF, 0.0f);
    EventWait(1);
    EXPECT_EQ(viewport->clearColor, 0x8040C0FFu);
    EXPECT_EQ(ClearColorFadeThreadPtr, nullptr);
}

}  // namespace
