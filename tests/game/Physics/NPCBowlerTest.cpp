// A computer bowler's lane: its constants, racking, random shot, the per-slice
// driver and the turn rules around it.
#include <cmath>

#include "source/AlleyNPCManager.h"
#include "source/Physics/BallMotion.h"
#include "tests/game/Physics/WholeThrowSupport.h"
#include "tests/support/GameFixture.h"

namespace {

using namespace wholethrow;

class NPCBowlerTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        OrbSRand(11);
    }
    std::unique_ptr<CNPCBowler> bowler = std::make_unique<CNPCBowler>();
};

TEST_F(NPCBowlerTest, ConstructedBallAndLane) {
    const LaneContext& lane = bowler->lane;
    EXPECT_EQ(lane.kind, LaneKind::Computer);
    EXPECT_EQ(lane.BallMu, 0.5);
    EXPECT_EQ(lane.BallRG, 0.6175);
    EXPECT_NEAR(lane.BallR2OverRG2, 2.99556, 1e-5);
    EXPECT_EQ(lane.BallOilAbsorb, 40);
    EXPECT_EQ(lane.BallTrackFlare, 0);
    EXPECT_EQ(lane.BallAbsorbRate, 0);
    EXPECT_EQ(lane.whichthrow, CPUDryLane);
    EXPECT_EQ(lane.Oil, bowler->m_Oil);
    EXPECT_EQ(lane.PhysicsDone, 0);
    EXPECT_EQ(bowler->m_BallRollDone, 0);
    EXPECT_EQ(bowler->fPinsetterOffset, -0.01f);
}

TEST_F(NPCBowlerTest, OilTapersOverTheFirstTenFeet) {
    const u16 amounts[10] = {2048, 1843, 1638, 1433, 1228, 1024, 819, 614, 409, 204};
    for (s32 row = 0; row < OIL_ROWS; ++row) {
        for (s32 board = 0; board < OIL_BOARDS; ++board) {
            const bool oiled = row < 10 && board >= row && board <= 38 - row;
            EXPECT_EQ(bowler->m_Oil[row][board], oiled ? amounts[row] : 0) << row << " " << board;
        }
    }
}

TEST_F(NPCBowlerTest, RackStandsPinsOnTheirSpotsAndRefreshesTheDisplay) {
    static const s32 column[NUM_PINS] = {0, -1, 1, -2, 0, 2, -3, -1, 1, 3};
    static const s32 row[NUM_PINS] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    bowler->fLaneOffset = -13.0f;
    bowler->lane.iPhysicsResult = 0x1234 & PIN_MASK_ALL;
    bowler->lane.FrameSweepStarts = 55;
    bowler->lane.FramePinsetterStarts = 44;
    bowler->lane.FramePinActionComplete = 33;
    bowler->m_iLastDisplayedFrame = 70;
    bowler->NPC_SetupPins(0x7fc0, 1);  // all but pin 9
    const LaneContext& lane = bowler->lane;
    for (s32 i = 0; i < 9; ++i) {
        EXPECT_EQ(lane.PhysPins[i].position.x, 5.25f + 1.5f * f32(column[i])) << i;
        EXPECT_EQ(lane.PhysPins[i].position.z, 180.0f + 2.598075f * f32(row[i])) << i;
        EXPECT_FLOAT_EQ(bowler->m_pinPosition[i].x, (lane.PhysPins[i].position.x - 13.0f) * 4.0f * 0.03057f)
            << i;
        EXPECT_FLOAT_EQ(bowler->m_pinPosition[i].z, lane.PhysPins[i].position.z * 4.0f * 0.03057f) << i;
        const s_CoordSys3& o = bowler->m_pinOrientation[i];
        EXPECT_NEAR(Dot(o.forward, o.forward), 1.0f, 1e-5f) << i;
        EXPECT_NEAR(Dot(o.forward, o.up), 0.0f, 1e-5f) << i;
    }
    EXPECT_EQ(lane.PhysPins[9].state, InactivePin);
    EXPECT_EQ(lane.PhysPins[9].position.z, 189.046875f);
    EXPECT_EQ(lane.iPhysicsResult, 0x1234 & PIN_MASK_ALL);  // kept until the next pin action ends
    EXPECT_EQ(lane.FrameSweepStarts, 0);
    EXPECT_EQ(lane.FramePinsetterStarts, 0);
    EXPECT_EQ(lane.FramePinActionComplete, 0);
    EXPECT_EQ(bowler->m_iLastDisplayedFrame, -1);
    EXPECT_EQ(bowler->GetRemainingPins(), lane.iPhysicsResult);
}

