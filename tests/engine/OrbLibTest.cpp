#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/Memory.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/TimeSlice.h"
#include "source/OrbMain.h"
#include "tests/support/EngineFixture.h"

namespace {

using EngineStartTest = EngineFixture;
using FrameStepTest = EngineFixture;
using FrameStepDeathTest = EngineDeathFixture;

TEST_F(EngineStartTest, ResetsPrintTheirBanners) {
    EXPECT_TRUE(report().contains("\nORBLib V4.7 Cold Reset\n\n"));
    EXPECT_TRUE(report().contains("\nORBLib V4.7 Warm Reset\n\n"));
}

TEST_F(EngineStartTest, WarmResetWithoutARecordUsesTheDefaults) {
    EXPECT_EQ(DefaultConfig.maxhandle, 1024u);
    EXPECT_EQ(DefaultConfig.maxthread, 100u);
    EXPECT_EQ(DefaultConfig.maxcollpoly, 255u);
    EXPECT_EQ(DefaultConfig.filebufsize, 0x10000u);
    EXPECT_EQ(DefaultConfig.enableEffects, 0);
    EXPECT_EQ(DefaultConfig.maxterrain, 0u);
    EXPECT_EQ(DefaultConfig.heapstart, MemoryGetBase());
    EXPECT_EQ(DefaultConfig.heapsize, MemoryGetSize());
    EXPECT_EQ(SystemThreads->capacity, 100u);
}

// Whatever a run left in the engine, the next start gives what a fresh process has:
// the tests of one process run one after another.
TEST_F(EngineStartTest, ARestartKeepsNothingOfTheLastRun) {
    OrbSRand(7);
    OrbRand();
    DrawEnableLight(1);
    s_draw_light light = ObjectDefaultLight;
    light.flags |= u_light_flags::light_specular | u_light_flags::light_directional;
    DrawSetLights(&light, 1);
    DrawLightsOn();
    gxprj.element[3] = 5.0f;
    TimeSliceRealDeltaTime = 0.5f;
    TimeSliceRealVBlankCount = 9;
    SceneFlags |= SCENE_FLAG_IN_CUTSCENE;

    TearDown();
    SetUp();
    EXPECT_EQ(OrbRand(), s32(std::mt19937(5489)() >> 1));
    const s_hardware_light fresh{};
    for (const s_hardware_light& hw : GXLights)
        EXPECT_EQ(std::memcmp(&hw, &fresh, sizeof fresh), 0);
    EXPECT_EQ(DrawSpecularDir.x, 0.0f);
    EXPECT_EQ(DrawSpecularDir.z, 0.0f);
    EXPECT_EQ(std::memcmp(&gxprj, &IDMatrix4, sizeof gxprj), 0);
    EXPECT_EQ(TimeSliceRealDeltaTime, 0.0f);
    EXPECT_EQ(TimeSliceRealVBlankCount, 0u);
    EXPECT_EQ(SceneFlags, 0u);
}

TEST(EngineColdResetTest, FillsTheHeapOnlyWhenTheCallerChoseNone) {
    static u8 heap[64];
    s_orblib_config chosen{};
    chosen.heapstart = heap;
    chosen.heapsize = sizeof(heap);
    s_orblib_config fresh{};
    for (s_orblib_config* config : {&chosen, &fresh}) {
        HostInit(TestHostConfig());
        OrblibColdReset(GAME_VIDEO_MODE, config);
        if (config == &fresh) {
            EXPECT_EQ(fresh.heapstart, MemoryGetBase());
            EXPECT_EQ(fresh.heapsize, MemoryGetSize());
        }
        MemoryExit();
        HostShutdown();
    }
    EXPECT_EQ(chosen.heapstart, heap);
    EXPECT_EQ(chosen.heapsize, sizeof(heap));
}

int gPasses = 0;
void CountPass(s_thread*, void*) {
    ++gPasses;
}

class FrameStepCounting : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        gPasses = 0;
        ThreadInsertPriorityDebug("CountPass", nullptr, nullptr, CountPass, nullptr, 5000);
        RealDeltaTime = 0.25f;
        PlayTime = 0.0f;
    }
};

TEST_F(FrameStepCounting, PlayTimeAdvancesOncePerCallWhateverTheCount) {
    EventWait(0);
    EXPECT_EQ(gPasses, 0);
    EXPECT_FLOAT_EQ(PlayTime, 0.25f);

    PlayTime = 0.0f;
    RealDeltaTime = 0.25f;
    EventWait(3);
    EXPECT_EQ(gPasses, 3);
    EXPECT_FLOAT_EQ(PlayTime, 0.25f);
}

TEST_F(FrameStepCounting, PausedGameKeepsPlayTimeButRunsThePasses) {
    SetGamePause(1);
    EventWait(2);
    EXPECT_EQ(gPasses, 2);
    EXPECT_FLOAT_EQ(PlayTime, 0.0f);
}

TEST_F(FrameStepCounting, NegativeCountRunsNoPass) {
    EventWait(-5);
    EXPECT_EQ(gPasses, 0);
}

TEST_F(FrameStepTest, PauseReturnsTheMaskedPreviousBit) {
    EXPECT_EQ(SetGamePause(1), 0);
    EXPECT_EQ(GamePaused(), 1);
    EXPECT_EQ(SetGamePause(1), s32(SCENE_FLAG_GAME_PAUSED));
    EXPECT_EQ(SetGamePause(0), s32(SCENE_FLAG_GAME_PAUSED));
    EXPECT_EQ(GamePaused(), 0);
    EXPECT_EQ(GameInCutscene(), 0);
    SceneFlags |= SCENE_FLAG_IN_CUTSCENE;
    EXPECT_EQ(GameInCutscene(), 1);
}

// The exit's leak check runs in the child: a forked child lacks the pixel threads
// whose scratch an earlier test left, so it runs in a fresh process.
TEST_F(FrameStepDeathTest, QuitRequestShutsDownAndExitsCleanly) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QuitRequested = 1;
    EXPECT_EXIT(EventWait(1), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
