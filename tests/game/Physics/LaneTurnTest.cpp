#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Objects/AlleyObjects.h"
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
    std::fill(std::begin(kudos), std::end(kudos), 0u);
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

// The lane with the demo disc's sound bank and the alley's objects, so that a
// ball's sounds, camera and bowler can be followed as the player meets them.
class LaneTurnOnDiscTest : public LaneTurnTest {
protected:
    HostConfig Config() const override {
        HostConfig config = LaneTurnTest::Config();
        config.discRoot = DefaultDiscRoot();
        return config;
    }
    void SetUp() override {
        LaneTurnTest::SetUp();
        g_LevelMgr.m_SfxWad = WadLoad((std::string("DATA/") + ALLEY_SFX_WAD + ".WAD").c_str(), 0);
        ASSERT_NE(g_LevelMgr.m_SfxWad, nullptr);
        alley_ = WadLoad((std::string("DATA/") + ALLEY_LEVEL_WAD + ".WAD").c_str(), 0);
        ASSERT_NE(alley_, nullptr);
        AlleyObjectsCreate();
        g_InGameScreens.KudosShow = [](e_Kudos kind) { s_Kudos.push_back(kind); };
    }
    void TearDown() override {
        InGameScreensDefault();
        Physics.StopMusic();
        AlleyObjectsRemove();
        EventWait(1);  // the engine's particle task frees the effects the removal killed
        WadFree(alley_);
        WadFree(g_LevelMgr.m_SfxWad);
        g_LevelMgr.m_SfxWad = nullptr;
        LaneTurnTest::TearDown();
    }

    // What the player meets of one ball, from the bowler up to the next ball.
    struct BallSeen {
        s32 rackBall = -1;  // iCurrentBowlThrow at the release
        f32 upSeconds = 0.0f;
        std::set<s32> sounds;  // e_AlleySound started
        bool pinView = false;  // the camera cut to the pins while the ball rolled
        std::vector<e_Kudos> kudos;
        PinMask leave = 0;
        std::set<std::string> effects;  // particle effects started
    };

    // The particle systems running now (the turn's frames run no engine tasks, so
    // none ends).
    static std::set<const s_particle_system*> Running() {
        std::set<const s_particle_system*> running;
        for (const s_linked_list* node = ParticleSystemList.next; node != nullptr; node = node->next)
            running.insert(static_cast<const s_particle_system*>(node));
        return running;
    }

    // Channels on which each lane sound plays.
    static std::map<s32, u32> Playing() {
        std::map<s32, u32> playing;
        for (s32 sound = 0; sound < ALLEY_SFX_COUNT; ++sound)
            for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
                if (SfxIsIdPlaying(LaneSoundId(sound), channel))
                    playing[sound] |= 1u << channel;
        return playing;
    }

    static const char* Motion(u32 anim) {
        switch (anim) {
            case BOWLER_ANIM_IDLE_MALE:
            case BOWLER_ANIM_IDLE_FEMALE:
                return "idle";
            case BOWLER_ANIM_APPROACH_RIGHT:
            case BOWLER_ANIM_APPROACH_LEFT:
                return "approach";
            case BOWLER_ANIM_THROW_RIGHT:
            case BOWLER_ANIM_THROW_LEFT:
                return "throw";
            default:
                return "other";
        }
    }

    // Frames of the turn, the objects' behaviours after each, until the ball's sweep
    // is over; the bowler's motion in each state goes into `motions`.
    static BallSeen BowlOneBall(std::map<s32, std::set<std::string>>& motions) {
        BallSeen seen;
        s_Kudos.clear();
        std::map<s32, u32> before = Playing();
        const std::set<const s_particle_system*> earlier = Running();
        bool swept = false;
        for (s32 n = 0; n < 3000 && !(swept && Physics.m_state == LANE_STATE_NEXT); ++n) {
            const s32 state = Physics.m_state;
            LaneFrame();
            for (s32 slot = 0; slot < OBJECT_MAX; ++slot)
                if (s_object* object = ObjectGet(slot))
                    ObjectUpdate(object);
            const s32 now = Physics.m_state;
            if (state == LANE_STATE_BOWLER_UP)
                seen.upSeconds += RealDeltaTime;
            if (now == LANE_STATE_AIM && state != LANE_STATE_AIM)
                ScriptPress("b");
            if (now == LANE_STATE_RELEASE)
                seen.rackBall = Physics.iCurrentBowlThrow;
            if (now == LANE_STATE_ROLL && g_LevelMgr.m_GameCamera.m_cameraMode == E_CAMERA_MODE_PIN_VIEW)
                seen.pinView = true;
            swept = swept || now == LANE_STATE_SWEEP;
            const std::map<s32, u32> after = Playing();
            for (const auto& [sound, channels] : after)
                if (channels & ~before[sound])
                    seen.sounds.insert(sound);
            before = after;
            motions[now].insert(Motion(g_AlleyLife.playerFigures[Physics.iCurrentBowler].anim));
        }
        for (const s_particle_system* psys : Running())
            if (!earlier.contains(psys))
                seen.effects.insert(psys->attr->dataEntry->name);
        seen.kudos = s_Kudos;
        seen.leave = GetPhysicsResult(PlayerLane);
        return seen;
    }

