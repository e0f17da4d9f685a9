// The state of one simulated lane: ball, pins, throw parameters, event frames and
// the film of poses. The player's lane is one instance; every computer bowler owns
// another. Members carry the names of the player's lane state.
#pragma once

#include "source/Physics/PhysicsTypes.h"

enum class LaneKind : u8 {
    Player,
    Computer,
};

// Where a computer lane behaves differently from the player's.
struct LaneRules {
    bool jitterRack;             // standing pins move up to 0.05 off their spots
    f32 parkingZ;                // where a pin out of play waits
    s32 pinActionCompleteDelay;  // frames after the back-wall frame
    bool resultKeptWhenRacking;  // the result survives until the next pin action ends
    f32 pickupLift;              // per pick-up step
    bool pickupSetsSweeperStart;
    bool sweepResetsBar;
    bool sweepStandingOnlyOnBallOne;  // else on any later ball
    bool sweepOneSidedReach;
    bool sweepRecordsFullPose;
};

extern const LaneRules PlayerLaneRules;
extern const LaneRules ComputerLaneRules;

struct LaneContext {
    explicit LaneContext(LaneKind laneKind) : kind(laneKind) {}
    const LaneRules& rules() const { return kind == LaneKind::Player ? PlayerLaneRules : ComputerLaneRules; }

    LaneKind kind;

    BallData_t PhysBall{};
    PinData PhysPins[NUM_PINS]{};

    // The film.
    PinMask PhysPinsMask[PHYS_MAX_FRAMES]{};
    u16 PhysDataIndex[PHYS_MAX_FRAMES]{};
    RefFrame_t PhysOrientFrame[PHYS_MAX_POSES]{};
    s32 NumPhysFrames = 0;
    u16 OutputFramesUsed = 0;
    u16 OutputFramesUsedSave = 0;
    s32 SamplesTilFrame = 0;
    s32 PhysicsDone = 0;
    PinMask PinsToOutput = 0;
    PinMask iPhysicsResult = 0;

    // Event frames: the film frame at which each happened, 0 while it has not.
    s32 FrameBallReachesArrows = 0;
    s32 FrameBallReachesPins = 0;
    s32 FrameBallHitGutter = 0;
    s32 FrameBallPastEnd = 0;
    s32 FrameBallHitsBackWall = 0;
    s32 FramePinActionComplete = 0;
    s32 FramePinsetterStarts = 0;
    s32 FrameSweepStarts = 0;
    s32 FramePinStartWobble[NUM_PINS]{};
    s32 FramePinActivates[NUM_PINS]{};

    // The ball's parameters for this throw, and the oil it carries between throws.
    f64 BallMu = 0.0;
    f64 BallRG = 0.0;
    f64 BallR2OverRG2 = 0.0;
    u16 BallOilAbsorb = 0;
    u16 BallTrackFlare = 0;
    s32 BallAbsorbRate = 0;
    u16 BallOil = 0;

    OilGrid Oil = nullptr;  // owned by the caller, depleted in place
    ThrowType whichthrow = TestThrow;
    f32 PhysCPUOilLength = 420.0f;  // inches
    f32 SweeperZCoord = 0.0f;
    // The sweeper's pose recorded by a computer lane's sweep (z replaced by the bar's).
    RefFrame_t SweeperPose{};
};

// The player's lane.
extern LaneContext PlayerLane;
