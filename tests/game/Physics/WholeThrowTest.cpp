// Whole throws from the release to the end of the sweep, through the real lane
// drivers.
#include <cstring>
#include <vector>

#include "source/AlleyNPCManager.h"
#include "tests/game/Physics/WholeThrowSupport.h"
#include "tests/support/GameFixture.h"

namespace {

using namespace wholethrow;

s32 CountPins(PinMask mask) {
    return std::popcount(u32(mask & PIN_MASK_ALL));
}

ThrowSummary BowlOnPlayerLane(const ThrowSetup& setup, u32 seed = 1) {
    OrbSRand(seed);
    PlayerLane.BallOil = 0;
    return RunPlayerThrow(Physics, setup);
}

using WholeThrow = GameFixture;

TEST_F(WholeThrow, GutterBallLeavesTheRackUntouched) {
    const ThrowSummary s = BowlOnPlayerLane(GutterThrow());
    EXPECT_EQ(s.started, 1);
    EXPECT_EQ(s.standing, PIN_MASK_ALL);
    EXPECT_EQ(s.firstPinStruck, -1);
    EXPECT_GT(PlayerLane.FrameBallHitGutter, 0);
    for (s32 i = 0; i < NUM_PINS; ++i) {
        EXPECT_EQ(PlayerLane.FramePinStartWobble[i], 0) << "pin " << i;
        EXPECT_EQ(PlayerLane.FramePinActivates[i], 0) << "pin " << i;
    }
    ExpectSoundFilm(PlayerLane, s.rollFrames);
}

TEST_F(WholeThrow, PocketHitAtRealisticSpeedsKnocksMostPinsDown) {
    for (f32 speed : {75.0f, 85.0f, 95.0f}) {
        for (f32 x : {5.9f, 6.0f, 6.1f}) {
            const ThrowSummary s = BowlOnPlayerLane(StraightThrow(x, speed));
            EXPECT_LE(CountPins(s.standing), 3) << "x " << x << " speed " << speed;
            EXPECT_GT(s.firstPinStruck, PlayerLane.FrameBallReachesPins);
            EXPECT_GT(PlayerLane.FramePinActionComplete, 0);
            ExpectSoundFilm(PlayerLane, s.rollFrames);
        }
    }
}

TEST_F(WholeThrow, PinActionEndsOnTheBackWallRuleAndTheSweepFollows) {
    const ThrowSummary s = BowlOnPlayerLane(PocketThrow());
    const LaneContext& lane = PlayerLane;
    ASSERT_GT(lane.FrameBallHitsBackWall, 0);
    EXPECT_EQ(lane.FramePinActionComplete, lane.FrameBallHitsBackWall + 240);
    EXPECT_EQ(s.framesAtPinActionEnd, lane.FrameBallHitsBackWall + 720);
    EXPECT_GT(s.frames, s.framesAtPinActionEnd);
    // The sweep's frames record the sweeper last.
    EXPECT_NE(lane.PhysPinsMask[s.frames - 1] & FILM_SWEEPER_BIT, 0);
    EXPECT_EQ(Physics.bPhysicsDone, 1);
    EXPECT_EQ(Physics.bPinsetterUpDone, 1);
    EXPECT_EQ(Physics.bSweepDone, 1);
}

TEST_F(WholeThrow, AVarietyOfThrowsKeepsTheFilmSound) {
    struct Case {
        f32 x, vx, vz, spinX;
        u32 seed;
    };
    const Case cases[] = {{5.25f, 0, 85, 0, 1},        {6.4f, 0, 95, -0.1f, 3}, {3.0f, 1.5f, 80, 0.2f, 2},
                          {8.0f, -1.0f, 90, -0.3f, 4}, {10.4f, 0, 60, 0, 5},    {5.7f, 0, 45, 0.1f, 6}};
    for (const Case& c : cases) {
        ThrowSetup setup = StraightThrow(c.x, c.vz);
        setup.ball.velocity.x = c.vx;
        setup.ball.VSpin.x = c.spinX;
        const ThrowSummary s = BowlOnPlayerLane(setup, c.seed);
        SCOPED_TRACE(testing::Message() << "x " << c.x << " spin " << c.spinX);
        EXPECT_EQ(s.standing & ~PIN_MASK_ALL, 0);
        EXPECT_LE(s.framesAtPinActionEnd, s.frames);
        ExpectSoundFilm(PlayerLane, s.rollFrames);
    }
}

TEST_F(WholeThrow, SecondBallOnTheLeaveSkipsThePickup) {
    BowlOnPlayerLane(StraightThrow(6.6f, 85.0f));
    const PinMask leave = GetPhysicsResult(PlayerLane);
    ASSERT_NE(leave, 0);
    ThrowSetup second = StraightThrow(5.25f, 85.0f);
    second.rack = leave;
    second.randomTurn = 0;
    second.ballNumber = 1;
    const ThrowSummary s = RunPlayerThrow(Physics, second);
    EXPECT_EQ(s.standing & ~leave, 0);
    EXPECT_EQ(PlayerLane.FramePinsetterStarts, 0);
    ExpectSoundFilm(PlayerLane, s.rollFrames);
}

TEST_F(WholeThrow, RestingRackStaysAtRestFor720Steps) {
    OrbSRand(7);
    LaneContext& lane = PlayerLane;
    SetupPins(lane, PIN_MASK_ALL, 1);
    std::vector<PinData> before(lane.PhysPins, lane.PhysPins + NUM_PINS);
    for (s32 step = 0; step < 720; ++step)
        RunPhysics(lane);
    for (s32 i = 0; i < NUM_PINS; ++i) {
        EXPECT_EQ(lane.PhysPins[i].state, UntouchedPin) << "pin " << i;
        EXPECT_EQ(std::memcmp(&lane.PhysPins[i].position, &before[i].position, sizeof(s_Vector3)), 0) << i;
        EXPECT_EQ(std::memcmp(&lane.PhysPins[i].O, &before[i].O, sizeof(Orientation_t)), 0) << i;
    }
    EXPECT_EQ(GetFrameFirstPinStruck(lane), -1);
}

TEST_F(WholeThrow, SameSeedGivesTheSameFilmByteForByte) {
    BowlOnPlayerLane(PocketThrow(), 42);
    const FilmCopy first(PlayerLane);
    const u64 hash = FilmHash(PlayerLane);
    BowlOnPlayerLane(StraightThrow(4.0f, 70.0f), 43);
    EXPECT_FALSE(first.SameAs(PlayerLane));
    BowlOnPlayerLane(PocketThrow(), 42);
    EXPECT_TRUE(first.SameAs(PlayerLane));
    EXPECT_EQ(FilmHash(PlayerLane), hash);
}

TEST_F(WholeThrow, AComputerLaneNeverTouchesThePlayersLane) {
    BowlOnPlayerLane(PocketThrow(), 3);
    std::vector<u8> before(sizeof(LaneContext));
    std::memcpy(before.data(), &PlayerLane, sizeof(LaneContext));
    auto bowler = std::make_unique<CNPCBowler>();
    const ThrowSummary s = RunComputerThrow(*bowler, PocketThrow());
    EXPECT_LT(CountPins(s.standing), NUM_PINS);
    EXPECT_EQ(std::memcmp(before.data(), &PlayerLane, sizeof(LaneContext)), 0);
    ExpectSoundFilm(bowler->lane);
}

TEST_F(WholeThrow, ComputerLaneThrowsAreDeterministicAndSound) {
    auto a = std::make_unique<CNPCBowler>();
    auto b = std::make_unique<CNPCBowler>();
    OrbSRand(9);
    RunComputerThrow(*a, PocketThrow());
    OrbSRand(9);
    RunComputerThrow(*b, PocketThrow());
    EXPECT_TRUE(FilmCopy(a->lane).SameAs(b->lane));
    EXPECT_EQ(a->lane.iPhysicsResult, b->lane.iPhysicsResult);
    ExpectSoundFilm(a->lane);
    EXPECT_EQ(a->lane.FramePinActionComplete, a->lane.FrameBallHitsBackWall + 360);
}

// The ball's x at each coarse step of the roll: the film's real ball poses (every
// fourth frame from 1) before the fine steps begin.
std::vector<f32> RollTrack(const LaneContext& lane, s32 rollFrames) {
    std::vector<f32> track;
    for (s32 n = 1; n < rollFrames; n += 4) {
        ForEachFramePose(lane, n, [&](s32 body, const RefFrame_t& pose) {
            if (body == FILM_BODY_BALL)
                track.push_back(pose.position.x);
        });
    }
    return track;
}

// While it slips, a spinning ball hooks against its spin (VSpin.x, the sideways speed
// the spin gives the contact point), steadily and never back; without spin it runs
// straight. The tolerance covers the rounding of the film's positions (a few units).
TEST_F(WholeThrow, SpinHooksTheBallOneWayWhileItSlips) {
    struct Case {
        bool computerLane;
        bool oiled;
        f32 x, spinX;
    };
    const Case cases[] = {{false, false, 7.0f, 0.2f}, {false, false, 3.5f, -0.2f}, {false, true, 7.5f, 0.3f},
                          {false, true, 3.0f, -0.1f}, {false, false, 5.25f, 0.0f}, {true, true, 7.0f, 0.25f},
                          {true, true, 3.5f, -0.25f}};
    u16 taper[OIL_ROWS][OIL_BOARDS];
    FillComputerLaneOil(taper);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.computerLane ? "computer" : "player") << " x " << c.x
                                        << " spin " << c.spinX << (c.oiled ? " oiled" : " dry"));
        ThrowSetup setup = StraightThrow(c.x, 85.0f);
        setup.ball.VSpin.x = c.spinX;
        setup.oil = c.oiled ? taper : DryOil();
        std::unique_ptr<CNPCBowler> bowler;
        const LaneContext* lane = &PlayerLane;
        ThrowSummary s;
        if (c.computerLane) {
            bowler = std::make_unique<CNPCBowler>();
            s = RunComputerThrow(*bowler, setup);
            lane = &bowler->lane;
        } else {
            s = BowlOnPlayerLane(setup);
        }
        const std::vector<f32> track = RollTrack(*lane, s.rollFrames);
        ASSERT_GT(track.size(), 20u);
        EXPECT_EQ(lane->FrameBallHitGutter, 0);
        const f32 hook = c.spinX > 0.0f ? -1.0f : c.spinX < 0.0f ? 1.0f : 0.0f;
        if (hook == 0.0f) {
            for (f32 x : track)
                EXPECT_EQ(x, c.x);
            continue;
        }
        for (size_t k = 2; k < track.size(); ++k) {
            const f32 turn = (track[k] - track[k - 1]) - (track[k - 1] - track[k - 2]);
            EXPECT_GE(hook * turn, -2e-6f) << "step " << k;
        }
        EXPECT_GT(hook * (track.back() - c.x), 0.25f);
    }
}

