// The lane manager's physics side: slicing, racking, shots, the guide line and
// playback; and the idle callback that shares time among the lanes.
#include <cstring>

#include "orblib47/source/NGC/FrameClock.h"
#include "source/AlleyNPCManager.h"
#include "source/Physics/PhysicsIdle.h"
#include "tests/game/Physics/WholeThrowSupport.h"
#include "tests/support/GameFixture.h"

namespace {

using namespace wholethrow;

constexpr BallRecord kHouseBall{0.2, 0.6175, 40, 0, 0};

class LaneManagerTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        OrbSRand(5);
    }

    // A throw started and left for the slices.
    void StartThrow(f32 x = 6.0f, s32 human = 1) {
        Physics.InitLane(1);
        BallData_t ball{};
        ball.position.x = x;
        ball.velocity.z = 85.0f;
        ball.mass = 16;
        ASSERT_EQ(Physics.ComputeShot(ball, kHouseBall, human), 1);
    }
};

TEST_F(LaneManagerTest, SlicesOnlyInTurnStates10To19) {
    StartThrow();
    for (s32 state : {0, 9, 20, 35}) {
        Physics.m_state = state;
        const s32 frames = PlayerLane.NumPhysFrames;
        EXPECT_EQ(Physics.ComputePhysicsTimeSlice(), 0) << state;
        EXPECT_EQ(PlayerLane.NumPhysFrames, frames) << state;
    }
    for (s32 state : {10, 19}) {
        Physics.m_state = state;
        const s32 frames = PlayerLane.NumPhysFrames;
        EXPECT_EQ(Physics.ComputePhysicsTimeSlice(), 1) << state;
        EXPECT_EQ(PlayerLane.NumPhysFrames, frames + 1) << state;
    }
    CLaneManager fresh;  // nothing to do before the first throw
    fresh.m_state = 10;
    EXPECT_EQ(fresh.ComputePhysicsTimeSlice(), 0);
}

TEST_F(LaneManagerTest, PinActionThenPickupThenSweepOnTheFirstBall) {
    StartThrow(6.6f);
    Physics.m_state = 12;
    while (!Physics.bPhysicsDone)
        ASSERT_EQ(Physics.ComputePhysicsTimeSlice(), 1);
    EXPECT_TRUE(PlayerLane.PhysicsDone);
    const PinMask leave = GetPhysicsResult(PlayerLane);
    ASSERT_NE(leave, 0);
    const s32 endOfPinAction = PlayerLane.NumPhysFrames;
    EXPECT_EQ(PlayerLane.FramePinsetterStarts, 0);

    ASSERT_EQ(Physics.ComputePhysicsTimeSlice(), 1);  // the first lift step
    EXPECT_EQ(PlayerLane.FramePinsetterStarts, endOfPinAction + 1);
    s32 lifts = 1;
    while (!Physics.bPinsetterUpDone) {
        ASSERT_EQ(Physics.ComputePhysicsTimeSlice(), 1);
        ++lifts;
    }
    EXPECT_EQ(lifts, 135);
    EXPECT_EQ(PlayerLane.FramePinsetterStarts, endOfPinAction + 1);
    s32 sweeps = 0;
    while (Physics.ComputePhysicsTimeSlice())
        ++sweeps;
    EXPECT_TRUE(Physics.bSweepDone);
    EXPECT_GE(sweeps, 108);
    EXPECT_EQ(GetPhysicsResult(PlayerLane), leave);
    EXPECT_EQ(Physics.ComputePhysicsTimeSlice(), 0);
}

TEST_F(LaneManagerTest, LaterBallSweepsWithoutPickup) {
    StartThrow();
    Physics.iCurrentBowlThrow = 1;
    Physics.m_state = 10;
    while (!Physics.bPhysicsDone)
        Physics.ComputePhysicsTimeSlice();
    const s32 endOfPinAction = PlayerLane.NumPhysFrames;
    ASSERT_EQ(Physics.ComputePhysicsTimeSlice(), 1);
    EXPECT_EQ(Physics.bPinsetterUpDone, 0);
    EXPECT_EQ(PlayerLane.FramePinsetterStarts, 0);
    EXPECT_NE(PlayerLane.PhysPinsMask[endOfPinAction] & FILM_SWEEPER_BIT, 0);
}

