// A struck pin still standing on its base rocks on the lowest point of its base
// ring until it tips too far or its ring leaves the lane surface.
#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PinSurfaceMath.h"
#include "source/Physics/PinTables.h"

using namespace PinSurface;

namespace {

// up.y at which a rocking pin has tipped too far to stay on its base (about 36.87
// degrees from upright).
constexpr f32 kTippingLimit = -0.8f;
constexpr f64 kRingMuS = 0.13;
constexpr f64 kRingMuK = 0.09;

void FreePin(LaneContext& lane, s32 pin) {
    lane.PhysPins[pin].state = ActivePin;
    lane.FramePinActivates[pin] = lane.NumPhysFrames;
    DetectPinWallCollision(lane, pin);
}

}  // namespace

void DoWobblePin(LaneContext& lane, s32 pin) {
    PinData& p = lane.PhysPins[pin];
    const s_Vector3& u = p.O.up;
    if (!(u.y < kTippingLimit)) {
        FreePin(lane, pin);
        return;
    }

    // The ring's lowest point, from the centre of mass and on the lane.
    const s32 k = WobbleRingBin(u.y);
    const s_Vector3 r{f32(WobbleRingUp[k] * u.x), f32(WobbleRingUp[k] * u.y + WobbleRingDown[k]),
                      f32(WobbleRingUp[k] * u.z), 0.0f};
    const s_Vector3 ring{p.position.x + r.x, p.position.y + r.y, p.position.z + r.z, 0.0f};
    if (ring.y < -PHYS_GRAVITY || ring.x < 0.0f || ring.x > LANE_RIGHT_EDGE || ring.z > PIN_DECK_END_Z) {
        // Lifted off, or over a gutter or the pit.
        FreePin(lane, pin);
        return;
    }
    if (ring.y <= 0.0f)
        return;

    // The ring is ring.y into the lane: push it out, with friction at the ring.
    const f64 j = ring.y / EffectiveMassDivisor(r.x * r.x + r.z * r.z);
    const s_Vector3 w = PointVelocity(p, r);
    const f64 slide = OctagonalMeasure(w.x, w.z);
    if (slide != 0.0) {
        s_Vector3 impulse{0.0f, f32(-j), 0.0f, 0.0f};
        FrictionImpulse(w, slide, j, kRingMuS, kRingMuK, &impulse);
        ApplySpinImpulse(lane, pin, &r, &impulse);
    }
    p.position.y -= ring.y;
}
