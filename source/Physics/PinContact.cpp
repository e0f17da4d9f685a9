#include "source/Physics/PinContact.h"

#include <cmath>

namespace {

constexpr f64 kEstimateMajor = f64(0.9264f);
constexpr f64 kEstimateMinor = f64(0.3872f);
constexpr f64 kEstimateSwap = f64(0.5392f);  // major - minor

}  // namespace

bool EstimateContactDistance(const s_Vector3& d, f64 gateLimit, f64 limit, f64* dist) {
    const f32 ax = std::fabs(d.x);
    const f32 ay = std::fabs(d.y);
    const f32 az = std::fabs(d.z);
    if (ax > gateLimit) {
        return false;
    }
    const f32 major = az > ax ? az : ax;
    const f32 minor = az > ax ? ax : az;
    f64 e = kEstimateMajor * major + kEstimateMinor * minor;
    if (e > gateLimit) {
        return false;
    }
    if (ay <= major) {
        e = e + kEstimateMinor * ay;
    } else {
        e = e + kEstimateMajor * ay - kEstimateSwap * major;
    }
    if (e > limit) {
        return false;
    }
    *dist = e;
    return true;
}

s_Vector3 ProxyLever(const PinData& pin, const s_Vector3& centre, const s_Vector3& offset, f32 fraction) {
    return s_Vector3{centre.x + fraction * offset.x - pin.position.x,
                     centre.y + fraction * offset.y - pin.position.y,
                     centre.z + fraction * offset.z - pin.position.z, 0.0f};
}

void MovePinPose(PinData& pin, f64 steps) {
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

void MarkPinStruck(LaneContext& lane, s32 pin) {
    if (lane.PhysPins[pin].state != UntouchedPin) {
        return;
    }
    lane.PinsToOutput |= PinBit(pin);
    lane.FramePinStartWobble[pin] = lane.NumPhysFrames;
    lane.PhysPins[pin].state = WobblePin;
}
