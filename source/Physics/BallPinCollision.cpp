// The ball against one pin: a standing pin is met as an upright body, a moving pin (or
// one reached from over a gutter) through its belly, bottom and head proxies. Every
// answered contact rolls the bodies back over the overlap, exchanges a frictionless
// impulse and rolls them forward again.
#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"
#include "source/Physics/PinSurfaceMath.h"
#include "source/Physics/PinTables.h"

namespace {

// The pin's weight on the scale of the ball's mass, and its inertia across the axis.
constexpr f64 kPinWeight = 3.5;
constexpr f32 kPinInertia = 0.86815804f;

// Standing pin: upright body of this radius, met a fixed height above the ball's centre.
constexpr f32 kStandingRadius = 0.5875f;
constexpr f64 kStandingRsum = f64(1.65625f);
constexpr f32 kStandingOffsetY = -0.056249976f;
constexpr f32 kStandingLeverY = 0.37656248f;

constexpr f64 kBoundRsum = f64(3.31875f);      // reaches the pin's top
constexpr f64 kLowerGateRsum = f64(2.56875f);  // reaches the pin's base
constexpr f64 kBellyRsum = f64(1.69375f);
constexpr f32 kBellyLever = 0.36900368f;
constexpr f64 kBottomRsum = f64(1.63125f);
constexpr f32 kBottomLever = 0.3448276f;
constexpr f64 kHeadRsum = f64(1.50625f);
constexpr f32 kHeadLever = 0.2904564f;

constexpr f32 kLaneLeft = 0.0f;
constexpr f32 kLaneRight = 10.5f;

void MoveBall(BallData_t& ball, f64 steps) {
    ball.position.x += steps * ball.velocity.x;
    ball.position.y += steps * ball.velocity.y;
    ball.position.z += steps * ball.velocity.z;
}

// The frictionless impulse of the ball on the pin at lever r along the unit normal n:
// the ball's horizontal velocity changes by -3.5 j n, the pin's by mass j n.
void ExchangeImpulse(LaneContext& lane, s32 pin, const s_Vector3& r, const s_Vector3& n, f64 approach) {
    BallData_t& ball = lane.PhysBall;
    const f32 mass = f32(ball.mass);
    s_Vector3 turn;
    Vect3Cross(&turn, &r, &n);
    const f32 scalef = (mass / kPinInertia) * Dot3(turn, turn);
    const f64 impulse = CONTACT_BOUNCE * approach / ((kPinWeight + mass) + scalef);
    ball.velocity.x -= kPinWeight * impulse * n.x;
    ball.velocity.z -= kPinWeight * impulse * n.z;
    const f64 pinShare = mass * impulse;
    s_Vector3 deltaV{};
    deltaV.x = f32(pinShare * n.x);
    deltaV.y = f32(pinShare * n.y);
    deltaV.z = f32(pinShare * n.z);
    ApplyPinImpulse(lane, pin, &r, &deltaV);
}

void StandingPinContact(LaneContext& lane, s32 pinnum) {
    BallData_t& ball = lane.PhysBall;
    PinData& pin = lane.PhysPins[pinnum];
    const s_Vector3 offset{pin.position.x - ball.position.x, kStandingOffsetY,
                           pin.position.z - ball.position.z, 0.0f};
    f64 dist;
    if (!EstimateContactDistance(offset, kStandingRsum, kStandingRsum, &dist)) {
        return;
    }
    // The estimate is at least 0.3872 x the fixed vertical offset, never 0.
    s_Vector3 n{};
    n.x = f32(offset.x / dist);
    n.y = f32(offset.y / dist);
    n.z = f32(offset.z / dist);
    const f64 approach = Dot3(ball.velocity, n);
    if (approach <= CONTACT_MIN_APPROACH) {
        return;
    }
    const f64 rollback = ContactRollback(kStandingRsum - dist, approach);
    MoveBall(ball, -rollback);
    const s_Vector3 lever{kStandingRadius * n.x, kStandingLeverY, kStandingRadius * n.z, 0.0f};
    ExchangeImpulse(lane, pinnum, lever, n, approach);
    MoveBall(ball, rollback);
    MovePinPose(pin, rollback);
    UpdatePinSpheres(pin);
    MarkPinStruck(lane, pinnum);
    ball.slip = 1;
}

void TestSphereProxy(LaneContext& lane, s32 pinnum, s32 sphere, f64 rSum, f32 leverFraction,
                     const f64* norms) {
    const PinData& pin = lane.PhysPins[pinnum];
    const s_Vector3& centre = pin.collisionSpheres[sphere];
    const s_Vector3& ballPos = lane.PhysBall.position;
    s_Vector3 offset{centre.x - ballPos.x, centre.y - ballPos.y, centre.z - ballPos.z, 0.0f};
    f64 dist;
    if (!EstimateContactDistance(offset, rSum, rSum, &dist)) {
        return;
    }
    s_Vector3 lever = ProxyLever(pin, centre, offset, leverFraction);
    BallPinCollision(lane, pinnum, dist, rSum, &offset, &lever, norms);
}

void MovingPinContact(LaneContext& lane, s32 pinnum) {
    const PinData& pin = lane.PhysPins[pinnum];
    const s_Vector3& ballPos = lane.PhysBall.position;
    s_Vector3 offset{pin.position.x - ballPos.x, pin.position.y - ballPos.y, pin.position.z - ballPos.z,
                     0.0f};
    f64 dist;
    if (!EstimateContactDistance(offset, kBoundRsum, kBoundRsum, &dist)) {
        return;
    }
    if (dist <= kLowerGateRsum) {
        if (dist <= kBellyRsum) {
            s_Vector3 lever{kBellyLever * offset.x, kBellyLever * offset.y, kBellyLever * offset.z, 0.0f};
            BallPinCollision(lane, pinnum, dist, kBellyRsum, &offset, &lever, NormTable2);
        }
        TestSphereProxy(lane, pinnum, 0, kBottomRsum, kBottomLever, NormTable1);
    }
    TestSphereProxy(lane, pinnum, 1, kHeadRsum, kHeadLever, NormTable2);
}

}  // namespace

