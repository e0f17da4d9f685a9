// Impulses of a pin's contact proxy against a fixed surface: frictionless against
// walls and edges, with friction against a floor below. Each answered contact is
// resolved at the moment of touching: the pose is rolled back by the time since the
// contact, the impulse applied and the pose rolled forward again.
#include <algorithm>

#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"
#include "source/Physics/PinSurfaceMath.h"

using namespace PinSurface;

void PinWallCollision(LaneContext& lane, s32 pin, f64 dist, f64 r, f64 elas, s_Vector3* radVect,
                      s_Vector3* cVect) {
    PinData& p = lane.PhysPins[pin];
    const s_Vector3& m = *radVect;
    const s_Vector3& c = *cVect;
    const s_Vector3 w = PointVelocity(p, c);
    const f64 approach = Dot3(w, m);
    if (!(approach > CONTACT_MIN_APPROACH))
        return;

    const f64 t = ContactRollback(r - dist, approach);
    MovePinPose(p, -t);
    s_Vector3 arm;
    Vect3Cross(&arm, &c, &m);
    const f64 j = (1.0 + elas) * approach / EffectiveMassDivisor(Dot3(arm, arm));
    const s_Vector3 impulse{f32(-j * m.x), f32(-j * m.y), f32(-j * m.z), 0.0f};
    ApplyPinImpulse(lane, pin, cVect, &impulse);
    MovePinPose(p, t);
    UpdatePinSpheres(p);
}

void PinFloorCollision(LaneContext& lane, s32 pin, f64 dist, f64 r, f64 elas, f64 muS, f64 muK,
                       s_Vector3* cVect) {
    PinData& p = lane.PhysPins[pin];
    const s_Vector3& c = *cVect;
    const s_Vector3 w = PointVelocity(p, c);
    const f64 approach = w.y;
    const f64 depth = r - dist;
    const f64 effective = EffectiveMassDivisor(c.x * c.x + c.z * c.z);

    if (approach > CONTACT_MIN_APPROACH) {
        const f64 t = ContactRollback(depth, approach);
        MovePinPose(p, -t);
        // A slow landing is pushed out by at least its depth, so it cannot creep in.
        const f64 jn = (1.0 + elas) * approach / effective;
        s_Vector3 impulse{0.0f, f32(-(jn < f64(PHYS_GRAVITY) ? std::max(jn, depth / effective) : jn)), 0.0f,
                          0.0f};
        FrictionImpulse(w, OctagonalMeasure(w.x, w.z), jn, muS, muK, &impulse);
        ApplySpinImpulse(lane, pin, cVect, &impulse);
        MovePinPose(p, t);
        UpdatePinSpheres(p);
    } else if (approach > dist - r && -approach < f64(PHYS_GRAVITY)) {
        // Resting or leaving slowly: cancel at most one step of gravity, never more than the depth.
        const s_Vector3 support{0.0f, f32(-std::min(f64(PHYS_GRAVITY) + approach, depth)), 0.0f, 0.0f};
        ApplyPinImpulse(lane, pin, cVect, &support);
    }
}
