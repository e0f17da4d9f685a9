// The impulse primitives of every pin contact. An impulse is given as the pin's change
// of velocity (unit pin mass), applied at an offset from its centre of mass.
#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"

namespace {

// Added to the inverse inertia about the pin's own axis (7.111111 in all).
constexpr f32 kPinExtraAxialInvInertia = 5.959247f;

}  // namespace

void ApplyPinImpulse(LaneContext& lane, s32 pin, const s_Vector3* relContact, const s_Vector3* deltaV) {
    PinData& p = lane.PhysPins[pin];
    s_Vector3 deltaOmega;
    Vect3Cross(&deltaOmega, relContact, deltaV);
    p.Omega.x += PIN_INV_INERTIA * deltaOmega.x;
    p.Omega.y += PIN_INV_INERTIA * deltaOmega.y;
    p.Omega.z += PIN_INV_INERTIA * deltaOmega.z;
    p.velocity.x += deltaV->x;
    p.velocity.y += deltaV->y;
    p.velocity.z += deltaV->z;
}

void ApplySpinImpulse(LaneContext& lane, s32 pin, const s_Vector3* relContact, const s_Vector3* deltaV) {
    PinData& p = lane.PhysPins[pin];
    NormalizeVector(&p.O.up);
    s_Vector3 deltaOmega;
    Vect3Cross(&deltaOmega, relContact, deltaV);
    const f32 axial = kPinExtraAxialInvInertia * Dot3(deltaOmega, p.O.up);
    p.Omega.x += f64(axial) * p.O.up.x;
    p.Omega.y += f64(axial) * p.O.up.y;
    p.Omega.z += f64(axial) * p.O.up.z;
    ApplyPinImpulse(lane, pin, relContact, deltaV);
}
