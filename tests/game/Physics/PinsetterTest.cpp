#include <gtest/gtest.h>

#include "source/Physics/Physics.h"
#include "tests/game/Physics/WorldTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

// A lane whose pin action is over: the ball is gone and the film has a few frames.
std::unique_ptr<LaneContext> FinishedLane(LaneKind kind, PinMask standing) {
    auto lane = MakeLane(kind);
    SetupPins(*lane, standing, 0);
    DropBallInPit(*lane, 1);
    lane->FramePinActionComplete = 241;
    return lane;
}

// A fallen pin lying on the deck with its axis along the lane.
void LayPinDown(LaneContext& lane, s32 i, f32 z) {
    PinData& pin = lane.PhysPins[i];
    pin.state = ActivePin;
    pin.position = {5.25f, -0.5f, z, 0.0f};
    pin.O.up = {0.0f, 0.0f, 1.0f, 0.0f};
    pin.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
    for (s32 k = 0; k < 3; ++k)
        pin.collisionSpheres[k] = {5.25f, -0.5f, z + PinCollisionSphereOffset[k], 0.0f};
}

s32 StepsUntilDone(s32 (*step)(LaneContext&), LaneContext& lane, s32 limit) {
    for (s32 n = 1; n <= limit; ++n) {
        if (step(lane))
            return n;
    }
    return -1;
}

// ---------------------------------------------------------------- pick-up

using PinsetterPickup = GameFixture;

TEST_F(PinsetterPickup, LiftsTheStandingPinsIn135RecordedSteps) {
    auto lane = FinishedLane(LaneKind::Player, PinBit(4) | PinBit(9));
    lane->PhysBall.visible = 1;  // still in view: recorded with the lifted pins
    lane->SweeperZCoord = 0.0f;
    const s32 before = lane->NumPhysFrames;

    EXPECT_EQ(StepsUntilDone(PickupPins, *lane, 1000), 135);
    EXPECT_EQ(lane->NumPhysFrames - before, 135);
    for (s32 n = before; n < lane->NumPhysFrames; ++n)
        EXPECT_EQ(lane->PhysPinsMask[n], PinBit(4) | PinBit(9) | FILM_BALL_BIT);
    ExpectFilmConsistent(*lane);
    EXPECT_LT(lane->PhysPins[4].position.y, -15.0f);
    EXPECT_GT(lane->PhysPins[4].position.y, -15.01f);
    EXPECT_EQ(lane->PhysPins[4].collisionSpheres[0].y, lane->PhysPins[4].position.y + 0.9375f);
    EXPECT_EQ(lane->SweeperZCoord, 179.375f);
}

TEST_F(PinsetterPickup, ComputerLaneLiftsSlowlyAndLeavesTheBarAlone) {
    auto lane = FinishedLane(LaneKind::Computer, PIN_MASK_ALL);
    lane->SweeperZCoord = 100.0f;
    EXPECT_EQ(StepsUntilDone(PickupPins, *lane, 1000), 541);
    EXPECT_EQ(lane->SweeperZCoord, 100.0f);
}

TEST_F(PinsetterPickup, NothingStandingIsDoneAtOnce) {
    auto lane = FinishedLane(LaneKind::Player, 0);
    const s32 before = lane->NumPhysFrames;
    EXPECT_EQ(PickupPins(*lane), 1);
    EXPECT_EQ(lane->NumPhysFrames, before);
    EXPECT_EQ(lane->SweeperZCoord, 179.375f);
}

TEST_F(PinsetterPickup, ARockingPinIsHeldStillAndCountsAsStanding) {
    auto lane = FinishedLane(LaneKind::Player, PinBit(2));
    lane->PhysPins[2].state = WobblePin;
    lane->PhysPins[5].state = ActivePin;  // fallen: stays on the deck
    lane->PhysPins[5].position.y = -0.5f;
    EXPECT_EQ(PickupPins(*lane), 0);
    EXPECT_EQ(lane->PhysPins[2].state, UntouchedPin);
    EXPECT_EQ(lane->PinsToOutput, PinBit(2));
    EXPECT_EQ(lane->PhysPins[5].position.y, -0.5f);
}

