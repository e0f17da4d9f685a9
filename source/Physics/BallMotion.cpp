// The ball's laws of motion: slip and hook, rotation, gutters, the pit and the back
// wall, and the force, integration and re-normalisation passes of a fine step.
#include "source/Physics/BallMotion.h"

#include <algorithm>
#include <cmath>

#include "source/Physics/Physics.h"

namespace {

constexpr f64 kInvBallRadius = f64(0.9356725f);
// Octagonal length estimate of (a, b), within 4 per cent, no square root.
constexpr f64 kOctMajor = f64(0.9604f);
constexpr f64 kOctMinor = f64(0.3978f);
constexpr f64 kGutterPushSpeed = f64(0.0020833f);  // per fine step
constexpr f64 kBackWallElasticity = f64(0.15f);
constexpr f64 kBallAtBackWallZ = f64(193.47812f);  // back wall less the radius
// A uniform sphere (rg^2 = 0.4 R^2), for a radius of gyration that cannot be used.
constexpr f64 kUniformSphereR2OverRg2 = 2.5;

f64 OctagonalLength(f64 a, f64 b) {
    return kOctMajor * std::max(a, b) + kOctMinor * std::min(a, b);
}

bool MovingPin(const PinData& pin) {
    return pin.state == ActivePin || pin.state == WobblePin;
}

void HalveGutterSpin(BallData_t& ball) {
    ball.VSpin.x *= 0.5f;
    ball.Omega.z *= 0.5f;
}

// A ball landed in a gutter runs down its side to the centre line and stays there.
void RollInGutter(BallData_t& ball, f64 g, bool left) {
    const f64 pushLimit = kGutterPushSpeed * (g / f64(PHYS_GRAVITY));
    s_Vector3& p = ball.position;
    s_Vector3& v = ball.velocity;
    if (left) {
        if (p.x <= LEFT_GUTTER_CENTRE_X) {
            p.x = LEFT_GUTTER_CENTRE_X;
            v.x = 0.0f;
            HalveGutterSpin(ball);
            return;
        }
        if (v.x > -pushLimit)
            v.x = f32(v.x - 0.5 * g);
        if (ball.VSpin.x < 0.0f)
            HalveGutterSpin(ball);
    } else {
        if (p.x >= RIGHT_GUTTER_CENTRE_X) {
            p.x = RIGHT_GUTTER_CENTRE_X;
            v.x = 0.0f;
            HalveGutterSpin(ball);
            return;
        }
        if (v.x < pushLimit)
            v.x = f32(v.x + 0.5 * g);
        if (ball.VSpin.x > 0.0f)
            HalveGutterSpin(ball);
    }
}

// A ball falling off the lane's edge: pushed out along the line from the edge while
// it overlaps it, so it rolls round the edge.
void FallIntoGutter(BallData_t& ball, f64 g, bool left) {
    s_Vector3& p = ball.position;
    s_Vector3& v = ball.velocity;
    v.y = f32(v.y + g);
    p.y += v.y;
    const f64 a = left ? -f64(p.x) : f64(p.x) - f64(LANE_RIGHT_EDGE);
    const f64 b = -f64(p.y);
    const f64 d = OctagonalLength(a, b);
    const f64 radius = f64(PHYS_BALL_RADIUS);
    if (d > 0.0 && d < radius) {
        const f64 k = (radius - d) / d;
        const f64 dx = left ? -a * k : a * k;
        p.x = f32(p.x + dx);
        p.y = f32(p.y - b * k);
        v.x = f32(v.x + dx);
        v.y = f32(v.y - b * k);
    } else if (left && p.x <= LEFT_GUTTER_CENTRE_X) {
        p.x = LEFT_GUTTER_CENTRE_X;
        v.x = 0.0f;
    } else if (!left && p.x >= RIGHT_GUTTER_CENTRE_X) {
        p.x = RIGHT_GUTTER_CENTRE_X;
        v.x = 0.0f;
    }
}

void AddCross(s_Vector3& v, const s_Vector3& w) {
    s_Vector3 turn;
    Vect3Cross(&turn, &w, &v);
    v.x += turn.x;
    v.y += turn.y;
    v.z += turn.z;
}

void IntegratePin(PinData& pin) {
    pin.position.x += pin.velocity.x;
    pin.position.y += pin.velocity.y;
    pin.position.z += pin.velocity.z;
    AddCross(pin.O.up, pin.Omega);
    AddCross(pin.O.right, pin.Omega);
    UpdatePinSpheres(pin);
}

f64 BallR2OverRG2For(f64 rg) {
    // A sphere's radius of gyration lies in (0, R]; clamping a small one to R / 10
    // keeps the spin change of a friction impulse within 100 times the ball's.
    if (!(rg > 0.0) || !std::isfinite(rg))
        return kUniformSphereR2OverRg2;
    const f64 radius = f64(PHYS_BALL_RADIUS);
    const f64 ratio = radius / std::clamp(rg, 0.1 * radius, radius);
    return ratio * ratio;
}

}  // namespace

void PlaceReleasedBall(BallData_t& ball, const BallData_t& shot, f32 loft) {
    const f64 radius = f64(PHYS_BALL_RADIUS);
    ball.position = {shot.position.x, BALL_ON_LANE_Y, shot.position.z, 0.0f};
    ball.mass = shot.mass;
    // The shot's speeds are per second; the coarse roll moves per 1/30 s.
    ball.velocity = {shot.velocity.x / 30.0f, loft, shot.velocity.z / 30.0f, 0.0f};
    ball.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
    ball.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
    ball.slip = 1;
    ball.visible = 1;
    ball.VSpin = {shot.VSpin.x, 0.0f, shot.VSpin.z, 0.0f};
    ball.Omega = {f32(ball.VSpin.z / radius), 0.0f, f32(-ball.VSpin.x / radius), 0.0f};
}

