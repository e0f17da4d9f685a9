#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/Pad.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsIdle.h"
#include "tests/support/GameFixture.h"

namespace {

// Game frames of 1/30 s: a whole game lasts a few thousand.
constexpr s32 kGameFrames = 100000;
// Idle-callback calls in a frame of the bowling level's 2 retraces.
constexpr s32 kSlicesPerFrame = 16;

struct GameRecord {
    std::vector<u32> totals;
    std::vector<PinMask> racksAtFrameStart;  // what stood for each frame's first ball
    u32 balls = 0;
    s32 frames = 0;
};

class LaneTurnTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        MinVblCount = 2;
        AppIdleCallback = PhysicsIdleProcess;
        OrbSRand(1234);
    }

    // From the next retrace on, remote 0 presses the button, swings and lets go.
    static void ScriptPress(const std::string& button) {
        const std::string f = std::to_string(VIGetRetraceCount() + 1);
        const std::string up = std::to_string(VIGetRetraceCount() + 15);
        std::string error;
        ASSERT_TRUE(HostInputSetScript(f + " 0 connect\n" + f + " 0 button " + button + " down\n" + f +
                                           " 0 swing 12 2.5\n" + up + " 0 button " + button + " up\n",
                                       &error))
            << error;
    }

    static void SetUpBowlers(s32 count, s32 computer) {
        g_GameSettings.m_Current.iNumPlayers = count;
        for (s32 i = 0; i < MAX_PLAYERS; ++i)
            g_Players[i].bIsHumanPlayer = i != computer;
    }

    // One frame of the real task list.
    static void Frame() {
        Physics.run();
        EventWait(1);
    }

    // What a frame of the bowling level gives the turn, without drawing it: two
    // retraces of time and input, the pads read, the turn, the idle time's slices.
    static void LaneFrame(s32 slices = kSlicesPerFrame) {
        VIWaitForRetrace();
        VIWaitForRetrace();
        PadRead();
        RealDeltaTime = 2.0f * FrameDuration;
        Physics.run();
        for (s32 n = 0; n < slices && PhysicsIdleProcess(0); ++n) {
        }
    }

    static GameRecord PlayGame() {
        GameRecord record;
        g_LevelMgr.m_bActive = 1;
        Physics.StartGame();
        s32 lastState = -1;
        for (; record.frames < kGameFrames && Physics.m_state != LANE_STATE_GAME_OVER; ++record.frames) {
            LaneFrame();
            if (Physics.m_state == lastState)
                continue;
            lastState = Physics.m_state;
            if (Physics.m_state == LANE_STATE_AIM)
                ScriptPress("b");
            if (Physics.m_state == LANE_STATE_BOWLER_UP && Physics.iCurrentBowlThrow == 0 &&
                Physics.mScoreKeeper.GetNextBall(u32(Physics.iCurrentBowler)).ball == 0)
                record.racksAtFrameStart.push_back(Physics.m_iLastPinSetup);
            if (Physics.m_state == LANE_STATE_RELEASE)
                ++record.balls;
        }
        for (s32 i = 0; i < g_GameSettings.m_Current.iNumPlayers; ++i)
            record.totals.push_back(Physics.mScoreKeeper.GetTotalScore(u32(i)));
        return record;
    }
};

void ExpectWholeGame(const GameRecord& game, s32 bowlers) {
    EXPECT_EQ(Physics.m_state, LANE_STATE_GAME_OVER);
    EXPECT_EQ(g_LevelMgr.m_bActive, 0);
    ASSERT_EQ(game.totals.size(), size_t(bowlers));
    for (s32 i = 0; i < bowlers; ++i) {
        EXPECT_TRUE(Physics.mScoreKeeper.IsGameOver(u32(i)));
        EXPECT_LE(game.totals[size_t(i)], 300u);
        EXPECT_EQ(Physics.mScoreKeeper.GetScoreVal(u32(i), 31), s32(game.totals[size_t(i)]));
    }
    EXPECT_EQ(game.racksAtFrameStart.size(), size_t(10 * bowlers));
    for (PinMask rack : game.racksAtFrameStart)
        EXPECT_EQ(rack, PIN_MASK_ALL);
}

TEST_F(LaneTurnTest, OneBowlerBowlsAWholeGameWithTheRemote) {
    static u32 kudos[KUDOS_GUTTER + 1];
    g_InGameScreens.KudosShow = [](e_Kudos kind) { ++kudos[kind]; };
    SetUpBowlers(1, -1);
    const GameRecord game = PlayGame();
    ExpectWholeGame(game, 1);
    EXPECT_GE(game.balls, 11u);
    EXPECT_LE(game.balls, 21u);
    EXPECT_EQ(kudos[KUDOS_STRIKE] + kudos[KUDOS_TURKEY] + kudos[KUDOS_SIXPACK],
              Physics.mScoreKeeper.GetStrikes(0));
    EXPECT_EQ(kudos[KUDOS_SPARE], Physics.mScoreKeeper.GetSpares(0));
    InGameScreensDefault();
}