TEST_F(PinsetterPickup, FullFilmStillCompletesWithinTheArrays) {
    auto lane = FinishedLane(LaneKind::Player, PIN_MASK_ALL);
    lane->NumPhysFrames = PHYS_MAX_FRAMES - 2;
    lane->OutputFramesUsed = PHYS_MAX_POSES - 30;
    EXPECT_EQ(StepsUntilDone(PickupPins, *lane, 1000), 135);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->OutputFramesUsed, PHYS_MAX_POSES - 1);
    EXPECT_EQ(lane->FramePinActionComplete, 241);
}

// ---------------------------------------------------------------- reach

using PinsetterReach = GameFixture;

TEST_F(PinsetterReach, StandingPinsAreTakenOnALaterBallOnly) {
    auto player = FinishedLane(LaneKind::Player, PinBit(0));
    auto computer = FinishedLane(LaneKind::Computer, PinBit(0));
    const f32 bar = 180.0f;
    EXPECT_EQ(CheckSweepPin(*player, 0, bar, 0), 0);
    EXPECT_EQ(CheckSweepPin(*player, 0, bar, 1), 1);
    EXPECT_EQ(CheckSweepPin(*player, 0, bar, 2), 1);
    EXPECT_EQ(CheckSweepPin(*computer, 0, bar, 0), 0);
    EXPECT_EQ(CheckSweepPin(*computer, 0, bar, 1), 1);
    EXPECT_EQ(CheckSweepPin(*computer, 0, bar, 2), 0);
    EXPECT_EQ(CheckSweepPin(*player, 3, bar, 1), 0);  // out of play
}

TEST_F(PinsetterReach, PinsAtOrAboveTheClearanceAreNeverSwept) {
    auto lane = FinishedLane(LaneKind::Player, 0);
    LayPinDown(*lane, 1, 180.0f);
    lane->PhysPins[1].position.y = -3.75f;
    EXPECT_EQ(CheckSweepPin(*lane, 1, 180.0f, 1), 0);
    lane->PhysPins[1].position.y = -3.7f;
    EXPECT_EQ(CheckSweepPin(*lane, 1, 180.0f, 1), 1);
}

TEST_F(PinsetterReach, PlayerBarReachesAroundItComputerBarEverythingBehind) {
    auto player = FinishedLane(LaneKind::Player, 0);
    auto computer = FinishedLane(LaneKind::Computer, 0);
    for (LaneContext* lane : {player.get(), computer.get()}) {
        LayPinDown(*lane, 0, 183.0f);  // centre 0.6 past the bar
        LayPinDown(*lane, 1, 170.0f);  // far in front of the bar, spheres clear
        LayPinDown(*lane, 2, 184.0f);  // only its bottom sphere, moved nearer, reaches
        lane->PhysPins[2].collisionSpheres[0].z = 182.5f;
    }
    const f32 bar = 182.4f;
    EXPECT_EQ(CheckSweepPin(*player, 0, bar, 0), 1);
    EXPECT_EQ(CheckSweepPin(*player, 1, bar, 0), 0);
    EXPECT_EQ(CheckSweepPin(*player, 2, bar, 0), 1);
    EXPECT_EQ(CheckSweepPin(*computer, 0, bar, 0), 1);
    EXPECT_EQ(CheckSweepPin(*computer, 1, bar, 0), 1);
    EXPECT_EQ(CheckSweepPin(*computer, 2, bar, 0), 1);
    // Well past the bar, nothing reaches it.
    EXPECT_EQ(CheckSweepPin(*player, 0, 170.0f, 0), 0);
    EXPECT_EQ(CheckSweepPin(*computer, 0, 170.0f, 0), 0);
}

// ---------------------------------------------------------------- sweep

using PinsetterSweep = GameFixture;

TEST_F(PinsetterSweep, EmptyDeckRecords107FramesAndEndsOnThe108thStep) {
    auto lane = FinishedLane(LaneKind::Player, 0);
    lane->SweeperZCoord = 179.375f;
    const s32 before = lane->NumPhysFrames;
    s32 steps = 0;
    while (!SweepPins(*lane, 0))
        ASSERT_LT(++steps, 1000);
    EXPECT_EQ(steps + 1, 108);
    EXPECT_EQ(lane->NumPhysFrames - before, 107);
    for (s32 n = before; n < lane->NumPhysFrames; ++n) {
        EXPECT_EQ(lane->PhysPinsMask[n], FILM_SWEEPER_BIT);
        const RefFrame_t& pose = lane->PhysOrientFrame[lane->PhysDataIndex[n]];
        EXPECT_EQ(pose.position.x, 0.0f);
        EXPECT_EQ(pose.position.y, 0.0f);
        EXPECT_EQ(pose.position.z, 179.375f + 0.125f * f32(n - before + 1));
    }
    ExpectFilmConsistent(*lane);
    EXPECT_EQ(lane->SweeperZCoord, 179.375f);
}

