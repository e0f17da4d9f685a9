#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "orblib47/source/OrbRandom.h"
#include "tests/game/Physics/BallMotionTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr f64 kCoarseG = f64(COARSE_GRAVITY);
constexpr u64 kGridCells = u64(OIL_ROWS) * OIL_BOARDS;

using BallOil = GameFixture;

TEST_F(BallOil, FrictionFollowsTheTwoLinesUnderTheDryCeiling) {
    EXPECT_EQ(OilFriction(0.3, 0, 0), 0.3);
    EXPECT_NEAR(OilFriction(1.0, 2048, 0), 0.25, 1e-6);
    EXPECT_NEAR(OilFriction(1.0, 0, 2048), 0.25, 1e-6);  // the ball's excess counts too
    EXPECT_EQ(OilFriction(0.2, 2048, 0), 0.2);
    EXPECT_NEAR(OilFriction(1.0, 11255, 0), 0.02521, 1e-4);  // where the lines meet
    EXPECT_NEAR(OilFriction(1.0, 11256, 0), 0.02521, 1e-4);
    EXPECT_NEAR(OilFriction(1.0, 65535, 0), 0.01417, 1e-5);
    EXPECT_EQ(OilFriction(1.0, 65535, 4000), OilFriction(1.0, 65535, 0));  // level saturates

    BallTestLane t(LaneKind::Computer);
    LaneContext& lane = t.lane();
    lane.whichthrow = CPUDryLane;
    lane.BallMu = 0.5;
    t.PlaceBall(5.0f, 104.9f, {});
    EXPECT_EQ(OiledLaneFriction(lane, 30000), f64(0.04f));
    lane.PhysBall.position.z = 105.0f;
    EXPECT_EQ(OiledLaneFriction(lane, 30000), 0.5);
}

TEST_F(BallOil, CellUnderTheBallStaysInsideTheGrid) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    t.PlaceBall(LANE_RIGHT_EDGE, 10.0f, {});
    EXPECT_EQ(OilCellUnderBall(lane), &t.oil[3][38]);
    t.PlaceBall(0.0f, -2.5f, {});
    EXPECT_EQ(OilCellUnderBall(lane), &t.oil[0][0]);
    t.PlaceBall(5.25f, 149.99f, {});
    EXPECT_EQ(OilCellUnderBall(lane), &t.oil[49][19]);
    lane.Oil = nullptr;
    EXPECT_EQ(OilCellUnderBall(lane), nullptr);
}

TEST_F(BallOil, ExchangeSoaksByRateGivesBackAnEighthOfTheExcessAndSaturates) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    u16 cell = 10240;
    ExchangeOil(lane, cell);
    EXPECT_EQ(cell, 10230);
    EXPECT_EQ(lane.BallOil, 10);

    lane.BallOil = 8000;  // excess 1000: more goes back than is soaked up
    cell = 2048;
    ExchangeOil(lane, cell);
    EXPECT_EQ(cell, 2048 + 1000 - 2);
    EXPECT_EQ(lane.BallOil, 8000 - 1000 + 2);

    // Rates outside 0..10 are clamped.
    lane.BallOil = 0;
    cell = 4096;
    lane.BallAbsorbRate = 12;
    ExchangeOil(lane, cell);
    EXPECT_EQ(cell, 0);
    lane.BallOil = 0;
    cell = 4096;
    lane.BallAbsorbRate = -5;
    ExchangeOil(lane, cell);
    EXPECT_EQ(cell, 4092);

    // Neither side wraps, and no oil is made or lost.
    lane.BallOil = 65535;
    cell = 65530;
    ExchangeOil(lane, cell);
    EXPECT_EQ(cell, 65535);
    EXPECT_EQ(lane.BallOil, 65530);
    lane.BallOil = 65000;
    lane.BallOilAbsorb = 65000;
    lane.BallAbsorbRate = 10;
    cell = 60000;
    ExchangeOil(lane, cell);
    EXPECT_EQ(lane.BallOil, 65535);
    EXPECT_EQ(cell, 60000 - 535);
}

using BallThrowParameters = GameFixture;

