// The lane's world: racking, the start of a throw, the fine-step driver and the
// lane's results.
#include "source/Physics/PhysicsWorld.h"

#include <algorithm>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/Physics.h"

const LaneRules PlayerLaneRules = {
    .jitterRack = true,
    .parkingZ = 194.546875f,
    .pinActionCompleteDelay = 240,
    .resultKeptWhenRacking = false,
    .pickupLift = 0.1f,
    .pickupSetsSweeperStart = true,
    .sweepResetsBar = true,
    .sweepStandingOnlyOnBallOne = false,
    .sweepOneSidedReach = false,
    .sweepRecordsFullPose = false,
};

const LaneRules ComputerLaneRules = {
    .jitterRack = false,
    .parkingZ = 189.046875f,
    .pinActionCompleteDelay = 360,
    .resultKeptWhenRacking = true,
    .pickupLift = 0.025f,
    .pickupSetsSweeperStart = false,
    .sweepResetsBar = false,
    .sweepStandingOnlyOnBallOne = true,
    .sweepOneSidedReach = true,
    .sweepRecordsFullPose = true,
};

LaneContext PlayerLane(LaneKind::Player);

const f64 PinCollisionSphereRadius[3] = {0.5625f, 0.335f, 0.3125f};
const f32 PinCollisionSphereOffset[3] = {-0.9375f, 1.8125f, 1.0f};

// clang-format off
const s_Matrix4 PhysLaneTransform = {{
    -1.0f, 0.0f, 0.0f, 1.738f,
    0.0f, -1.0f, 0.0f, 0.0f,
    0.0f, 0.0f, 1.0f, -11.175f,
    0.0f, 0.0f, 0.0f, 1.0f,
}};
// clang-format on

namespace {

constexpr f32 kPinRestY = -1.5f;
constexpr f32 kPinRowSpacing = 2.598075f;
constexpr f32 kBallLoft = -0.13402778f;  // upward speed at release, per coarse step
constexpr s32 kFineStepsAfterBackWall = 720;

// Rack spot of each pin: x = 5.25 + 1.5 column, z = 180 + row spacing x row.
struct RackSpot {
    s32 column;
    s32 row;
};
constexpr RackSpot kRack[NUM_PINS] = {{0, 0}, {-1, 1}, {1, 1},  {-2, 2}, {0, 2},
                                      {2, 2}, {-3, 3}, {-1, 3}, {1, 3},  {3, 3}};

f32 DrawSign() {
    return (OrbRand() & 1) ? 1.0f : -1.0f;
}

f32 DrawTurnComponent() {
    return f32(1.0 - (OrbRand() % 16) * 0.125);
}

void DrawTurn(s_Vector3& right) {
    right.y = 0.0f;
    if (OrbRand() & 1) {
        right.x = DrawTurnComponent();
        right.z = DrawSign();
    } else {
        right.x = DrawSign();
        right.z = DrawTurnComponent();
    }
    NormalizeVector(&right);
}

// A re-racked pin keeps its turn about the axis; a pin that rocked has to be levelled
// and brought back to unit length, and one that never had a turn gets the default.
void KeepTurn(s_Vector3& right) {
    if (right.y == 0.0f && (right.x != 0.0f || right.z != 0.0f))
        return;
    right.y = 0.0f;
    if (right.x == 0.0f && right.z == 0.0f)
        right = {-1.0f, 0.0f, 0.0f, 0.0f};
    else
        NormalizeVector(&right);
}

// A pin's place in the rack, moved by a jitter.
s_Vector3 RackSpotMoved(s32 i, f64 jx, f64 jz) {
    return {f32(5.25 + 1.5 * kRack[i].column + jx), kPinRestY,
            f32(180.0 + f64(kPinRowSpacing) * kRack[i].row + jz), 0.0f};
}

f64 DrawJitter() {
    return (OrbRand() % 11 - 5) / 100.0;
}

void StandPin(LaneContext& lane, s32 i, PinMask pins, s32 randomTurn) {
    PinData& pin = lane.PhysPins[i];
    pin.state = UntouchedPin;
    pin.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
    if (randomTurn)
        DrawTurn(pin.O.right);
    else if (pins == PIN_MASK_ALL)
        pin.O.right = {-1.0f, 0.0f, 0.0f, 0.0f};
    else
        KeepTurn(pin.O.right);
    pin.velocity = {};
    pin.Omega = {};

    f64 jx = 0.0;
    f64 jz = 0.0;
    if (lane.rules().jitterRack) {
        jx = DrawJitter();
        jz = DrawJitter();
    }
    const s_Vector3 spot = RackSpotMoved(i, jx, jz);
    pin.position.x = spot.x;
    pin.position.y = spot.y;
    pin.position.z = spot.z;
    UpdatePinSpheres(pin);
}

void ParkPin(LaneContext& lane, s32 i) {
    PinData& pin = lane.PhysPins[i];
    pin.state = InactivePin;
    pin.position.x = 5.25f;
    pin.position.y = 4.25f;
    pin.position.z = lane.rules().parkingZ;
}

// Common to both lane kinds: the film restarts after the rack frame and the ball is
// put on the foul line as released.
void ReleaseBall(LaneContext& lane, const BallData_t& ball) {
    lane.NumPhysFrames = 1;
    lane.OutputFramesUsed = lane.OutputFramesUsedSave;
    // The restarted film has room again, even if a preview filled it.
    lane.PhysicsDone = 0;

    PlaceReleasedBall(lane.PhysBall, ball, kBallLoft);

    lane.FrameBallHitGutter = 0;
    lane.FrameBallPastEnd = 0;
    lane.FrameBallHitsBackWall = 0;
}

}  // namespace