// Reviewed films, frozen. A deliberate change of the physics changes them: bowl each
// case with tools/lanesim (docs/lanesim.md, "Regression films"), review the result
// and the film, and copy the printed hash and counts here.
struct FrozenThrow {
    const char* name;
    bool computerLane;
    f32 x, vz, spinX;
    u32 seed;
    PinMask standing;
    s32 frames;
    u16 poses;
    u64 filmHash;
};

const FrozenThrow FROZEN_THROWS[] = {
    {"head-on", false, 5.25f, 85.0f, 0.0f, 1, 0x0b20, 1280, 2137, 0xda85efe238258a7bull},
    {"pocket-hook", false, 6.4f, 95.0f, -0.1f, 3, 0x2180, 1243, 6249, 0x766a1bd4b3e31ba0ull},
    {"outside-hook", false, 8.0f, 80.0f, 0.2f, 4, 0x6020, 1301, 5156, 0x7d61d69ccf1bbda2ull},
    {"computer-pocket", true, 6.0f, 85.0f, 0.0f, 2, 0x0000, 1137, 3425, 0x4e8b4be983900049ull},
};

TEST_F(WholeThrow, FrozenFilmsStayTheSame) {
    for (const FrozenThrow& f : FROZEN_THROWS) {
        SCOPED_TRACE(f.name);
        ThrowSetup setup = StraightThrow(f.x, f.vz);
        setup.ball.VSpin.x = f.spinX;
        OrbSRand(f.seed);
        std::unique_ptr<CNPCBowler> bowler;
        const LaneContext* lane = &PlayerLane;
        ThrowSummary s;
        if (f.computerLane) {
            bowler = std::make_unique<CNPCBowler>();
            setup.oil = nullptr;  // the bowler's own oil
            s = RunComputerThrow(*bowler, setup);
            lane = &bowler->lane;
        } else {
            PlayerLane.BallOil = 0;
            s = RunPlayerThrow(Physics, setup);
        }
        EXPECT_EQ(s.standing, f.standing);
        EXPECT_EQ(s.frames, f.frames);
        EXPECT_EQ(s.poses, f.poses);
        EXPECT_EQ(FilmHash(*lane), f.filmHash);
    }
}

}  // namespace
