#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/system.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "source/AlleyNPCManager.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/DefaultDisc.h"
#include "source/Dev/DevEntries.h"
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
        g_LauncherEntry = DEV_ENTRY_LEVEL_LAUNCH;
        EXPECT_EQ(OrbMain(), 0);
        g_LauncherEntry = DEV_ENTRY_GAME_SHELL;
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

// Start-up in its order: the engine's resets, the symbols, the database, the
// archives every screen needs, then the entry's game. The frame limit counts
// retraces, as input scripts do: 64 of them are the first 29 frames (the engine's
// start-up reads the debug archives).
TEST(OrbMainTest, StartsTheEngineInOrderAndRunsTheAskedFrames) {
    RunResult run = RunGame(64);
    size_t at = 0;
    for (const char* step :
         {"\nORBLib V4.7 Cold Reset\n\n", "\nORBLib V4.7 Warm Reset\n\n", "Load SymTable.bin\n",
          "Wad Load: DEBUG\n", "Wad Load: SYSTEM\n", "Load ZQL07_BE.DB\n", "Wad Load: SYSTEXT\n",
          "Wad Load: MENUSND\n", "Wad Load: PRELOAD\n", "Heap MainLoop: ", "Wad Load (ASYNC): ALLEY\n"}) {
        at = run.output.find(step, at);
        EXPECT_NE(at, std::string::npos) << step;
    }
    EXPECT_EQ(run.frames, 29u);
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
    // Nor does the stopped game leave a table pointing into the freed heap.
    EXPECT_EQ(TournamentList, nullptr);
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

// A disc that has lost the front end's strings since the disc check stops start-up
// at once, naming the archive, instead of at the first screen's text.
TEST(OrbMainDeathTest, StopsWithoutTheSystemTexts) {
    const std::filesystem::path disc = testing::TempDir() + "no_systext_disc";
    std::filesystem::remove_all(disc);
    std::filesystem::create_directories(disc);  // the root's files may come before its folders
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DefaultDiscRoot())) {
        const std::filesystem::path copy = disc / std::filesystem::relative(entry.path(), DefaultDiscRoot());
        if (entry.is_directory())
            std::filesystem::create_directories(copy);
        else if (entry.path().filename() != "SYSTEXT.WAD")
            std::filesystem::create_symlink(entry.path(), copy);
    }
    HostConfig config = TestHostConfig();
    config.discRoot = disc.string();
    HostInit(config);
    EXPECT_DEATH(OrbMainStartup(), "OrbMain: the disc has no SYSTEXT archive");
    HostShutdown();
}

}  // namespace

// The lane's first song fades in under the first frames of the game.
TEST(OrbMainTest, PlaysTheLaneMusicFadingIn) {
    RunResult run = RunGame(240);
    EXPECT_NE(run.output.find("Wad Load: MENUSND\n"), std::string::npos);
    const size_t samples = run.sound.size() / 2;
    ASSERT_GT(samples, 32000u * 3);  // four seconds of frames
    const double start = Loudness(run.sound, 0, 8000);
    const double late = Loudness(run.sound, samples - 16000, samples);
    EXPECT_GT(late, 200.0);
    EXPECT_GT(late, 3.0 * start);  // the fade-in
}