TEST_F(LaneManagerTest, InitLaneRacksFreshPracticeOrTheLeave) {
    Physics.InitLane(1);
    EXPECT_EQ(Physics.m_iLastPinSetup, PIN_MASK_ALL);
    EXPECT_EQ(PlayerLane.iPhysicsResult, PIN_MASK_ALL);

    PlayerLane.iPhysicsResult = 0x4100;  // pins 0 and 6 left
    Physics.InitLane(0);
    EXPECT_EQ(Physics.m_iLastPinSetup, 0x4100);
    EXPECT_EQ(PlayerLane.PhysPins[0].state, UntouchedPin);
    EXPECT_EQ(PlayerLane.PhysPins[1].state, InactivePin);

    Physics.m_bPracticeMode = 1;
    Physics.m_iPracticePinSetup = 0x0200;  // pin 5 alone
    Physics.InitLane(0);
    EXPECT_EQ(Physics.m_iLastPinSetup, 0x0200);
    EXPECT_EQ(PlayerLane.iPhysicsResult, 0x0200);

    // The display starts from the racked poses.
    for (s32 i = 0; i < NUM_PINS; ++i)
        EXPECT_EQ(std::memcmp(&Physics.m_displayPoses.body[i].position, &PlayerLane.PhysPins[i].position,
                              sizeof(s_Vector3)),
                  0)
            << i;
}

TEST_F(LaneManagerTest, ComputeShotUsesTheLaneInUseAndTheBowlersThrowType) {
    for (s32 left : {0, 1}) {
        for (s32 r = 0; r < OIL_ROWS; ++r)
            for (s32 b = 0; b < OIL_BOARDS; ++b)
                Physics.LeftOil[r][b] = Physics.RightOil[r][b] = 4096;
        Physics.bLeftLane = left;
        Physics.fCurrentFrame = 50.0f;
        PlayerLane.BallOil = 0;
        StartThrow(5.25f, 1);
        EXPECT_EQ(PlayerLane.whichthrow, UserDryLane);
        EXPECT_EQ(PlayerLane.Oil, left ? Physics.LeftOil : Physics.RightOil);
        EXPECT_EQ(Physics.RightOil[0][19] != 4096, left == 0);
        EXPECT_EQ(Physics.LeftOil[0][19] != 4096, left == 1);
        EXPECT_EQ(Physics.fCurrentFrame, 0.0f);
        EXPECT_EQ(Physics.bPhysicsDone, 0);
        EXPECT_EQ(Physics.bPinsetterUpDone, 0);
        EXPECT_EQ(Physics.bSweepDone, 0);
    }
    StartThrow(5.25f, 0);
    EXPECT_EQ(PlayerLane.whichthrow, CPUDryLane);
}

TEST_F(LaneManagerTest, ComputeShotInterpolatesTheCoarseFrames) {
    StartThrow();
    // Frames 1 and 5 are real; 3 is their midpoint.
    const auto& pose = [](s32 f) { return PlayerLane.PhysOrientFrame[PlayerLane.PhysDataIndex[f]].position; };
    EXPECT_FLOAT_EQ(pose(3).z, (pose(1).z + pose(5).z) * 0.5f);
    EXPECT_GT(pose(2).z, pose(1).z);
}

TEST_F(LaneManagerTest, ComputeBallAngleRollsThePreviewFromTheFoulLine) {
    Physics.InitLane(1);
    PlayerLane.iPhysicsResult = 0x7000;
    BallData_t aimed{};
    aimed.position = {4.0f, -1.06875f, 37.0f, 0.0f};
    aimed.velocity.z = 85.0f;
    aimed.mass = 14;
    const u16 oilBefore = Physics.RightOil[0][14];
    ASSERT_EQ(Physics.ComputeBallAngle(aimed, kHouseBall), 1);
    EXPECT_EQ(PlayerLane.whichthrow, TestThrow);
    EXPECT_EQ(PlayerLane.iPhysicsResult, 0x7000);
    EXPECT_EQ(PlayerLane.PhysPins[3].state, InactivePin);
    const RefFrame_t& first = PlayerLane.PhysOrientFrame[PlayerLane.PhysDataIndex[1]];
    EXPECT_EQ(first.position.z, 0.0f);
    EXPECT_GT(PlayerLane.FrameBallReachesArrows, 1);
    EXPECT_EQ(Physics.RightOil[0][14], oilBefore);
}