TEST_F(LaneTurnTest, FourBowlersWithAComputerBowlerGiveTheSameScoresEveryTime) {
    SetUpBowlers(4, 3);
    const GameRecord first = PlayGame();
    ExpectWholeGame(first, 4);
    // The seeded game's scores, the same in every build.
    EXPECT_EQ(first.totals, (std::vector<u32>{115, 95, 103, 145}));

    GameFixture::TearDown();
    SetUp();
    SetUpBowlers(4, 3);
    const GameRecord second = PlayGame();
    EXPECT_EQ(second.totals, first.totals);
    EXPECT_EQ(second.balls, first.balls);
}

TEST_F(LaneTurnTest, FilmPlaysAt120FramesASecondOfGameTimeAndStopsWhilePaused) {
    SetUpBowlers(1, 0);
    g_LevelMgr.m_bActive = 1;
    Physics.StartGame();
    for (s32 n = 0; n < 200 && Physics.m_state != LANE_STATE_ROLL; ++n)
        Frame();
    ASSERT_EQ(Physics.m_state, LANE_STATE_ROLL);
    Frame();
    const f32 start = Physics.fCurrentFrame;
    for (s32 n = 0; n < 15; ++n)
        Frame();
    EXPECT_NEAR(Physics.fCurrentFrame - start, 15 * 120.0f / 30.0f, 0.01f);

    SetGamePause(1);
    const f32 paused = Physics.fCurrentFrame;
    for (s32 n = 0; n < 30; ++n)
        Frame();
    EXPECT_EQ(Physics.fCurrentFrame, paused);
    EXPECT_EQ(Physics.m_state, LANE_STATE_ROLL);
    SetGamePause(0);
    Frame();
    EXPECT_GT(Physics.fCurrentFrame, paused);
}

TEST_F(LaneTurnTest, AThrowEndsWithoutIdleTime) {
    // The film never reaches its event frames: the state's time-out finishes the throw.
    SetUpBowlers(1, 0);
    g_LevelMgr.m_bActive = 1;
    Physics.StartGame();
    const u32 throwsBefore = g_Players[0].m_NumThrows;
    s32 n = 0;
    for (; n < 3000 && Physics.mScoreKeeper.GetNextBall(0).frame == 0 &&
           Physics.mScoreKeeper.GetNextBall(0).ball == 0;
         ++n)
        LaneFrame(0);
    EXPECT_LT(n, 3000);
    EXPECT_EQ(g_Players[0].m_NumThrows, throwsBefore + 1);
}

TEST_F(LaneTurnTest, PracticeRacksThePickedPins) {
    static PinMask picked;
    g_InGameScreens.PickPinsOpen = [](PinMask) {};
    g_InGameScreens.PickPinsDone = [](PinMask* chosen) {
        *chosen = picked;
        return s32(1);
    };
    SetUpBowlers(1, -1);
    Physics.m_bPracticeMode = 1;
    Physics.StartGame();
    for (s32 n = 0; n < 100 && Physics.m_state != LANE_STATE_AIM; ++n)
        LaneFrame();
    const struct {
        PinMask chosen, racked;
    } cases[] = {
        {0x4040, 0x4040},   // head pin and nine pin
        {0, PIN_MASK_ALL},  // never all down
        {0xffff, PIN_MASK_ALL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        picked = c.chosen;
        ScriptPress("2");
        for (s32 n = 0; n < 10; ++n)
            LaneFrame();
        EXPECT_EQ(Physics.m_iLastPinSetup, c.racked);
        EXPECT_EQ(Physics.m_state, LANE_STATE_AIM);
    }
    InGameScreensDefault();
}

TEST_F(LaneTurnTest, ForfeitEndsTheGameAndNeverWins) {
    SetUpBowlers(2, 1);
    g_LevelMgr.m_bActive = 1;
    Physics.StartGame();
    Physics.mScoreKeeper.AddThrow(0, 10);
    Physics.ForfeitGame(0);
    EXPECT_EQ(Physics.m_state, LANE_STATE_GAME_OVER);
    EXPECT_EQ(g_LevelMgr.m_bActive, 0);
    EXPECT_EQ(Physics.mScoreKeeper.GetTotalScore(0), 0u);
    EXPECT_TRUE(Physics.mScoreKeeper.IsGameOver(0));
}

}  // namespace