    static inline std::vector<e_Kudos> s_Kudos;
    s_wad* alley_ = nullptr;
};

// One ball of each kind, bowled through the real turn: a human's first ball, then
// a computer bowler's second balls at a 7-10 split and after a gutter ball. A ball
// that takes pins is heard and cut to; only a first ball lifts the pins, splits or
// strikes; the computer thinks before it bowls; the bowler moves with the turn and
// stays in the throw through the sweep. Falling pins raise dust, a strike a burst.
TEST_F(LaneTurnOnDiscTest, EachBallIsHeardSeenAndBowledAsItsKindAsks) {
    const PinMask sevenTen = PinBit(6) | PinBit(9);
    const struct {
        const char* name;
        bool computer;
        s32 firstBall;  // pins of the frame's first ball, already bowled; -1 none
        PinMask leave;  // racked for the ball
        s32 rackBall;
        f32 upSeconds;
    } balls[] = {
        {"human's first ball", false, -1, PIN_MASK_ALL, 0, 0.75f},
        {"second ball at the 7-10", true, 8, sevenTen, 1, 1.75f},
        {"second ball after a gutter ball", true, 0, PIN_MASK_ALL, 1, 1.75f},
    };
    std::map<s32, std::set<std::string>> motions;
    for (const auto& b : balls) {
        SCOPED_TRACE(b.name);
        SetUpBowlers(1, b.computer ? 0 : -1);
        g_LevelMgr.m_bActive = 1;
        Physics.StartGame();
        if (b.firstBall >= 0) {
            ASSERT_TRUE(
                Physics.mScoreKeeper.AddThrow(0, u32(b.firstBall), IsSplit(b.leave), b.firstBall == 0));
            PlayerLane.iPhysicsResult = b.leave;
            Physics.m_state = LANE_STATE_NEXT;
        }
        const BallSeen seen = BowlOneBall(motions);
        EXPECT_EQ(seen.rackBall, b.rackBall);
        EXPECT_NEAR(seen.upSeconds, b.upSeconds, 1.0f / 30.0f);
        // At the 7-10 the ball passes between the pins.
        if (b.leave == sevenTen) {
            ASSERT_EQ(seen.leave, sevenTen);
        }
        if (seen.leave != b.leave) {
            const s32 down = std::popcount(b.leave) - std::popcount(seen.leave);
            EXPECT_TRUE(seen.sounds.contains(AlleyPinHitSound(down)));
            EXPECT_TRUE(seen.pinView);
        }
        EXPECT_EQ(seen.effects.contains(ALLEY_PIN_DUST), seen.leave != b.leave);
        EXPECT_EQ(seen.sounds.contains(ALLEY_SFX_PINSETTER), b.rackBall == 0);
        EXPECT_TRUE(seen.sounds.contains(ALLEY_SFX_SWEEP));
        const std::set<e_Kudos> firstBallsOnly = {KUDOS_STRIKE, KUDOS_TURKEY, KUDOS_SIXPACK, KUDOS_SPLIT};
        for (e_Kudos kudos : seen.kudos)
            EXPECT_FALSE(b.rackBall != 0 && firstBallsOnly.contains(kudos)) << kudos;
        const bool strike = seen.kudos == std::vector<e_Kudos>{KUDOS_STRIKE};
        EXPECT_EQ(seen.sounds.contains(ALLEY_SFX_STRIKE_CHEER), strike);
        EXPECT_EQ(seen.effects.contains(ALLEY_STRIKE_BURST), strike);
    }
    const std::map<s32, std::set<std::string>> expected = {
        {LANE_STATE_BOWLER_UP, {"idle"}}, {LANE_STATE_AIM, {"idle"}},   {LANE_STATE_SWING, {"approach"}},
        {LANE_STATE_RELEASE, {"throw"}},  {LANE_STATE_ROLL, {"throw"}}, {LANE_STATE_RESULT, {"throw"}},
        {LANE_STATE_SWEEP, {"throw"}},    {LANE_STATE_NEXT, {"idle"}},
    };
    EXPECT_EQ(motions, expected);
}

}  // namespace
