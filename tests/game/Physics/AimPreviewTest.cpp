#include <gtest/gtest.h>

#include <cstring>

#include "tests/game/Physics/BallMotionTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

const RefFrame_t& Pose(LaneContext& lane, s32 frame) {
    return lane.PhysOrientFrame[lane.PhysDataIndex[frame]];
}

struct Preview {
    BallTestLane t;
    s32 result = 0;
    Preview(const BallData_t& shot, ThrowType type, u16 fill, u16 ballOil, u16 flare) {
        t.FillOil(fill);
        t.lane().BallOil = ballOil;
        SetupPins(t.lane(), PIN_MASK_ALL, 0);
        result = ApproximatePhysics(t.lane(), &shot, kTestBallMu, kTestBallRg, 40, flare, 2, t.oil, type);
    }
    LaneContext& lane() { return t.lane(); }
};

void ExpectNearVector(const s_Vector3& a, const s_Vector3& b, f32 tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

using AimPreview = GameFixture;

TEST_F(AimPreview, StopsAtTheArrowsAfter4kPlus2FramesWithFillersAtQuarterPoints) {
    Preview p(ShotBall(3.0f, 65.0f, 0.4f), TestThrow, 3000, 0, 0);
    LaneContext& lane = p.lane();
    ASSERT_EQ(p.result, 1);
    const s32 frames = lane.NumPhysFrames;
    EXPECT_EQ((frames - 2) % 4, 0);
    EXPECT_EQ(lane.FrameBallReachesArrows, frames - 1);  // the last frame written
    EXPECT_GT(Pose(lane, frames - 1).position.z, 60.0f);
    EXPECT_LE(Pose(lane, frames - 5).position.z, 60.0f);
    for (s32 i = 1; i + 4 < frames; i += 4) {
        const s_Vector3 a = Pose(lane, i).position;
        const s_Vector3 b = Pose(lane, i + 4).position;
        EXPECT_EQ(a.y, BALL_ON_LANE_Y);  // not lofted
        for (s32 q = 1; q < 4; ++q) {
            const s_Vector3 expected{a.x + (b.x - a.x) * q / 4, a.y, a.z + (b.z - a.z) * q / 4, 0.0f};
            ExpectNearVector(Pose(lane, i + q).position, expected, 1e-4f);
        }
    }
}

TEST_F(AimPreview, MidpointOfPoses) {
    const RefFrame_t a{{1.0f, -1.0f, 10.0f, 0.0f}, {{0.0f, -1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.0f}}};
    RefFrame_t out{};
    InterpolateBallRollFrame(a, a, out);
    EXPECT_EQ(std::memcmp(&out.position, &a.position, 3 * sizeof(f32)), 0);
    ExpectNearVector(out.O.up, a.O.up, 1e-6f);
    ExpectNearVector(out.O.right, a.O.right, 1e-6f);

    const RefFrame_t b{{3.0f, -1.0f, 14.0f, 0.0f}, {{1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f}}};
    InterpolateBallRollFrame(a, b, out);
    ExpectNearVector(out.position, {2.0f, -1.0f, 12.0f, 0.0f}, 0.0f);
    ExpectNearVector(out.O.up, {0.7071068f, -0.7071068f, 0.0f, 0.0f}, 1e-6f);
    ExpectNearVector(out.O.right, {0.7071068f, 0.0f, 0.7071068f, 0.0f}, 1e-6f);
}

TEST_F(AimPreview, InterpolationKeepsRealPosesAndNeverTouchesFramesAtOrBeyondTheCap) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    lane.NumPhysFrames = PHYS_MAX_FRAMES - 1;
    for (s32 f = 0; f < PHYS_MAX_FRAMES; ++f) {
        lane.PhysDataIndex[f] = u16(f);
        const f32 z = f % 4 == 1 ? f32(f) : -1.0f;  // fillers hold junk
        lane.PhysOrientFrame[f] = {{0.0f, 0.0f, z, 0.0f},
                                   {{0.0f, -1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.0f}}};
    }
    const RefFrame_t firstPose = lane.PhysOrientFrame[0];
    InterpolateBallRollFrames(lane);
    for (s32 f = 1; f < 3598; ++f)
        ASSERT_EQ(Pose(lane, f).position.z, f32(f)) << f;
    // Frame 3597 is the last real pose: the fillers after it have nothing to lead to.
    EXPECT_EQ(Pose(lane, 3598).position.z, -1.0f);
    EXPECT_EQ(Pose(lane, 3599).position.z, -1.0f);
    EXPECT_EQ(std::memcmp(&firstPose, &lane.PhysOrientFrame[0], sizeof firstPose), 0);
}