TEST_F(NPCBowlerTest, RandomShotIsARealisticReleaseAtTheFoulLine) {
    bowler->NPC_SetupPins(PIN_MASK_ALL, 1);
    for (s32 male : {1, 0}) {
        bowler->m_bMale = male;
        for (s32 k = 0; k < 200; ++k) {
            ASSERT_EQ(bowler->SetupRandomShot(), 1);
            const BallData_t& ball = bowler->lane.PhysBall;
            EXPECT_GE(ball.position.x, (5.0f + 410.0f * 0.25f) / 40.0f - 1e-5f);
            EXPECT_LE(ball.position.x, (5.0f + 410.0f * 0.74f) / 40.0f + 1e-5f);
            EXPECT_EQ(ball.position.z, 0.0f);
            const f32 speed = ball.velocity.z * 30.0f;  // units per second
            EXPECT_GE(speed, 74.9f);
            EXPECT_LE(speed, 93.1f);
            EXPECT_EQ(ball.velocity.x, 0.0f);
            EXPECT_LE(std::fabs(ball.VSpin.x), 0.25f);
            EXPECT_EQ(ball.mass, male ? 16 : 10);
        }
    }
}

// The speed the shot formula gives before scaling (42 x (r mod 600 + 2500) / 10 x
// 0.25 units per second) carries the ball through the whole rack between two fine
// steps: it strikes pins only from behind, on its rebound from the back wall.
TEST_F(NPCBowlerTest, UnscaledShotSpeedPassesThroughTheRackOnItsWayIn) {
    for (f32 x : {2.7f, 4.3f, 5.25f, 6.2f, 7.7f}) {
        for (f32 speed : {2625.0f, 2940.0f, 3254.0f}) {
            ThrowSetup setup = StraightThrow(x, speed);
            setup.oil = nullptr;
            RunComputerThrow(*bowler, setup);
            const LaneContext& lane = bowler->lane;
            ASSERT_GT(lane.FrameBallHitsBackWall, 0);
            // The back wall turns the ball in the forces, before that step's contacts.
            for (s32 i = 0; i < NUM_PINS; ++i) {
                if (lane.FramePinStartWobble[i] != 0) {
                    EXPECT_GE(lane.FramePinStartWobble[i], lane.FrameBallHitsBackWall) << x << " " << speed;
                }
            }
        }
    }
}

TEST_F(NPCBowlerTest, DriverRollsOneCoarseStepPerSliceThenRunsToTheSweep) {
    bowler->NPC_SetupPins(PIN_MASK_ALL, 1);
    BallData_t ball{};
    ball.position.x = 6.6f;
    ball.velocity.z = 85.0f;
    ball.mass = 16;
    ASSERT_EQ(bowler->NPC_StartPhysics(&ball), 1);
    LaneContext& lane = bowler->lane;
    EXPECT_EQ(lane.NumPhysFrames, 2);                 // rack and release
    EXPECT_EQ(bowler->computePhysicsTimeslice(), 0);  // not preparing yet

    bowler->EnterPrep();
    EXPECT_EQ(lane.SweeperZCoord, 179.375f);
    while (!bowler->m_BallRollDone) {
        const s32 frames = lane.NumPhysFrames;
        ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
        EXPECT_EQ(lane.NumPhysFrames, frames + 4);
    }
    // Handed over: per fine step.
    EXPECT_GT(lane.PhysBall.velocity.z * 120.0f, 60.0f);
    EXPECT_LT(lane.PhysBall.velocity.z * 120.0f, 85.0f);
    EXPECT_EQ(lane.SamplesTilFrame, 1);
    while (!lane.PhysicsDone) {
        bowler->run();
        EXPECT_EQ(bowler->m_BowlState, BowlState_Prep);
        ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
    }
    EXPECT_EQ(lane.FramePinActionComplete, lane.FrameBallHitsBackWall + 360);
    EXPECT_EQ(lane.NumPhysFrames, lane.FrameBallHitsBackWall + 720);
    const PinMask leave = bowler->GetRemainingPins();
    ASSERT_NE(leave, 0);

    const s32 endOfPinAction = lane.NumPhysFrames;
    ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
    EXPECT_EQ(lane.FramePinsetterStarts, endOfPinAction + 1);
    while (!bowler->m_PinsetterDone)
        ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
    EXPECT_EQ(lane.FrameSweepStarts, 0);
    const s32 sweepStart = lane.NumPhysFrames;
    ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
    EXPECT_EQ(lane.FrameSweepStarts, sweepStart);
    while (!bowler->m_SweepDone)
        ASSERT_EQ(bowler->computePhysicsTimeslice(), 1);
    EXPECT_EQ(bowler->computePhysicsTimeslice(), 0);
    EXPECT_EQ(bowler->GetRemainingPins(), leave);
    bowler->run();
    EXPECT_EQ(bowler->m_BowlState, BowlState_Approach);
    ExpectSoundFilm(lane);
}

