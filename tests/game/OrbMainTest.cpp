#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/system.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "source/AlleyNPCManager.h"
#include "source/DefaultDisc.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/PinTables.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReportCapture.h"

namespace {

struct RunResult {
    std::string output;
    OSTime clock;
    u32 frames;
    u32 vblanks;
    f32 gameTime;
    f32 playTime;
    s32 nextRandom;
    std::vector<s16> sound;  // stereo, 32 kHz
};

// Root mean square of the left channel over stereo samples [from, to).
double Loudness(const std::vector<s16>& sound, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += double(sound[2 * i]) * sound[2 * i];
    return std::sqrt(sum / double(to - from));
}

RunResult RunGame(u32 retraces) {
    HostConfig config = TestHostConfig();
    config.discRoot = DefaultDiscRoot();
    HostInit(config);
    RunResult result{};
    {
        ReportCapture capture;
        HostAudioCaptureStart();
        g_FrameLimit = retraces;
        EXPECT_EQ(OrbMain(), 0);
        g_FrameLimit = 0;
        result.output = capture.text();
        result.sound = HostAudioCaptureTake();
    }
    result.clock = OSGetTime();
    result.frames = FrameCount;
    result.vblanks = VBlankCount;
    result.gameTime = GameTime;
    result.playTime = PlayTime;
    result.nextRandom = OrbRand();
    HostShutdown();
    return result;
}

// The frame limit counts retraces, as input scripts do: 64 of them are the first
// 30 frames.
TEST(OrbMainTest, StartsTheEngineAndRunsTheAskedFrames) {
    RunResult run = RunGame(64);
    EXPECT_NE(run.output.find("\nORBLib V4.7 Cold Reset\n\n"), std::string::npos);
    EXPECT_NE(run.output.find("\nORBLib V4.7 Warm Reset\n\n"), std::string::npos);
    EXPECT_NE(run.output.find("Heap MainLoop: "), std::string::npos);
    EXPECT_NE(run.output.find("Wad Load: SYSTEXT\n"), std::string::npos);
    EXPECT_NE(run.output.find("Wad Load (ASYNC): ALLEY\n"), std::string::npos);
    EXPECT_EQ(run.frames, 30u);
    // A frame lasts one retrace until the alley starts, two from then on; the
    // first ones may be late (the start-up waits).
    EXPECT_GE(run.gameTime, 40.0f / 60.0f - 1e-5f);
    EXPECT_LE(run.gameTime, 64.0f / 60.0f + 1e-5f);
}

TEST(OrbMainTest, StartsTheGameFromItsResetState) {
    Physics.m_state = 12;
    PlayerLane.NumPhysFrames = 400;
    g_LevelIsPlaying = 1;
    NormTable1[0] = 0.0;
    RunGame(1);
    EXPECT_EQ(Physics.m_state, 0);
    EXPECT_EQ(PlayerLane.NumPhysFrames, 0);
    EXPECT_EQ(g_LevelIsPlaying, 0);
    EXPECT_EQ(NormTable1[0], -128.0);
}

TEST(OrbMainTest, SameFramesTwiceGiveTheSameState) {
    RunResult first = RunGame(60);
    RunResult second = RunGame(60);
    EXPECT_EQ(first.output, second.output);
    EXPECT_EQ(first.clock, second.clock);
    EXPECT_EQ(first.vblanks, second.vblanks);
    EXPECT_EQ(first.gameTime, second.gameTime);
    EXPECT_EQ(first.playTime, second.playTime);
    EXPECT_EQ(first.nextRandom, second.nextRandom);
    EXPECT_EQ(first.sound, second.sound);
}

}  // namespace

TEST(OrbMainTest, PlaysTheMenuMusicFadingIn) {
    RunResult run = RunGame(240);
    EXPECT_NE(run.output.find("Wad Load: MENUSND\n"), std::string::npos);
    const size_t samples = run.sound.size() / 2;
    ASSERT_GT(samples, 32000u * 3);  // four seconds of frames
    const double start = Loudness(run.sound, 0, 8000);
    const double late = Loudness(run.sound, samples - 16000, samples);
    EXPECT_GT(late, 200.0);
    EXPECT_GT(late, 3.0 * start);  // the three-second fade-in
}
