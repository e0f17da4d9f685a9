#include <gtest/gtest.h>

#include <string>

#include "console/system.h"
#include "console/vi.h"
#include "console/vi/vi_control.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr OSTime kRetrace = OS_TIMER_CLOCK / VI_RETRACES_PER_SECOND;

u32 gFrameCost = 0;  // retraces the next frame's work takes
s32 gIdleCalls = 0;
s32 gIdleWorkLeft = 0;

void CostlyWork(s_thread*, void*) {
    HostAdvanceClock(OSTime(gFrameCost) * kRetrace);
}

// Reports work until its budget runs out.
s32 CountingIdle(s32) {
    ++gIdleCalls;
    if (gIdleWorkLeft > 0) {
        --gIdleWorkLeft;
        return 1;
    }
    return 0;
}

struct FrameCase {
    u32 minVbl;
    u32 cost;
    f32 realDeltaTime;
    s32 idleCalls;  // with an idle callback that has no work
};

class FrameTimingTest : public EngineFixture, public ::testing::WithParamInterface<FrameCase> {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        gFrameCost = 0;
        gIdleCalls = 0;
        gIdleWorkLeft = 0;
        ThreadInsertPriorityDebug("CostlyWork", nullptr, nullptr, CostlyWork, nullptr, 5000);
        AppIdleCallback = CountingIdle;
        EventWait(2);  // start on a retrace boundary
        gIdleCalls = 0;
    }
};