void DetectBallPinCollision(LaneContext& lane, s32 pin) {
    const f32 ballX = lane.PhysBall.position.x;
    if (lane.PhysPins[pin].state == UntouchedPin && ballX >= kLaneLeft && ballX <= kLaneRight) {
        StandingPinContact(lane, pin);
    } else {
        MovingPinContact(lane, pin);
    }
}

void BallPinCollision(LaneContext& lane, s32 pin, f64 dist, f64 rSum, s_Vector3* radVect, s_Vector3* cVect,
                      const f64* norms) {
    BallData_t& ball = lane.PhysBall;
    PinData& p = lane.PhysPins[pin];
    const f32 height = Dot3(*cVect, p.O.up);
    const s32 bin = PinSurface::TableBin(16.0 * (((0.5625 + height) + 1.5) - 0.5625), 63);
    radVect->x += norms[bin] * p.O.up.x;
    radVect->y += norms[bin] * p.O.up.y;
    radVect->z += norms[bin] * p.O.up.z;
    // A zero normal is left zero and so never approaches: no contact is answered.
    FastNormalizeVector(radVect);
    const s_Vector3& n = *radVect;

    s_Vector3 surfaceTurn;
    Vect3Cross(&surfaceTurn, cVect, &p.Omega);
    const s_Vector3 relVel{(ball.velocity.x - p.velocity.x) + surfaceTurn.x,
                           (ball.velocity.y - p.velocity.y) + surfaceTurn.y,
                           (ball.velocity.z - p.velocity.z) + surfaceTurn.z, 0.0f};
    const f64 approach = Dot3(relVel, n);
    if (approach <= CONTACT_MIN_APPROACH) {
        return;
    }
    const f64 rollback = ContactRollback(rSum - dist, approach);
    MoveBall(ball, -rollback);
    MovePinPose(p, -rollback);
    ExchangeImpulse(lane, pin, *cVect, n, approach);
    MoveBall(ball, rollback);
    MovePinPose(p, rollback);
    UpdatePinSpheres(p);
    ball.slip = 1;
    MarkPinStruck(lane, pin);
}
