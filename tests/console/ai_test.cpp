// The audio interface's blocks on the virtual clock: their timing, the DMA
// callback chain and the capture of what played.
#include "console/ai.h"

#include <vector>

#include "console/ai/ai_control.h"
#include "tests/console/ax_support.h"

namespace {

using AiTest = ConsoleTest;

constexpr OSTime kBlockTicks = OS_TIMER_CLOCK / 1000 * 3;

int s_frames = 0;
void CountFrame() {
    ++s_frames;
}

// Runs the program for `ms` milliseconds of virtual time in 1 ms steps.
void RunFor(int ms) {
    for (int i = 0; i < ms; ++i) {
        HostAdvanceClock(OSMillisecondsToTicks(1));
        OSGetTime();
    }
}

TEST_F(AiTest, CapturesOneSampleFor32kHzOfElapsedTime) {
    s_frames = 0;
    AIInit(nullptr);
    AXInit();
    AXRegisterCallback(CountFrame);
    HostAudioCaptureStart();
    RunFor(1000);
    const std::vector<s16> captured = HostAudioCaptureTake();
    EXPECT_NEAR(double(captured.size() / 2), 32000.0, AX_FRAME_SAMPLES);
    EXPECT_EQ(captured.size() % (2 * AX_FRAME_SAMPLES), 0u);
    EXPECT_EQ(size_t(s_frames) * AX_FRAME_SAMPLES * 2, captured.size());
}

TEST_F(AiTest, LateDeliveryCatchesUp) {
    s_frames = 0;
    AIInit(nullptr);
    AXInit();
    AXRegisterCallback(CountFrame);
    HostAdvanceClock(100 * kBlockTicks);
    OSGetTime();
    EXPECT_EQ(s_frames, 100);
}

TEST_F(AiTest, AVoicePlaysTwoBlocksAfterItStarts) {
    AIInit(nullptr);
    AXInit();
    const std::vector<s16> level(AX_FRAME_SAMPLES * 4, 1000);
    const u32 start = PutSampleBytes(level.data(), level.size() * 2) / 2;
    AXVPB* voice = AXAcquireVoice(AX_PRIORITY_LOWEST, nullptr, 0);
    AXPBADDR addr{0, AX_PB_FORMAT_PCM16, 0, start + u32(level.size()) - 1, start};
    AXSetVoiceAddr(voice, &addr);
    AXPBMIX mix{};
    mix.vL = mix.vR = 0x8000;
    AXSetVoiceMix(voice, &mix);
    AXPBVE ve{0x8000, 0};
    AXSetVoiceVe(voice, &ve);
    AXSetVoiceState(voice, AX_PB_STATE_RUN);
    HostAudioCaptureStart();
    RunFor(30);
    const std::vector<s16> left = Channel(HostAudioCaptureTake(), 0);
    // Mixed at the first boundary, latched at the second, out at the third.
    ASSERT_GE(left.size(), 7 * AX_FRAME_SAMPLES);
    EXPECT_EQ(left[2 * AX_FRAME_SAMPLES - 1], 0);
    EXPECT_EQ(left[2 * AX_FRAME_SAMPLES], 1000);
    EXPECT_EQ(left[6 * AX_FRAME_SAMPLES - 1], 1000);
    EXPECT_EQ(left[6 * AX_FRAME_SAMPLES], 0);
    EXPECT_EQ(voice->pb.state, AX_PB_STATE_STOP);
}

AIDCallback s_previous = nullptr;
std::vector<u32> s_blocks;
void ChainedCallback() {
    s_previous();
    s_blocks.push_back(AIGetDMAStartAddr());
}

TEST_F(AiTest, AChainedCallbackSeesAxBlocksAlternate) {
    s_blocks.clear();
    AIInit(nullptr);
    EXPECT_TRUE(AICheckInit());
    AXInit();
    s_previous = AIRegisterDMACallback(ChainedCallback);
    ASSERT_NE(s_previous, nullptr);
    RunFor(12);
    ASSERT_GE(s_blocks.size(), 3u);
    EXPECT_NE(s_blocks[0], s_blocks[1]);
    EXPECT_EQ(s_blocks[0], s_blocks[2]);
    EXPECT_EQ(AIGetDMALength(), AX_FRAME_SAMPLES * 4);
    AIStopDMA();
    s_blocks.clear();
    RunFor(12);
    EXPECT_TRUE(s_blocks.empty());
}

}  // namespace