void SetThrowParameters(LaneContext& lane, f64 mu, f64 rg, u16 absorb, u16 flare, s32 rate, OilGrid oil,
                        ThrowType type) {
    lane.Oil = oil;
    lane.whichthrow = type;
    lane.BallMu = mu;
    lane.BallRG = rg;
    lane.BallR2OverRG2 = BallR2OverRG2For(rg);
    lane.BallOilAbsorb = absorb;
    lane.BallTrackFlare = u16(flare / 30);
    lane.BallAbsorbRate = rate;
}

void DoBallSlip(LaneContext& lane, f64 mu, f64 g) {
    BallData_t& ball = lane.PhysBall;
    // Velocity of the contact point.
    const f32 sx = ball.velocity.x + ball.VSpin.x;
    const f32 sz = ball.velocity.z + ball.VSpin.z;
    const f64 n = OctagonalLength(std::fabs(f64(sx)), std::fabs(f64(sz)));
    const f64 f = mu * g;
    f64 dvx;
    f64 dvz;
    if (f >= n || n == 0.0) {
        // The impulse takes the whole slip: from now on the ball rolls.
        dvx = -f64(sx);
        dvz = -f64(sz);
        ball.slip = 0;
    } else {
        dvx = sx * (-f / n);
        dvz = sz * (-f / n);
    }
    ball.velocity.x = f32(ball.velocity.x + dvx);
    ball.velocity.z = f32(ball.velocity.z + dvz);
    // The same impulse through the contact point, as surface speed and spin.
    dvx *= lane.BallR2OverRG2;
    dvz *= lane.BallR2OverRG2;
    ball.VSpin.x = f32(ball.VSpin.x + dvx);
    ball.VSpin.z = f32(ball.VSpin.z + dvz);
    ball.Omega.x = f32(ball.Omega.x + kInvBallRadius * dvz);
    ball.Omega.z = f32(ball.Omega.z - kInvBallRadius * dvx);
}

void DoBallRotate(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    // The ball's spin about the vertical is not used.
    const s_Vector3 w{ball.Omega.x, 0.0f, ball.Omega.z, 0.0f};
    AddCross(ball.O.up, w);
    AddCross(ball.O.right, w);
}

void DoGutterBall(LaneContext& lane, f64 g) {
    BallData_t& ball = lane.PhysBall;
    const bool left = ball.position.x < 0.0f;
    if (ball.position.y > BALL_IN_GUTTER_Y) {
        lane.FrameBallHitGutter = lane.NumPhysFrames;
        ball.position.y = BALL_IN_GUTTER_Y;
        ball.velocity.y = 0.0f;
    }
    if (lane.FrameBallHitGutter != 0)
        RollInGutter(ball, g, left);
    else
        FallIntoGutter(ball, g, left);
}

void DoBallPastEnd(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    if (ball.position.y > PIT_FLOOR_Y) {
        // The first drop onto the pit floor counts as reaching the back.
        if (lane.FrameBallHitsBackWall == 0)
            lane.FrameBallHitsBackWall = lane.NumPhysFrames;
        return;
    }
    ball.velocity.y += PHYS_GRAVITY;
    const f64 penetration = f64(ball.position.z) + f64(PHYS_BALL_RADIUS) - f64(BACK_WALL_Z);
    if (penetration >= 0.0) {
        ball.position.z = f32(kBallAtBackWallZ - kBackWallElasticity * penetration);
        ball.velocity.z = f32(-kBackWallElasticity * ball.velocity.z);
        lane.FrameBallHitsBackWall = lane.NumPhysFrames;
    }
}

void CalculateForces(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    const f32 x = ball.position.x;
    if (lane.FrameBallPastEnd != 0) {
        DoBallPastEnd(lane);
    } else if (ball.position.z > PIN_DECK_END_Z) {
        lane.FrameBallPastEnd = lane.NumPhysFrames;
        DoBallPastEnd(lane);
    } else if (BallOverLane(x)) {
        // Past the oiled part: dry-lane friction only, and none once the ball rolls.
        if (ball.slip)
            DoBallSlip(lane, lane.BallMu, f64(PHYS_GRAVITY));
    } else {
        DoGutterBall(lane, f64(PHYS_GRAVITY));
    }
    for (PinData& pin : lane.PhysPins)
        if (MovingPin(pin))
            pin.velocity.y += PHYS_GRAVITY;
}

void EulerIntegration(LaneContext& lane) {
    BallData_t& ball = lane.PhysBall;
    if (ball.visible) {
        // On the lane y is left alone; the gutter moves it itself.
        if (lane.FrameBallPastEnd != 0) {
            ball.position.y += ball.velocity.y;
            if (ball.position.y > PIT_FLOOR_Y)
                ball.visible = 0;
        }
        ball.position.x += ball.velocity.x;
        ball.position.z += ball.velocity.z;
        DoBallRotate(lane);
    }
    for (PinData& pin : lane.PhysPins)
        if (MovingPin(pin))
            IntegratePin(pin);
}

void OrthonormaliseOrientation(Orientation_t& o) {
    NormalizeVector(&o.up);
    const f32 d = o.up.x * o.right.x + o.up.y * o.right.y + o.up.z * o.right.z;
    o.right.x -= d * o.up.x;
    o.right.y -= d * o.up.y;
    o.right.z -= d * o.up.z;
    NormalizeVector(&o.right);
}

void NormalizeOrientVectors(LaneContext& lane) {
    OrthonormaliseOrientation(lane.PhysBall.O);
    for (PinData& pin : lane.PhysPins)
        if (MovingPin(pin))
            OrthonormaliseOrientation(pin.O);
}