TEST_F(BallThrowParameters, UnusableRadiusOfGyrationGivesAFiniteSpinRatio) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    SetThrowParameters(lane, 0.5, 0.6175, 40, 95, 3, t.oil, UserDryLane);
    EXPECT_NEAR(lane.BallR2OverRG2, 2.99556, 1e-5);
    EXPECT_EQ(lane.BallTrackFlare, 3);
    for (f64 rg : {0.0, -1.0, std::nan(""), f64(INFINITY)}) {
        SetThrowParameters(lane, 0.5, rg, 40, 0, 0, t.oil, UserDryLane);
        EXPECT_EQ(lane.BallR2OverRG2, 2.5) << rg;
    }
    SetThrowParameters(lane, 0.5, 1e-300, 40, 0, 0, t.oil, UserDryLane);
    EXPECT_NEAR(lane.BallR2OverRG2, 100.0, 1e-9);
}

using BallSlip = GameFixture;

TEST_F(BallSlip, StraightBallKeepsItsLineAndItsSpeedOnceItRolls) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    lane.BallMu = kTestBallMu;
    lane.BallR2OverRG2 = 2.7;
    t.PlaceBall(5.25f, 100.0f, {0.0f, 0.0f, 2.0f, 0.0f});
    s32 steps = 0;
    for (; lane.PhysBall.slip && steps < 1000; ++steps) {
        DoBallSlip(lane, kTestBallMu, kCoarseG);
        EXPECT_EQ(lane.PhysBall.velocity.x, 0.0f);
    }
    ASSERT_EQ(lane.PhysBall.slip, 0);
    EXPECT_GT(steps, 1);
    EXPECT_LT(lane.PhysBall.velocity.z, 2.0f);
    EXPECT_NEAR(lane.PhysBall.Omega.x, lane.PhysBall.VSpin.z / PHYS_BALL_RADIUS, 1e-5);
    const s_Vector3 rolling = lane.PhysBall.velocity;
    for (s32 i = 0; i < 50; ++i)
        CalculateForces(lane);
    EXPECT_EQ(std::memcmp(&rolling, &lane.PhysBall.velocity, sizeof rolling), 0);

    // No slip velocity at all, even with a nonsensical friction: nothing to cancel.
    t.PlaceBall(5.0f, 10.0f, {0.0f, 0.0f, 0.5f, 0.0f}, {0.0f, 0.0f, -0.5f, 0.0f});
    DoBallSlip(lane, -1.0, kCoarseG);
    EXPECT_EQ(lane.PhysBall.slip, 0);
    EXPECT_FALSE(std::isnan(lane.PhysBall.VSpin.z));
}

using BallNormalize = GameFixture;

TEST_F(BallNormalize, ZeroStaysAndOthersBecomeUnit) {
    s_Vector3 zero{};
    NormalizeVector(&zero);
    FastNormalizeVector(&zero);
    EXPECT_EQ(zero.x + zero.y + zero.z, 0.0f);
    s_Vector3 v{3.0f, 0.0f, 4.0f, 0.0f};
    s_Vector3 f = v;
    NormalizeVector(&v);
    FastNormalizeVector(&f);
    EXPECT_NEAR(v.x, 0.6f, 1e-6);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_NEAR(v.z, 0.8f, 1e-6);
    EXPECT_EQ(std::memcmp(&v, &f, 3 * sizeof(f32)), 0);
}

using BallGutter = GameFixture;

// Coarse steps of a ball that has left the lane, moved as the coarse roll moves it.
TEST_F(BallGutter, BallRollsRoundTheEdgeLandsAndRunsToTheCentreLine) {
    for (const f32 side : {-1.0f, 1.0f}) {
        BallTestLane t;
        LaneContext& lane = t.lane();
        t.PlaceBall(side < 0 ? 0.05f : 10.45f, 50.0f, {0.1f * side, 0.0f, 2.0f, 0.0f});
        lane.PhysBall.slip = 0;
        BallData_t& ball = lane.PhysBall;
        bool roundedTheEdge = false;
        s32 landing = 0;
        for (s32 step = 0; step < 40; ++step) {
            ball.position.x += ball.velocity.x;
            ball.position.z += ball.velocity.z;
            const f32 sideSpeed = std::fabs(ball.velocity.x);
            lane.NumPhysFrames = 100 + 4 * step;
            DoGutterBall(lane, kCoarseG);
            roundedTheEdge |= lane.FrameBallHitGutter == 0 && std::fabs(ball.velocity.x) > sideSpeed;
            if (landing == 0 && lane.FrameBallHitGutter != 0) {
                landing = lane.NumPhysFrames;
                EXPECT_EQ(ball.position.y, BALL_IN_GUTTER_Y);
            }
        }
        EXPECT_TRUE(roundedTheEdge) << side;
        EXPECT_GT(landing, 100) << side;
        EXPECT_EQ(lane.FrameBallHitGutter, landing);
        EXPECT_EQ(ball.position.x, side < 0 ? LEFT_GUTTER_CENTRE_X : RIGHT_GUTTER_CENTRE_X);
        EXPECT_EQ(ball.velocity.x, 0.0f);
    }
}