TEST_F(NPCBowlerTest, SecondBallSkipsThePickup) {
    ThrowSetup setup = StraightThrow(6.6f, 85.0f);
    setup.oil = nullptr;
    setup.ballNumber = 1;
    RunComputerThrow(*bowler, setup);
    EXPECT_EQ(bowler->m_PinsetterDone, 1);
    EXPECT_EQ(bowler->lane.FramePinsetterStarts, 0);
    EXPECT_GT(bowler->lane.FrameSweepStarts, bowler->lane.FrameBallHitsBackWall);
    EXPECT_EQ(bowler->m_BowlState, BowlState_Approach);
}

TEST_F(NPCBowlerTest, ManyThrowsDryTheFirstTenFeet) {
    u32 before = 0;
    for (s32 row = 0; row < 10; ++row)
        for (s32 board = 0; board < OIL_BOARDS; ++board)
            before += bowler->m_Oil[row][board];
    for (s32 k = 0; k < 5; ++k) {
        bowler->NPC_SetupPins(PIN_MASK_ALL, 1);
        bowler->SetupRandomShot();
        bowler->EnterPrep();
        while (bowler->computePhysicsTimeslice()) {
        }
        bowler->run();
        ASSERT_EQ(bowler->m_BowlState, BowlState_Approach);
    }
    u32 after = 0;
    for (s32 row = 0; row < 10; ++row)
        for (s32 board = 0; board < OIL_BOARDS; ++board)
            after += bowler->m_Oil[row][board];
    EXPECT_LT(after, before);
    EXPECT_GT(bowler->lane.BallOil, 0);
}

// Every turn ends in a sweep, not only the bowler's first: the bar starts in front of
// the head pin again, is in every frame of the sweep, and takes what the ball knocked
// down (on a second ball every pin) into the pit.
TEST_F(NPCBowlerTest, EveryTurnSweepsTheDeadwoodIntoThePit) {
    constexpr f32 kHeadPinZ = 180.0f;
    PinMask rack = PIN_MASK_ALL;
    for (s32 turn = 0; turn < 5; ++turn) {
        SCOPED_TRACE(testing::Message() << "turn " << turn);
        bowler->iCurrentThrow = turn % 2;
        bowler->NPC_SetupPins(rack, 1);
        ASSERT_EQ(bowler->SetupRandomShot(), 1);
        bowler->EnterPrep();
        while (bowler->computePhysicsTimeslice()) {
        }
        bowler->run();
        ASSERT_EQ(bowler->m_BowlState, BowlState_Approach);

        const LaneContext& lane = bowler->lane;
        ASSERT_GT(lane.FrameSweepStarts, lane.FramePinActionComplete);
        ASSERT_GT(lane.NumPhysFrames, lane.FrameSweepStarts);
        f32 firstBarZ = 0.0f;
        f32 lastBarZ = 0.0f;
        for (s32 n = lane.FrameSweepStarts; n < lane.NumPhysFrames; ++n) {
            ASSERT_NE(lane.PhysPinsMask[n] & FILM_SWEEPER_BIT, 0) << "frame " << n;
            ForEachFramePose(lane, n, [&](s32 body, const RefFrame_t& pose) {
                if (body == FILM_BODY_SWEEPER) {
                    lastBarZ = pose.position.z;
                    if (n == lane.FrameSweepStarts)
                        firstBarZ = lastBarZ;
                }
            });
        }
        EXPECT_LT(firstBarZ, kHeadPinZ);
        EXPECT_GT(lastBarZ, PIN_DECK_END_Z);

        const PinMask lifted = turn % 2 == 0 ? bowler->GetRemainingPins() : 0;
        for (s32 i = 0; i < NUM_PINS; ++i) {
            if ((rack & PinBit(i)) != 0 && (lifted & PinBit(i)) == 0) {
                EXPECT_GT(lane.PhysPins[i].position.z, PIN_DECK_END_Z) << "pin " << i;
            }
        }
        rack = turn % 2 == 0 ? bowler->GetRemainingPins() : PIN_MASK_ALL;
    }
}

TEST_F(NPCBowlerTest, RandomShotsHitPins) {
    s32 down = 0;
    for (s32 k = 0; k < 6; ++k) {
        bowler->NPC_SetupPins(PIN_MASK_ALL, 1);
        bowler->SetupRandomShot();
        bowler->EnterPrep();
        while (bowler->computePhysicsTimeslice()) {
        }
        down += NUM_PINS - std::popcount(u32(bowler->GetRemainingPins()));
    }
    EXPECT_GT(down, 20);
}

using AlleyNPCManagerTest = GameFixture;

TEST_F(AlleyNPCManagerTest, BowlersAreBuiltAtProgramStart) {
    for (const CNPCBowler& b : g_AlleyNPCManager.m_NPCBowlers) {
        EXPECT_EQ(b.lane.Oil, b.m_Oil);
        EXPECT_EQ(b.lane.BallMu, 0.5);
    }
}

}  // namespace
