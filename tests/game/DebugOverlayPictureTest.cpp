// The debug overlays on the demo disc's debug fonts: minus + 2 steps through the
// panels, drawn over a checkerboard, a wire sphere and axes, with the mouse's
// cursor, against kept pictures. The pictures drawn are written as debug_*.png in
// the working folder for a person to look at; BOWLING_UPDATE_REFERENCE=1 makes
// them the new references.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr u32 kScenePriority = 5200;  // among the 3-D passes, before the overlay task

volatile f32 HalfFrame = 0.5f / 60.0f;
volatile f32 FrameAndAHalf = 1.5f / 60.0f;
volatile f32 ThreeFrames = 3.0f / 60.0f;
volatile f32 NoTime = 0.0f;

bool ShowTiming = false;

void DrawScene(s_thread*, void*) {
    const s_Vector3 eye{0.0f, 3.0f, 4.0f, 1.0f}, target{0.0f, 0.0f, 0.0f, 1.0f};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DebugDrawFilledGrid(4, 1.0f, 0x404040FFu, 0xA0A0A0FFu);
    const s_Vector3 centre{0.0f, 0.5f, 0.0f, 1.0f};
    DebugDrawSphere(&centre, 0.5f, 0xFF8000FFu, 3, 16);
    const s_CoordSys3 axes{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    const s_Vector3 corner{-1.0f, 0.0f, -1.0f, 1.0f};
    DebugDrawCoord(&corner, &axes, 0.75f);
    if (ShowTiming) {
        // A row at half a frame, one at one and a half (150 %, three quarters of the
        // bar) and one at three (300 %, the whole bar).
        const s_timing_list rows[] = {{"Half", &HalfFrame, 0xFF0000FFu},
                                      {"OneAndAHalf", &FrameAndAHalf, 0x00FF00FFu},
                                      {"Three", &ThreeFrames, 0x0000FFFFu},
                                      {"None", &NoTime, 0xFFFF00FFu}};
        s_Irect16 panel;
        const e_COMBINE_MODE before = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DebugDrawTiming(&panel, rows, 4);
        EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_OVERWRITE);
        DrawSetCombineMode(before);
        // Five lines high, on the bottom title-safe margin.
        EXPECT_EQ(panel.y + panel.h, DrawContext.screenSize.y - DrawContext.screenTitleSafe.y);
    }
}

class DebugOverlayPictureTest : public DemoDiscFixture {};

TEST_F(DebugOverlayPictureTest, MatchesTheKeptPicture) {
    ASSERT_NE(DebugFont, nullptr);
    ASSERT_NE(DebugIconFont, nullptr);
    ASSERT_NE(DebugSphere, nullptr);
    MouseEnable();
    s_thread* scene =
        ThreadInsertPriorityDebug("DebugScene", nullptr, nullptr, DrawScene, nullptr, kScenePriority);
    // Three presses of 2 with minus held: memory panel, timing panel, none.
    ScriptFromNow(
        "0 0 connect\n0 0 button minus down\n1 0 button 2 down\n2 0 button 2 up\n14 0 button 2 down\n"
        "15 0 button 2 up\n16 0 button 2 down\n17 0 button 2 up\n0 mouse -0.5 -0.5\n");
    EventWait(12);  // past the black frames after start-up
    EXPECT_EQ(DebugTimingFuncIndex, 0);
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/debug_memory.png", "debug_memory.png"),
              60u)
        << "see debug_memory.png";
    EventWait(3);
    EXPECT_EQ(DebugTimingFuncIndex, 1);
    EventWait(2);
    EXPECT_EQ(DebugTimingFuncIndex, -1);
    ShowTiming = true;
    EventWait(2);
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/debug_timing.png", "debug_timing.png"),
              60u)
        << "see debug_timing.png";
    ShowTiming = false;
    ThreadKill(scene);
}

// Shutting down gives back every font, the sphere and both archives.
TEST_F(DebugOverlayPictureTest, ShutdownFreesTheAssets) {
    DebugShutdown();
    for (const char* font : {"ARIAL20", "SYSICONS"})
        EXPECT_EQ(DataFind(font, "FNT"), nullptr) << font;
    EXPECT_EQ(DebugWad, nullptr);
    EXPECT_EQ(DebugTimingThreadPtr, nullptr);
}

}  // namespace