TEST_F(PinsetterSweep, ComputerLaneRecordsItsSweeperPoseAndLeavesTheBarAtTheEnd) {
    auto lane = FinishedLane(LaneKind::Computer, 0);
    lane->SweeperZCoord = 179.375f;
    lane->SweeperPose.position = {2.5f, -1.25f, 3.0f, 0.0f};
    lane->SweeperPose.O.up = {0.0f, 1.0f, 0.0f, 0.0f};
    lane->SweeperPose.O.right = {0.0f, 0.0f, -1.0f, 0.0f};
    const s32 before = lane->NumPhysFrames;
    EXPECT_EQ(SweepPins(*lane, 1), 0);
    const RefFrame_t& pose = lane->PhysOrientFrame[lane->PhysDataIndex[before]];
    EXPECT_EQ(pose.position.x, 2.5f);
    EXPECT_EQ(pose.position.y, -1.25f);
    EXPECT_EQ(pose.position.z, 179.5f);
    EXPECT_EQ(pose.O.up.y, 1.0f);
    EXPECT_EQ(pose.O.right.z, -1.0f);
    while (!SweepPins(*lane, 1)) {
    }
    EXPECT_EQ(lane->SweeperZCoord, 179.375f + 108 * 0.125f);
}

TEST_F(PinsetterSweep, SweptPinMovesWithTheBarAndIsRecordedBeforeTheSweeper) {
    auto lane = FinishedLane(LaneKind::Player, 0);
    LayPinDown(*lane, 3, 179.5f);
    lane->SweeperZCoord = 179.375f;
    const s32 before = lane->NumPhysFrames;
    EXPECT_EQ(SweepPins(*lane, 0), 0);
    EXPECT_EQ(lane->PhysPinsMask[before], PinBit(3) | FILM_SWEEPER_BIT);
    EXPECT_EQ(lane->PhysPins[3].state, ActivePin);
    const u16 first = lane->PhysDataIndex[before];
    EXPECT_GT(lane->PhysOrientFrame[first].position.z, 179.5f);
    EXPECT_EQ(lane->PhysOrientFrame[first + 1].position.z, 179.5f);  // the bar, after its step
    EXPECT_EQ(lane->OutputFramesUsed, first + 2);
}

TEST_F(PinsetterSweep, LiftedPinsStayWhileTheSweepRunsOnTheFirstBall) {
    auto lane = FinishedLane(LaneKind::Player, PinBit(4) | PinBit(9));
    while (!PickupPins(*lane)) {
    }
    LayPinDown(*lane, 0, 181.0f);
    s32 steps = 0;
    while (!SweepPins(*lane, 0))
        ASSERT_LT(++steps, 1000);
    EXPECT_EQ(lane->PhysPins[4].state, UntouchedPin);
    EXPECT_EQ(lane->PhysPins[9].state, UntouchedPin);
    EXPECT_LT(lane->PhysPins[4].position.y, -15.0f);
    EXPECT_GT(lane->PhysPins[0].position.z, 189.0f);  // the fallen pin went into the pit
}

TEST_F(PinsetterSweep, FullFilmTakesTheSweeperPoseInTheLastSlot) {
    auto lane = FinishedLane(LaneKind::Player, 0);
    lane->SweeperZCoord = 179.375f;
    lane->NumPhysFrames = PHYS_MAX_FRAMES - 1;
    lane->OutputFramesUsed = PHYS_MAX_POSES - 1;
    EXPECT_EQ(SweepPins(*lane, 0), 0);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->OutputFramesUsed, PHYS_MAX_POSES - 1);
    EXPECT_EQ(lane->PhysOrientFrame[PHYS_MAX_POSES - 1].position.z, 179.5f);
}

}  // namespace