TEST_F(LaneManagerTest, ShotLineCoordinates) {
    EXPECT_EQ(Physics.GetShotLineCoord(1, 0).x, 0.0f);  // n = 0 must not divide
    PlayerLane.FrameBallReachesArrows = 0;
    const s_Vector3 none = Physics.GetShotLineCoord(1, 2);
    EXPECT_EQ(none.x, 0.0f);
    EXPECT_EQ(none.z, 0.0f);

    Physics.InitLane(1);
    BallData_t aimed{};
    aimed.position.x = 4.0f;
    aimed.velocity = {1.0f, 0.0f, 80.0f, 0.0f};
    ASSERT_EQ(Physics.ComputeBallAngle(aimed, kHouseBall), 1);
    const s32 arrows = PlayerLane.FrameBallReachesArrows;
    ASSERT_GT(arrows, 4);
    const auto& pose = [](s32 f) { return PlayerLane.PhysOrientFrame[PlayerLane.PhysDataIndex[f]].position; };

    const s_Vector3 last = Physics.GetShotLineCoord(8, 8);
    EXPECT_FLOAT_EQ(last.x, (pose(arrows).x + 17.91f) * 4.0f);
    EXPECT_FLOAT_EQ(last.y, pose(arrows).y * 4.0f);
    EXPECT_FLOAT_EQ(last.z, pose(arrows).z * 4.0f);
    const s_Vector3 half = Physics.GetShotLineCoord(1, 2);
    EXPECT_FLOAT_EQ(half.z, pose(arrows / 2).z * 4.0f);
    const s_Vector3 start = Physics.GetShotLineCoord(0, 8);  // frame 1 at the least
    EXPECT_FLOAT_EQ(start.z, pose(1).z * 4.0f);
    EXPECT_EQ(Physics.GetShotLineCoord(9, 8).z, 0.0f);
    EXPECT_EQ(Physics.GetShotLineCoord(~0u, ~0u).z, last.z);  // no overflow

    Physics.bLeftLane = 1;
    EXPECT_FLOAT_EQ(Physics.GetShotLineCoord(8, 8).x, pose(arrows).x * 4.0f);
}

TEST_F(LaneManagerTest, PlaybackShowsOnlyWrittenFramesAndKeepsLastPoses) {
    StartThrow();
    Physics.m_state = 10;
    RealDeltaTime = 1.0f / 60.0f;
    Physics.fCurrentFrame = 10000.0f;  // far ahead of the simulation
    Physics.DisplayFrame();
    EXPECT_EQ(Physics.m_iLastDisplayedFrame, PlayerLane.NumPhysFrames - 1);
    EXPECT_FLOAT_EQ(Physics.fCurrentFrame, 10002.0f);
    const RefFrame_t& ball = Physics.m_displayPoses.body[FILM_BODY_BALL];
    EXPECT_EQ(ball.position.z, PlayerLane.PhysBall.position.z);

    while (Physics.ComputePhysicsTimeSlice()) {
    }
    // Played from the start at two film frames per display frame, every frame is
    // applied in order: the shown poses are the film's last pose of each body.
    FilmPoses expected = Physics.m_displayPoses;
    for (s32 f = 0; f < PlayerLane.NumPhysFrames; ++f)
        ApplyFilmFrame(PlayerLane, f, expected);
    Physics.fCurrentFrame = 0.0f;
    Physics.m_iLastDisplayedFrame = -1;
    while (Physics.m_iLastDisplayedFrame < PlayerLane.NumPhysFrames - 1)
        Physics.DisplayFrame();
    for (s32 b = 0; b < FILM_BODIES; ++b)
        EXPECT_EQ(std::memcmp(&Physics.m_displayPoses.body[b], &expected.body[b], sizeof(RefFrame_t)), 0)
            << b;
}