using BallPastEnd = GameFixture;

TEST_F(BallPastEnd, DeckEndBackWallAndPit) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    t.PlaceBall(5.0f, PIN_DECK_END_Z + 0.01f, {0.0f, 0.0f, 0.5f, 0.0f});
    lane.NumPhysFrames = 321;
    CalculateForces(lane);
    EXPECT_EQ(lane.FrameBallPastEnd, 321);
    EXPECT_EQ(lane.PhysBall.velocity.y, PHYS_GRAVITY);

    // The back wall sends back 0.15 of the speed; every contact moves the frame.
    lane.PhysBall.position = {5.0f, 1.0f, BACK_WALL_Z - PHYS_BALL_RADIUS + 0.1f, 0.0f};
    lane.PhysBall.velocity.z = 0.2f;
    lane.NumPhysFrames = 510;
    DoBallPastEnd(lane);
    EXPECT_NEAR(lane.PhysBall.position.z, 193.47812 - 0.015, 1e-4);
    EXPECT_FLOAT_EQ(lane.PhysBall.velocity.z, -0.03f);
    EXPECT_EQ(lane.FrameBallHitsBackWall, 510);

    // Dropping below 4.25 counts only when the wall was not touched, and the ball is
    // integrated for that step only.
    lane.FrameBallHitsBackWall = 0;
    lane.PhysBall.position = {5.0f, 4.2f, 192.0f, 0.0f};
    lane.PhysBall.velocity = {0.0f, 0.1f, 0.05f, 0.0f};
    EulerIntegration(lane);
    EXPECT_EQ(lane.PhysBall.visible, 0);
    EXPECT_FLOAT_EQ(lane.PhysBall.position.z, 192.05f);
    lane.NumPhysFrames = 601;
    DoBallPastEnd(lane);
    EXPECT_EQ(lane.FrameBallHitsBackWall, 601);
    lane.NumPhysFrames = 700;
    DoBallPastEnd(lane);
    EulerIntegration(lane);
    EXPECT_EQ(lane.FrameBallHitsBackWall, 601);
    EXPECT_FLOAT_EQ(lane.PhysBall.position.z, 192.05f);
}

using BallFineStep = GameFixture;

TEST_F(BallFineStep, OnlyMovingPinsFallMoveAndAreRenormalised) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    t.PlaceBall(5.0f, 50.0f, {0.0f, 0.0f, 0.5f, 0.0f});
    lane.PhysBall.slip = 0;
    PinData& active = lane.PhysPins[0];
    active = {{5.0f, -1.5f, 180.0f, 0.0f},
              {0.1f, 0.0f, 0.2f, 0.0f},
              {{0.0f, -1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.0f}},
              {0.0f, 0.0f, 0.1f, 0.0f},
              ActivePin,
              {}};
    PinData& untouched = lane.PhysPins[1];
    untouched = active;
    untouched.state = UntouchedPin;

    CalculateForces(lane);
    EulerIntegration(lane);
    EXPECT_FLOAT_EQ(active.position.y, -1.5f + PHYS_GRAVITY);
    EXPECT_FLOAT_EQ(active.position.z, 180.2f);
    EXPECT_FLOAT_EQ(active.O.up.x, 0.1f);  // up += Omega x up
    for (s32 k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(active.collisionSpheres[k].x, active.position.x + PinCollisionSphereOffset[k] * 0.1f);
    NormalizeOrientVectors(lane);
    const Orientation_t& o = active.O;
    EXPECT_NEAR(o.up.x * o.up.x + o.up.y * o.up.y + o.up.z * o.up.z, 1.0, 1e-6);
    EXPECT_NEAR(o.up.x * o.right.x + o.up.y * o.right.y + o.up.z * o.right.z, 0.0, 1e-6);
    EXPECT_EQ(untouched.velocity.y, 0.0f);
    EXPECT_EQ(untouched.position.z, 180.0f);
    EXPECT_FLOAT_EQ(lane.PhysBall.position.z, 50.5f);
}

