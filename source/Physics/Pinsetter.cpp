// The pinsetter: the standing pins are lifted on the first ball of a frame, then the
// sweeper bar pushes what it reaches into the pit. One film frame per step.
#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsWorld.h"

namespace {

constexpr f32 kSweeperStartZ = 179.375f;
constexpr f32 kSweeperEndZ = 192.796875f;
constexpr f32 kSweeperStep = 0.125f;  // also the speed it gives a swept pin
constexpr f32 kPickupDoneY = -15.0f;
constexpr f32 kSweepClearanceY = -3.75f;  // pins this high pass over the bar
constexpr f64 kSweepReach = 0.625;

bool ReachesTwoSided(f64 bar, f64 pinZ, f64 reach) {
    return bar - reach < pinZ && pinZ < bar + reach;
}

// The computer lanes' bar also takes everything lying behind it.
bool ReachesOneSided(f64 bar, f64 pinZ, f64 reach) {
    return pinZ - reach < bar;
}

void SweepPin(PinData& pin) {
    pin.state = ActivePin;
    pin.velocity.y += PHYS_GRAVITY;
    pin.velocity.z = kSweeperStep;
    pin.position.x += pin.velocity.x;
    pin.position.y += pin.velocity.y;
    pin.position.z += pin.velocity.z;
    s_Vector3 turnUp;
    s_Vector3 turnRight;
    Vect3Cross(&turnUp, &pin.Omega, &pin.O.up);
    Vect3Cross(&turnRight, &pin.Omega, &pin.O.right);
    pin.O.up.x += turnUp.x;
    pin.O.up.y += turnUp.y;
    pin.O.up.z += turnUp.z;
    pin.O.right.x += turnRight.x;
    pin.O.right.y += turnRight.y;
    pin.O.right.z += turnRight.z;
    UpdatePinSpheres(pin);
}

}  // namespace

s32 PickupPins(LaneContext& lane) {
    const LaneRules& rules = lane.rules();
    lane.PinsToOutput = 0;
    bool lifted = false;
    f32 lastY = -1.5f;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        PinData& pin = lane.PhysPins[i];
        if (pin.state != UntouchedPin && pin.state != WobblePin)
            continue;
        lane.PinsToOutput |= PinBit(i);
        pin.state = UntouchedPin;  // a rocking pin is held still
        pin.position.y -= rules.pickupLift;
        UpdatePinSpheres(pin);
        lastY = pin.position.y;
        lifted = true;
    }

    if (lifted) {
        OutputFrame(lane);
        if (!(lastY < kPickupDoneY))
            return 0;
    }
    if (rules.pickupSetsSweeperStart)
        lane.SweeperZCoord = kSweeperStartZ;
    return 1;
}

s32 CheckSweepPin(const LaneContext& lane, s32 pin, f32 z, u16 ball) {
    const LaneRules& rules = lane.rules();
    const PinData& p = lane.PhysPins[pin];
    switch (p.state) {
        case InactivePin:
            return 0;
        case UntouchedPin:
        case WobblePin:
            if (rules.sweepStandingOnlyOnBallOne ? ball != 1 : ball < 1)
                return 0;
            break;
        case ActivePin:
            break;
    }
    if (p.position.y <= kSweepClearanceY)
        return 0;

    const auto reaches = rules.sweepOneSidedReach ? ReachesOneSided : ReachesTwoSided;
    if (reaches(z, p.position.z, kSweepReach))
        return 1;
    for (s32 k = 0; k < 3; ++k) {
        if (reaches(z, p.collisionSpheres[k].z, PinCollisionSphereRadius[k]))
            return 1;
    }
    return 0;
}

s32 SweepPins(LaneContext& lane, u16 ball) {
    const LaneRules& rules = lane.rules();
    lane.PinsToOutput = 0;
    bool swept = false;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        if (!CheckSweepPin(lane, i, lane.SweeperZCoord, ball))
            continue;
        lane.PinsToOutput |= PinBit(i);
        SweepPin(lane.PhysPins[i]);
        swept = true;
    }
    lane.SweeperZCoord += kSweeperStep;

    if (!swept && lane.SweeperZCoord >= kSweeperEndZ) {
        if (rules.sweepResetsBar)
            lane.SweeperZCoord = kSweeperStartZ;
        return 1;
    }

    NormalizeOrientVectors(lane);
    CollisionDetection(lane);
    lane.PinsToOutput |= FILM_SWEEPER_BIT;
    OutputFrame(lane);
    // The player's film keeps only the bar's z; a computer lane records its full pose.
    RefFrame_t sweeper = rules.sweepRecordsFullPose ? lane.SweeperPose : RefFrame_t{};
    sweeper.position.z = lane.SweeperZCoord;
    AppendPose(lane, sweeper);
    return 0;
}
