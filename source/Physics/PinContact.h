// Pieces shared by the contact answers of the ball and the pins: the square-root-free
// distance estimate, moving a pin's pose along its motion, and
// the record of a pin's first strike.
#pragma once

#include <cmath>

#include "source/Physics/LaneContext.h"

// Slowest approach that a contact answers, per fine step (2^-22).
constexpr f64 CONTACT_MIN_APPROACH = 2.384185791015625e-07;
constexpr f64 CONTACT_MAX_ROLLBACK = 2.0;
// 1 + restitution of ball-pin and pin-pin contacts.
constexpr f64 CONTACT_BOUNCE = f64(1.73f);
// A pin's inverse moment of inertia across its axis, per unit mass.
constexpr f32 PIN_INV_INERTIA = 1.151864f;

inline f32 Dot3(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Estimates |d| as 0.9264 x the largest component plus 0.3872 x each other one.
// |d.x| and the x-z estimate are held against gateLimit, the full estimate against
// limit; a value equal to a limit passes. Returns false when there is no contact.
// Inline, as every pair of pins takes it in every step.
inline bool EstimateContactDistance(const s_Vector3& d, f64 gateLimit, f64 limit, f64* dist) {
    constexpr f64 kMajor = f64(0.9264f);
    constexpr f64 kMinor = f64(0.3872f);
    constexpr f64 kSwap = f64(0.5392f);  // major - minor
    const f32 ax = std::fabs(d.x);
    const f32 ay = std::fabs(d.y);
    const f32 az = std::fabs(d.z);
    if (ax > gateLimit) {
        return false;
    }
    const f32 major = az > ax ? az : ax;
    const f32 minor = az > ax ? ax : az;
    f64 e = kMajor * major + kMinor * minor;
    if (e > gateLimit) {
        return false;
    }
    if (ay <= major) {
        e = e + kMinor * ay;
    } else {
        e = e + kMajor * ay - kSwap * major;
    }
    if (e > limit) {
        return false;
    }
    *dist = e;
    return true;
}

// Steps since a contact began: the overlap over the approach speed, at most 2.
inline f64 ContactRollback(f64 overlap, f64 approach) {
    return overlap >= 2.0 * approach ? CONTACT_MAX_ROLLBACK : overlap / approach;
}

// Lever of a contact on a collision sphere: from the pin's centre to the point
// `fraction` of the way along `offset` from the sphere's centre.
s_Vector3 ProxyLever(const PinData& pin, const s_Vector3& centre, const s_Vector3& offset, f32 fraction);

// Carries a pin's position and orientation over `steps` fine steps of its present
// motion (negative steps move it back). The collision spheres are left alone.
inline void MovePinPose(PinData& pin, f64 steps) {
    pin.position.x += steps * pin.velocity.x;
    pin.position.y += steps * pin.velocity.y;
    pin.position.z += steps * pin.velocity.z;
    s_Vector3 turn;
    Vect3Cross(&turn, &pin.Omega, &pin.O.up);
    pin.O.up.x += steps * turn.x;
    pin.O.up.y += steps * turn.y;
    pin.O.up.z += steps * turn.z;
    Vect3Cross(&turn, &pin.Omega, &pin.O.right);
    pin.O.right.x += steps * turn.x;
    pin.O.right.y += steps * turn.y;
    pin.O.right.z += steps * turn.z;
}

// An untouched pin that is struck starts to wobble and is recorded from now on.
void MarkPinStruck(LaneContext& lane, s32 pin);