// A computer lane with its ball released and frame 1 written.
void ReleaseOnComputerLane(BallTestLane& t, const BallData_t& shot) {
    SetupPins(t.lane(), PIN_MASK_ALL, 0);
    SetThrowParameters(t.lane(), 0.5, 0.6175, 40, 0, 0, t.oil, CPUDryLane);
    StartComputerPhysics(t.lane(), &shot);
}

using BallCoarseRoll = GameFixture;

TEST_F(BallCoarseRoll, EachStepWritesFourFramesUntilTheCentreBallReachesTheWedge) {
    BallTestLane t(LaneKind::Computer);
    LaneContext& lane = t.lane();
    ReleaseOnComputerLane(t, ShotBall(5.25f, 75.0f));
    ASSERT_EQ(lane.NumPhysFrames, 2);
    f32 aheadBefore = 0.0f;
    for (s32 over = 0; !over;) {
        const s32 frames = lane.NumPhysFrames;
        aheadBefore = lane.PhysBall.position.z + lane.PhysBall.velocity.z;
        over = InitialBallRollStep(lane);
        ASSERT_EQ(lane.NumPhysFrames, frames + 4);
    }
    EXPECT_LE(aheadBefore, 178.34375f);
    EXPECT_GT(lane.PhysBall.position.z + lane.PhysBall.velocity.z, 178.34375f);
    EXPECT_EQ(lane.FrameBallReachesPins, lane.NumPhysFrames - 4);
    EXPECT_EQ(lane.PhysBall.position.y, BALL_ON_LANE_Y);  // landed after the loft

    const s_Vector3 coarse = lane.PhysBall.velocity;
    HandOverToFineSteps(lane);
    EXPECT_EQ(lane.PhysBall.velocity.z, coarse.z * 0.25f);
    EXPECT_EQ(lane.SamplesTilFrame, 1);

    lane.PhysicsDone = 1;  // a finished lane reports the end at once
    EXPECT_EQ(InitialBallRollStep(lane), 1);
    EXPECT_EQ(lane.PhysBall.velocity.z, coarse.z * 0.25f);
}

TEST_F(BallCoarseRoll, WedgeLineOffCentreAndOverTheGutter) {
    struct Case {
        f32 x, aheadZ;
        s32 over;
    };
    for (const Case c :
         {Case{3.25f, 180.1f, 0}, Case{3.25f, 180.2f, 1}, Case{5.25f, 178.3f, 0}, Case{5.25f, 178.4f, 1}}) {
        BallTestLane t;
        LaneContext& lane = t.lane();
        SetupPins(lane, PIN_MASK_ALL, 0);
        SetThrowParameters(lane, 0.2, 0.65, 0, 0, 0, t.oil, UserDryLane);
        t.PlaceBall(c.x, c.aheadZ - 1.0f, {0.0f, 0.0f, 0.5f, 0.0f});
        lane.PhysBall.slip = 0;
        EXPECT_EQ(InitialBallRollStep(lane), c.over) << c.x << " " << c.aheadZ;
    }
    // The wedge's side reaches over the gutter's centre line, in front of the deck end.
    BallTestLane t(LaneKind::Computer);
    BallData_t shot = ShotBall(0.3f, 75.0f);
    shot.velocity.x = -3.0f;
    ReleaseOnComputerLane(t, shot);
    while (!InitialBallRollStep(t.lane()))
        ASSERT_LT(t.lane().NumPhysFrames, 1000);
    EXPECT_NE(t.lane().FrameBallHitGutter, 0);
    EXPECT_NE(t.lane().FrameBallReachesPins, 0);
    EXPECT_EQ(t.lane().PhysBall.position.x, LEFT_GUTTER_CENTRE_X);
}