PinMask StandingPins(const LaneContext& lane) {
    PinMask standing = 0;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const PinState state = lane.PhysPins[i].state;
        if (state == UntouchedPin || state == WobblePin)
            standing |= PinBit(i);
    }
    return standing;
}

void CompletePinAction(LaneContext& lane, s32 frame) {
    lane.FramePinActionComplete = frame;
    lane.iPhysicsResult = StandingPins(lane);
    lane.PhysicsDone = 1;
}

s_Vector3 PinRackSpot(s32 pin) {
    return RackSpotMoved(pin, 0.0, 0.0);
}

void SetupPins(LaneContext& lane, PinMask pins, s32 randomTurn) {
    lane.NumPhysFrames = 0;
    lane.OutputFramesUsed = 0;
    lane.PhysicsDone = 0;
    lane.PinsToOutput = pins;
    if (!lane.rules().resultKeptWhenRacking)
        lane.iPhysicsResult = pins;
    if (lane.kind == LaneKind::Computer) {
        // A computer lane clears its throw's event frames with the rack.
        lane.FramePinActionComplete = 0;
        lane.FramePinsetterStarts = 0;
        lane.FrameSweepStarts = 0;
    }

    for (s32 i = 0; i < NUM_PINS; ++i) {
        if (pins & PinBit(i))
            StandPin(lane, i, pins, randomTurn);
        else
            ParkPin(lane, i);
        lane.FramePinStartWobble[i] = 0;
        lane.FramePinActivates[i] = 0;
    }
    lane.PhysBall.visible = 0;

    NormalizeOrientVectors(lane);
    OutputFrame(lane);
    lane.OutputFramesUsedSave = lane.OutputFramesUsed;
}

s32 StartPhysics(LaneContext& lane, const BallData_t* ball, f64 mu, f64 rg, u16 absorb, u16 flare, s32 rate,
                 OilGrid oil, ThrowType type) {
    ReleaseBall(lane, *ball);
    SetThrowParameters(lane, mu, rg, absorb, flare, rate, oil, type);
    lane.FramePinActionComplete = 0;
    lane.FrameBallReachesPins = 0;

    InitialBallRoll(lane);
    if (lane.PhysicsDone)
        return 0;
    HandOverToFineSteps(lane);
    return 1;
}

s32 StartComputerPhysics(LaneContext& lane, const BallData_t* ball) {
    ReleaseBall(lane, *ball);
    lane.PinsToOutput = 0;
    OutputFrame(lane);
    return lane.PhysicsDone ? 0 : 1;
}

s32 RunPhysics(LaneContext& lane) {
    CalculateForces(lane);
    EulerIntegration(lane);
    NormalizeOrientVectors(lane);
    CollisionDetection(lane);

    if (--lane.SamplesTilFrame <= 0) {
        OutputFrame(lane);
        lane.SamplesTilFrame = 1;
        if (lane.FrameBallHitsBackWall != 0 &&
            lane.NumPhysFrames - lane.FrameBallHitsBackWall >= kFineStepsAfterBackWall)
            CompletePinAction(lane, lane.FrameBallHitsBackWall + lane.rules().pinActionCompleteDelay);
    }
    return lane.PhysicsDone ? 0 : 1;
}

PinMask GetPhysicsResult(const LaneContext& lane) {
    return lane.iPhysicsResult;
}

s32 GetFrameFirstPinStruck(const LaneContext& lane) {
    s32 first = 99999;
    for (s32 frame : lane.FramePinStartWobble) {
        if (frame > 0)
            first = std::min(first, frame);
    }
    return first == 99999 ? -1 : first;
}

s_Vector3 PhysicsToWorldSpace(const s_Vector3* p) {
    s_Matrix4 toLane;
    Matrix4CreateTranslate(&toLane, PHYS_WORLD_SCALE * p->x, PHYS_WORLD_SCALE * p->y,
                           PHYS_WORLD_SCALE * p->z);
    s_Matrix4 world;
    Matrix4MultMatrix4x4(&world, &toLane, &PhysLaneTransform);
    return {world.at(0, 3), world.at(1, 3), world.at(2, 3), 0.0f};
}