TEST_F(LaneManagerTest, PoseTransformsPlaceThePoseThroughTheLaneTransform) {
    Physics.InitLane(1);
    Physics.fLaneOffset = 2.5f;
    Physics.UpdatePinModelTransforms();
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const s_Vector3& p = PlayerLane.PhysPins[i].position;
        const s_Vector3 inches{(p.x + 2.5f) * 4.0f, p.y * 4.0f, p.z * 4.0f, 0.0f};
        const s_Vector3 world = PhysicsToWorldSpace(&inches);
        const s_Matrix4& m = Physics.m_pinTransform[i];
        EXPECT_NEAR(m.at(0, 3), world.x, 1e-5f) << i;
        EXPECT_NEAR(m.at(1, 3), world.y, 1e-5f) << i;
        EXPECT_NEAR(m.at(2, 3), world.z, 1e-5f) << i;
        // An upright pin's axis is up in the world (the lane's y points down).
        EXPECT_NEAR(m.at(1, 1), 1.0f, 1e-5f) << i;
    }
}

class PhysicsIdleTest : public LaneManagerTest {
protected:
    void SetUp() override {
        LaneManagerTest::SetUp();
        g_LevelIsPlaying = 1;
    }
    static void StartBowler(s32 i) {
        CNPCBowler& b = g_AlleyNPCManager.m_NPCBowlers[i];
        b.m_bNPCIsBowling = 1;
        b.NPC_SetupPins(PIN_MASK_ALL, 1);
        b.SetupRandomShot();
        b.EnterPrep();
    }
    static s32 Frames(s32 i) { return g_AlleyNPCManager.m_NPCBowlers[i].lane.NumPhysFrames; }
};

TEST_F(PhysicsIdleTest, ReportsWorkWhileAnyLaneHasSome) {
    EXPECT_EQ(PhysicsIdleProcess(1), 0);
    StartThrow();
    Physics.m_state = 10;
    EXPECT_EQ(PhysicsIdleProcess(1), 1);
    g_LevelIsPlaying = 0;
    StartBowler(1);
    Physics.m_state = 0;
    EXPECT_EQ(PhysicsIdleProcess(1), 0);  // computer lanes wait for the level
    g_LevelIsPlaying = 1;
    EXPECT_EQ(PhysicsIdleProcess(1), 1);
}

TEST_F(PhysicsIdleTest, KeepsToOneBowlerWhileItWorksThenMovesOn) {
    StartBowler(0);
    StartBowler(2);
    const s32 framesOf2 = Frames(2);
    s32 slices = 0;
    while (PhysicsIdleProcess(1)) {
        ASSERT_EQ(g_NPCPhysicsBowlerIndex, 0);
        ++slices;
    }
    EXPECT_GT(slices, 1000);
    EXPECT_EQ(Frames(2), framesOf2);  // bowler 2 has had nothing yet
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 1);
    EXPECT_EQ(PhysicsIdleProcess(1), 1);  // bowler 1 is not bowling: on to 2
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 1);
    EXPECT_GT(Frames(2), framesOf2);
    while (PhysicsIdleProcess(1)) {
    }
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 3);
    EXPECT_EQ(PhysicsIdleProcess(1), 0);  // out of range: taken as 0, nobody has work
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 1);
}

TEST_F(PhysicsIdleTest, IndexOutsideTheBowlersIsTakenAs0) {
    g_NPCPhysicsBowlerIndex = 2;  // nobody bowling resets the index
    EXPECT_EQ(PhysicsIdleProcess(1), 0);
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 0);
    StartBowler(0);
    for (s32 bad : {-1, 3, 1000}) {
        g_NPCPhysicsBowlerIndex = bad;
        const s32 frames = Frames(0);
        EXPECT_EQ(PhysicsIdleProcess(1), 1) << bad;
        EXPECT_EQ(g_NPCPhysicsBowlerIndex, 0) << bad;
        EXPECT_GT(Frames(0), frames) << bad;
    }
}

}  // namespace