TEST_F(BallCoarseRoll, RateTenEmptiesTheCellLessTheShareGivenBack) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    t.FillOil(3000);
    SetupPins(lane, PIN_MASK_ALL, 0);
    SetThrowParameters(lane, 0.2, 0.65, 0, 0, 10, t.oil, UserDryLane);
    t.PlaceBall(5.25f, 30.0f, {0.0f, 0.0f, 2.0f, 0.0f});
    lane.BallOil = 800;  // gives back 100
    InitialBallRollStep(lane);
    EXPECT_EQ(t.oil[10][19], 100);
    EXPECT_EQ(lane.BallOil, 800 + 2900);

    // Without a grid the lane rolls as a dry one.
    t.PlaceBall(5.25f, 30.0f, {0.0f, 0.0f, 2.0f, 0.0f});
    lane.Oil = nullptr;
    InitialBallRollStep(lane);
    EXPECT_FLOAT_EQ(lane.PhysBall.velocity.z, 2.0f - f32(0.2 * kCoarseG / 0.9604f));
}

// The player's whole roll.
struct PlayerThrow {
    BallTestLane t;
    s32 started = 0;
    PlayerThrow(const BallData_t& shot, u16 fill, u16 ballOil, u16 flare) {
        t.FillOil(fill);
        t.lane().BallOil = ballOil;
        OrbSRand(77);
        SetupPins(t.lane(), PIN_MASK_ALL, 1);
        started = StartPhysics(t.lane(), &shot, kTestBallMu, kTestBallRg, 40, flare, 3, t.oil, UserDryLane);
    }
    const RefFrame_t& Pose(s32 frame) { return t.lane().PhysOrientFrame[t.lane().PhysDataIndex[frame]]; }
};

TEST_F(BallCoarseRoll, ArrowsFrameFollowsTheFirstRealPoseBeyondTheArrowsAndIsWritten) {
    PlayerThrow th(ShotBall(4.0f, 75.0f, 0.2f), 4000, 0, 0);
    LaneContext& lane = th.t.lane();
    ASSERT_EQ(th.started, 1);
    const s32 arrows = lane.FrameBallReachesArrows;
    EXPECT_EQ((arrows - 2) % 4, 0);
    EXPECT_LT(arrows, lane.NumPhysFrames);
    EXPECT_GT(th.Pose(arrows - 1).position.z, 75.0f);
    EXPECT_LE(th.Pose(arrows - 5).position.z, 75.0f);

    // When that step fills the film, the frame after it never comes.
    BallTestLane t;
    SetupPins(t.lane(), 0, 0);
    t.PlaceBall(5.25f, 74.0f, {0.0f, 0.0f, 2.0f, 0.0f});
    t.lane().NumPhysFrames = PHYS_MAX_FRAMES - 5;
    t.lane().OutputFramesUsed = u16(PHYS_MAX_FRAMES - 5);
    EXPECT_EQ(InitialBallRollStep(t.lane()), 1);
    EXPECT_EQ(t.lane().NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(t.lane().FrameBallReachesArrows, PHYS_MAX_FRAMES - 2);
}

TEST_F(BallCoarseRoll, OilMovesBetweenLaneAndBallWithoutLossWhenThereIsNoFlare) {
    PlayerThrow th(ShotBall(6.0f, 70.0f, -0.3f), 3000, 5000, 0);
    ASSERT_EQ(th.started, 1);
    EXPECT_NE(th.t.GridOil(), 3000 * kGridCells);
    EXPECT_EQ(th.t.GridOil() + th.t.lane().BallOil, 3000 * kGridCells + 5000);
}

TEST_F(BallCoarseRoll, HookIsStrongerOnADryLaneThanOnOil) {
    const BallData_t shot = ShotBall(8.0f, 75.0f, 0.3f);
    PlayerThrow dry(shot, 0, 0, 0);
    PlayerThrow oiled(shot, 20000, 0, 0);
    const f32 dryX = dry.Pose(dry.t.lane().FrameBallReachesArrows - 1).position.x;
    const f32 oiledX = oiled.Pose(oiled.t.lane().FrameBallReachesArrows - 1).position.x;
    EXPECT_LT(dryX, oiledX);
    EXPECT_LT(oiledX, 8.0f);
}

}  // namespace
