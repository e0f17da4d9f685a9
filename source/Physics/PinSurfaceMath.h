// Measures, friction and table bins shared by the pin's contacts with the fixed
// surfaces and by the rocking pin.
#pragma once

#include <cmath>
#include <iterator>

#include "source/Physics/PhysicsTypes.h"
#include "source/Physics/PinTables.h"

namespace PinSurface {

// 1 + k |r|^2 for the pin's inverse inertia k across its axis: the divisor that turns
// a contact's approach into an impulse.
inline f64 EffectiveMassDivisor(f32 leverSquared) {
    return 1.0 + f64(1.151864f) * leverSquared;
}

// Size of (a, b) without a square root.
inline f64 OctagonalMeasure(f64 a, f64 b) {
    const f64 A = std::fabs(a);
    const f64 B = std::fabs(b);
    return A > B ? f64(0.9604f) * A + f64(0.3978f) * B : f64(0.9604f) * B + f64(0.3978f) * A;
}

// Velocity of the pin's material point at offset c from its centre of mass.
inline s_Vector3 PointVelocity(const PinData& pin, const s_Vector3& c) {
    s_Vector3 w{};
    Vect3Cross(&w, &pin.Omega, &c);
    w.x += pin.velocity.x;
    w.y += pin.velocity.y;
    w.z += pin.velocity.z;
    return w;
}

// Horizontal friction at a contact point sliding at w (size `slide`) under a normal
// impulse jn: the slide is stopped when it is slow enough to stick, else opposed.
// Sticking catches slide == 0 whenever jn > 0, so the division is safe there.
inline void FrictionImpulse(const s_Vector3& w, f64 slide, f64 jn, f64 muS, f64 muK, s_Vector3* impulse) {
    if (slide < muS * jn) {
        impulse->x = -w.x;
        impulse->z = -w.z;
    } else {
        const f64 scale = muK * jn / slide;
        impulse->x = f32(-scale * w.x);
        impulse->z = f32(-scale * w.z);
    }
}

// trunc(x) held to 0..last; the bounds are tested before the conversion so that no
// input, however wild (or NaN), indexes outside a table.
inline s32 TableBin(f64 x, s32 last) {
    if (!(x > 0.0))
        return 0;
    if (x >= last)
        return last;
    return s32(x);
}

// ContactOffset bin: 1/32 of (1 + up.y).
inline s32 ContactOffsetBin(f32 upY) {
    return TableBin(32.0f * (1.0f + upY), s32(std::size(ContactOffset)) - 1);
}

// Base-ring bin: 1/128 of (1 + up.y).
inline s32 WobbleRingBin(f32 upY) {
    return TableBin(128.0f * (1.0f + upY), s32(std::size(WobbleRingUp)) - 1);
}

// Normal-table bin of a point at offset r from the centre of mass: 1/16 unit of
// height above the pin's base.
inline s32 HeightBin(const s_Vector3& r, const s_Vector3& up) {
    const f32 along = r.x * up.x + r.y * up.y + r.z * up.z;
    return TableBin(16.0 * (along + 1.5), s32(std::size(NormTable1)) - 1);
}

}  // namespace PinSurface