TEST_P(FrameTimingTest, RealDeltaTimeFollowsRetracesWithTheClamp) {
    const FrameCase& c = GetParam();
    MinVblCount = c.minVbl;
    gFrameCost = c.cost;
    u32 vblanks = VBlankCount;
    EventWait(1);
    EXPECT_FLOAT_EQ(RealDeltaTime, c.realDeltaTime);
    EXPECT_FLOAT_EQ(DeltaTime, c.realDeltaTime);
    EXPECT_EQ(gIdleCalls, c.idleCalls);
    EXPECT_EQ(LastVblCount, VBlankCount - vblanks);
    EXPECT_EQ(VblCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(MinimumTimesCost, FrameTimingTest,
                         ::testing::Values(FrameCase{1, 0, 1.0f / 60, 1}, FrameCase{1, 1, 1.0f / 30, 0},
                                           FrameCase{1, 2, 1.0f / 30, 0}, FrameCase{1, 3, 1.0f / 30, 0},
                                           FrameCase{2, 0, 1.0f / 30, 2}, FrameCase{2, 1, 1.0f / 30, 1},
                                           FrameCase{2, 2, 1.0f / 30, 0}, FrameCase{2, 3, 1.0f / 30, 0},
                                           FrameCase{3, 0, 3.0f / 60, 3}, FrameCase{3, 1, 3.0f / 60, 2},
                                           FrameCase{3, 2, 3.0f / 60, 1}, FrameCase{3, 3, 1.0f / 30, 0}),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                             return "Min" + std::to_string(info.param.minVbl) + "Cost" +
                                    std::to_string(info.param.cost);
                         });

using FrameBoundaryTest = FrameTimingTest;

TEST_F(FrameBoundaryTest, BusyIdleCallbackIsCalledUntilTheMinimumHasPassed) {
    MinVblCount = 2;
    gIdleWorkLeft = 1000000;
    u32 vblanks = VBlankCount;
    EventWait(1);
    EXPECT_EQ(VBlankCount - vblanks, 2u);
    EXPECT_GT(gIdleCalls, 2);
    EXPECT_FLOAT_EQ(RealDeltaTime, 1.0f / 30);
}

TEST_F(FrameBoundaryTest, FrameClocksAdvanceOncePerFrame) {
    u32 frames = FrameCount;
    u32 passes = PassCount;
    f32 gameTime = GameTime;
    DeltaTimeScale = 0.5f;
    EventWait(3);
    EXPECT_EQ(FrameCount, frames + 3);
    EXPECT_EQ(PassCount, passes + 3);
    EXPECT_FLOAT_EQ(GameTime, gameTime + 3.0f / 60);
    EXPECT_FLOAT_EQ(DeltaTime, 0.5f / 60);
}

TEST_F(FrameBoundaryTest, RetraceCallbackCountsEveryRetrace) {
    u32 ticks = VblTickCount;
    u32 vblanks = VBlankCount;
    DrawWait();
    DrawWait();
    EXPECT_EQ(VblTickCount, ticks + 2);
    EXPECT_EQ(VBlankCount, vblanks + 2);
    EXPECT_EQ(VblCount, 2u);
}

using VideoBackEndTest = EngineFixture;

constexpr u32 kVideoMode = 0x507A3400u;  // 640 x 480, 32-bit colour

s32 CountTasks(const char* name) {
    s32 count = 0;
    for (s_linked_list* node = SystemThreads->next; node != nullptr; node = node->next)
        count += std::string(static_cast<s_thread*>(node)->name) == name;
    return count;
}

TEST_F(VideoBackEndTest, FirstEightFramesAreBlackThenTheBuffersAlternate) {
    for (int frame = 1; frame <= 8; ++frame) {
        EventWait(1);
        EXPECT_TRUE(HostVIIsBlack()) << "frame " << frame;
    }
    // A frame's picture is shown from the retrace after its flip.
    const void* previous = nullptr;
    for (int frame = 9; frame <= 12; ++frame) {
        const void* copied = GpuBufferPtr;
        EventWait(1);
        EXPECT_FALSE(HostVIIsBlack()) << "frame " << frame;
        if (previous != nullptr) {
            EXPECT_EQ(HostVIShownFrameBuffer(), previous) << "frame " << frame;
        }
        EXPECT_NE(GpuBufferPtr, copied);
        previous = copied;
    }
}

TEST_F(VideoBackEndTest, VideoModeChangeReplacesTheFrameBuffersWithoutLeaking) {
    const u32 extraAvail = ExtraHeap.avail;
    const s_Ivector2 size = DrawContext.screenSize;
    EXPECT_EQ(DrawSetVideoMode(kVideoMode), kVideoMode);
    EXPECT_EQ(ExtraHeap.avail, extraAvail);  // unchanged mode: nothing allocated

    const u32 halfHeight = (kVideoMode & ~(0x7Fu << 18)) | (15u << 18);
    EXPECT_EQ(DrawSetVideoMode(halfHeight), kVideoMode);
    EXPECT_LT(DrawContext.screenSize.y, size.y);
    DrawSetVideoMode(kVideoMode);
    EXPECT_EQ(ExtraHeap.avail, extraAvail);
    EXPECT_EQ(DrawContext.screenSize.y, size.y);
}

TEST_F(VideoBackEndTest, RepeatedWarmResetsKeepOneFrameTaskAndLeakNothing) {
    const u32 mainAvail = MainHeap.avail;
    const u32 extraAvail = ExtraHeap.avail;
    DrawWarmReset(kVideoMode);
    DrawAllocPacketBuffers(GPU_FIFO_SIZE);
    EXPECT_EQ(CountTasks("DrawThread"), 1);
    EXPECT_EQ(MainHeap.avail, mainAvail);
    EXPECT_EQ(ExtraHeap.avail, extraAvail);
    EXPECT_EQ(BlackFrameCount, GPU_BLACK_FRAMES);
    EventWait(1);
    EXPECT_EQ(BlackFrameCount, GPU_BLACK_FRAMES - 1);
}

TEST_F(VideoBackEndTest, AGpuThatNeverFinishesIsReportedAfterABoundedWait) {
    const u32 vblanks = VBlankCount;
    EXPECT_FALSE(GpuWaitFor([] { return false; }, "DrawEndFrame"));
    EXPECT_EQ(VBlankCount - vblanks, GPU_WAIT_RETRACES);
    EXPECT_TRUE(report().contains("DrawEndFrame: GPU wait timed out\n"));
}

TEST_F(VideoBackEndTest, InvalidPixelFormatIsRefused) {
    EXPECT_EQ(DrawSetGXPixelFormat(GX_PF_RGB565_Z16), GX_PF_RGB8_Z24);
    EXPECT_EQ(DrawContext.videoMode.depth(), 2u);
    EXPECT_EQ(DrawSetGXPixelFormat(5), GX_PF_RGB565_Z16);
    EXPECT_TRUE(report().contains("DrawSetGXPixelFormat: Invalid pixel format requested, ignored.\n"));
    EXPECT_EQ(DrawContext.videoMode.depth(), 2u);
}

}  // namespace