TEST_F(AimPreview, FilmFullStopsThePreviewWithoutHandOver) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    SetupPins(lane, PIN_MASK_ALL, 0);
    lane.SamplesTilFrame = 7;
    const BallData_t still = ShotBall(5.0f, 0.0f, 0.3f);  // never reaches the arrows
    EXPECT_EQ(ApproximatePhysics(lane, &still, kTestBallMu, kTestBallRg, 40, 0, 2, t.oil, TestThrow), 0);
    EXPECT_EQ(lane.NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane.FrameBallReachesArrows, 0);
    EXPECT_EQ(lane.SamplesTilFrame, 7);
}

TEST_F(AimPreview, HandsOverLikeARealThrowAndKeepsTheLastThrowsPinFrames) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    SetupPins(lane, PIN_MASK_ALL, 0);
    lane.FrameBallReachesPins = 300;
    lane.FramePinActionComplete = 900;
    lane.FrameBallHitGutter = 200;
    lane.FrameBallHitsBackWall = 500;
    const BallData_t shot = ShotBall(5.0f, 60.0f);
    ASSERT_EQ(ApproximatePhysics(lane, &shot, kTestBallMu, kTestBallRg, 40, 0, 2, t.oil, TestThrow), 1);
    EXPECT_EQ(lane.FrameBallReachesPins, 300);
    EXPECT_EQ(lane.FramePinActionComplete, 900);
    EXPECT_EQ(lane.FrameBallHitGutter, 0);
    EXPECT_EQ(lane.FrameBallHitsBackWall, 0);
    EXPECT_EQ(lane.SamplesTilFrame, 1);
    EXPECT_LT(lane.PhysBall.velocity.z, 0.5f);  // per fine step now, slowed by friction
    EXPECT_GT(lane.PhysBall.velocity.z, 0.4f);
}

TEST_F(AimPreview, TestThrowKeepsTheGridButEachSkiddingStepLowersTheBallsOilByTheFlare) {
    BallTestLane t;
    LaneContext& lane = t.lane();
    t.FillOil(6000);
    SetupPins(lane, PIN_MASK_ALL, 0);
    const BallData_t shot = ShotBall(4.0f, 60.0f, 0.3f);
    ApproximatePhysics(lane, &shot, kTestBallMu, kTestBallRg, 40, 300, 2, t.oil, TestThrow);
    lane.BallOil = 1000;
    lane.PhysBall.velocity = {0.0f, 0.0f, 2.0f, 0.0f};
    lane.PhysBall.position = {4.0f, BALL_ON_LANE_Y, 0.0f, 0.0f};
    lane.PhysBall.slip = 1;
    lane.FrameBallReachesArrows = 0;
    s32 skidding = 0;
    for (s32 over = 0; !over;) {
        const bool skids = lane.PhysBall.slip != 0;
        const u16 oilBefore = lane.BallOil;
        over = CoarseRollStep(lane, PreviewRollRules);
        EXPECT_EQ(lane.BallOil, skids ? oilBefore - 10 : oilBefore);
        skidding += skids;
    }
    EXPECT_GT(skidding, 0);
    EXPECT_EQ(t.GridOil(), 6000u * OIL_ROWS * OIL_BOARDS);

    // A dry lane drains the ball down to nothing.
    Preview dry(ShotBall(5.0f, 60.0f), TestThrow, 0, 50, 300);
    EXPECT_EQ(dry.t.GridOil(), 0u);
    EXPECT_EQ(dry.lane().BallOil, 0);
}

TEST_F(AimPreview, TestDryLaneTouchesNeitherGridNorBallOil) {
    Preview p(ShotBall(5.0f, 60.0f, 0.2f), TestDryLane, 3000, 700, 300);
    EXPECT_EQ(p.t.GridOil(), 3000u * OIL_ROWS * OIL_BOARDS);
    EXPECT_EQ(p.lane().BallOil, 700);
}

TEST_F(AimPreview, GutterBallKeepsRollingUntilTheArrows) {
    BallData_t shot = ShotBall(0.5f, 60.0f);
    shot.velocity.x = -6.0f;
    Preview p(shot, TestThrow, 3000, 0, 0);
    LaneContext& lane = p.lane();
    ASSERT_EQ(p.result, 1);
    EXPECT_NE(lane.FrameBallHitGutter, 0);
    EXPECT_LT(lane.FrameBallHitGutter, lane.FrameBallReachesArrows);
    EXPECT_EQ(Pose(lane, lane.FrameBallReachesArrows).position.x, LEFT_GUTTER_CENTRE_X);
}

TEST_F(AimPreview, SameShotGivesTheSamePath) {
    const BallData_t shot = ShotBall(2.5f, 62.0f, 0.45f);
    Preview a(shot, TestThrow, 4000, 300, 0);
    Preview b(shot, TestThrow, 4000, 300, 0);
    ASSERT_EQ(a.lane().NumPhysFrames, b.lane().NumPhysFrames);
    for (s32 f = 1; f < a.lane().NumPhysFrames; ++f)
        ASSERT_EQ(std::memcmp(&Pose(a.lane(), f), &Pose(b.lane(), f), sizeof(RefFrame_t)), 0) << f;
}

}  // namespace
