// Two pins against each other, proxy against proxy. How far apart the centres are and
// which end of each pin faces the other decide which proxy pairs are tested; every
// overlapping pair is answered on its own with a frictionless impulse.
#include <utility>

#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"
#include "source/Physics/PinSurfaceMath.h"
#include "source/Physics/PinTables.h"

namespace {

enum Proxy : u8 {
    Belly,   // about the centre of mass
    Bottom,  // collision sphere 0
    Head,    // about collision sphere 1
    Middle,  // collision sphere 2
};

struct ProxyShape {
    f32 radius;
    s32 sphere;  // collision sphere at the centre; -1 for the centre of mass
    const f64* profile;
};

constexpr ProxyShape kProxies[] = {
    {0.625f, -1, NormTable2},
    {0.5625f, 0, NormTable1},
    {0.4375f, 1, NormTable2},
    {0.3125f, 2, NormTable1},
};

// Where the contact point lies between two proxy centres, from proxy x's side.
constexpr f32 ContactFraction(Proxy x, Proxy y) {
    return kProxies[x].radius / (kProxies[x].radius + kProxies[y].radius);
}
static_assert(ContactFraction(Belly, Bottom) == 0.52631581f);
static_assert(ContactFraction(Bottom, Middle) == 0.64285713f);
static_assert(ContactFraction(Middle, Head) == 0.41666666f);

struct ProxyPair {
    Proxy first, second;
};

struct ProxyTests {
    s32 count;
    ProxyPair pairs[6];
};

// Proxy pairs by band (A to D, nearest first) and orientation case: bit 0 set when the
// second pin's centre lies toward the first pin's head, bit 1 the other way round.
constexpr s32 kBandCount = 4;
constexpr ProxyTests kBands[kBandCount][4] = {
    {
        {6,
         {{Belly, Bottom},
          {Bottom, Belly},
          {Bottom, Middle},
          {Bottom, Head},
          {Middle, Bottom},
          {Head, Bottom}}},
        {3, {{Belly, Bottom}, {Bottom, Bottom}, {Head, Head}}},
        {3, {{Bottom, Belly}, {Bottom, Bottom}, {Head, Head}}},
        {2, {{Bottom, Bottom}, {Head, Head}}},
    },
    {
        {0, {}},
        {2, {{Head, Belly}, {Head, Middle}}},
        {2, {{Belly, Head}, {Middle, Head}}},
        {4, {{Belly, Head}, {Head, Belly}, {Bottom, Head}, {Head, Bottom}}},
    },
    {
        {1, {{Bottom, Bottom}}},
        {1, {{Middle, Bottom}}},
        {1, {{Bottom, Middle}}},
        {1, {{Middle, Middle}}},
    },
    {
        {0, {}},
        {1, {{Head, Bottom}}},
        {1, {{Bottom, Head}}},
        {3, {{Head, Head}, {Head, Middle}, {Middle, Head}}},
    },
};

// Lower bounds of the centre estimate for bands B, C, D and the heads-only band.
constexpr f64 kBandBFrom = 2.125;
constexpr f64 kBandCFrom = 2.875;
constexpr f64 kBandDFrom = 3.0;
constexpr f64 kHeadsOnlyFrom = 3.75;
constexpr f64 kBelliesBelow = 1.25;
constexpr f64 kLargestCentreEstimate = 4.5;

// How far each pin can reach from its centre: a standing pin only with its belly, a
// rocking one not with its head as far as a free one.
f64 FirstPinReach(PinState state) {
    switch (state) {
        case UntouchedPin:
            return 0.625;
        case WobblePin:
            return f64(1.525f);
        default:
            return 2.25;
    }
}

f64 SecondPinReach(PinState state) {
    return state == WobblePin ? f64(1.525f) : 2.25;
}

const s_Vector3& ProxyCentre(const PinData& pin, Proxy proxy) {
    const s32 sphere = kProxies[proxy].sphere;
    return sphere < 0 ? pin.position : pin.collisionSpheres[sphere];
}

s_Vector3 Scaled(const s_Vector3& v, f32 s) {
    return s_Vector3{s * v.x, s * v.y, s * v.z, 0.0f};
}

void TestProxyPair(LaneContext& lane, s32 first, s32 second, ProxyPair pair) {
    const PinData& a = lane.PhysPins[first];
    const PinData& b = lane.PhysPins[second];
    const s_Vector3& centreA = ProxyCentre(a, pair.first);
    const s_Vector3& centreB = ProxyCentre(b, pair.second);
    s_Vector3 offset{centreB.x - centreA.x, centreB.y - centreA.y, centreB.z - centreA.z, 0.0f};
    const f64 rSum = f64(kProxies[pair.first].radius) + f64(kProxies[pair.second].radius);
    f64 dist;
    if (!EstimateContactDistance(offset, rSum, rSum, &dist)) {
        return;
    }
    const f32 fractionA = ContactFraction(pair.first, pair.second);
    const f32 fractionB = ContactFraction(pair.second, pair.first);
    s_Vector3 leverA =
        pair.first == Belly ? Scaled(offset, fractionA) : ProxyLever(a, centreA, offset, fractionA);
    s_Vector3 leverB =
        pair.second == Belly ? Scaled(offset, -fractionB) : ProxyLever(b, centreB, offset, -fractionB);
    PinPinCollision(lane, first, second, dist, rSum, &offset, &leverA, &leverB, kProxies[pair.first].profile,
                    kProxies[pair.second].profile);
}

// `value` rounded to float and read back from memory. The optimiser may not see
// through a volatile read, so a float that is rounded here and widened again later
// stays rounded. GCC 12 at -O3 pairs the x and y of two bends in a row into vectors
// and folds the vector "narrow to float, widen to double" away as if it were exact:
// the second bend then starts from the unrounded sum of the first.
f32 RoundedToFloat(f64 value) {
    volatile f32 stored = f32(value);
    return stored;
}

// Bends the contact direction by the pin profile at the contact's height; the
// direction is rounded to float before the next bend reads it.
void BendByProfile(s_Vector3* direction, const PinData& pin, const s_Vector3& lever, const f64* profile,
                   f64 scale) {
    const f64 bend = scale * profile[PinSurface::HeightBin(lever, pin.O.up)];
    direction->x = RoundedToFloat(direction->x + bend * pin.O.up.x);
    direction->y = RoundedToFloat(direction->y + bend * pin.O.up.y);
    direction->z = RoundedToFloat(direction->z + bend * pin.O.up.z);
}

f32 LeverArmSquared(const s_Vector3& lever, const s_Vector3& n) {
    s_Vector3 arm;
    Vect3Cross(&arm, &lever, &n);
    return Dot3(arm, arm);
}

}  // namespace

void DetectPinPinCollision(LaneContext& lane, s32 pin1, s32 pin2) {
    // The more upright pin goes first: untouched before wobbling before free.
    const PinState state2 = lane.PhysPins[pin2].state;
    if ((state2 == UntouchedPin || state2 == WobblePin) && lane.PhysPins[pin1].state != UntouchedPin) {
        std::swap(pin1, pin2);
    }
    const PinData& first = lane.PhysPins[pin1];
    const PinData& second = lane.PhysPins[pin2];
    const f64 reach = FirstPinReach(first.state) + SecondPinReach(second.state);
    s_Vector3 offset{second.position.x - first.position.x, second.position.y - first.position.y,
                     second.position.z - first.position.z, 0.0f};
    f64 centreEstimate;
    if (!EstimateContactDistance(offset, reach, kLargestCentreEstimate, &centreEstimate)) {
        return;
    }
    if (centreEstimate >= kHeadsOnlyFrom) {
        TestProxyPair(lane, pin1, pin2, {Head, Head});
        return;
    }
    if (centreEstimate < kBelliesBelow) {
        s_Vector3 leverA = Scaled(offset, 0.5f);
        s_Vector3 leverB = Scaled(offset, -0.5f);
        PinPinCollision(lane, pin1, pin2, centreEstimate, kBelliesBelow, &offset, &leverA, &leverB,
                        NormTable2, NormTable2);
    }
    const f32 towardHead1 = Dot3(offset, first.O.up);
    const f32 towardHead2 = -Dot3(offset, second.O.up);
    const s32 ocase = (towardHead1 > 0.0f ? 1 : 0) + (towardHead2 > 0.0f ? 2 : 0);
    const s32 entryBand = centreEstimate >= kBandDFrom   ? 3
                          : centreEstimate >= kBandCFrom ? 2
                          : centreEstimate >= kBandBFrom ? 1
                                                         : 0;
    for (s32 band = entryBand; band < kBandCount; ++band) {
        const ProxyTests& tests = kBands[band][ocase];
        for (s32 t = 0; t < tests.count; ++t) {
            TestProxyPair(lane, pin1, pin2, tests.pairs[t]);
        }
    }
}

void PinPinCollision(LaneContext& lane, s32 pin1, s32 pin2, f64 dist, f64 rSum, s_Vector3* radVect,
                     s_Vector3* cVect1, s_Vector3* cVect2, const f64* normP1, const f64* normP2) {
    PinData& a = lane.PhysPins[pin1];
    PinData& b = lane.PhysPins[pin2];
    const s_Vector3 line = *radVect;
    const f64 scalef = dist / rSum;
    BendByProfile(radVect, a, *cVect1, normP1, scalef);
    BendByProfile(radVect, b, *cVect2, normP2, -scalef);
    FastNormalizeVector(radVect);
    s_Vector3& n = *radVect;

    const s_Vector3 pointA = PinSurface::PointVelocity(a, *cVect1);
    const s_Vector3 pointB = PinSurface::PointVelocity(b, *cVect2);
    const s_Vector3 relVel{pointA.x - pointB.x, pointA.y - pointB.y, pointA.z - pointB.z, 0.0f};
    f64 closing = Dot3(relVel, n);
    // Coinciding proxy centres (dist 0) have no line between them to fall back on.
    if (closing <= CONTACT_MIN_APPROACH && dist > 0.0) {
        n.x = f32(line.x / dist);
        n.y = f32(line.y / dist);
        n.z = f32(line.z / dist);
        closing = Dot3(relVel, n);
    }
    if (closing <= CONTACT_MIN_APPROACH) {
        // A pair that is already parting is left to part: pulling it back together
        // would hold overlapping pins stuck to each other. The touch still counts.
        MarkPinStruck(lane, pin1);
        return;
    }

    f64 rollback = 0.0;
    const f64 alongLine = Dot3(relVel, line);
    if (alongLine > CONTACT_MIN_APPROACH) {
        rollback = dist * (rSum - dist) / alongLine;
        if (rollback > CONTACT_MAX_ROLLBACK) {
            rollback = CONTACT_MAX_ROLLBACK;
        } else if (rollback <= CONTACT_MIN_APPROACH) {
            rollback = 0.0;
        }
    }
    if (rollback > 0.0) {
        MovePinPose(a, -rollback);
        MovePinPose(b, -rollback);
    }

    // Unit masses: the inverse masses sum to 2.
    const f64 k = 2.0 + f64(PIN_INV_INERTIA) * LeverArmSquared(*cVect1, n) +
                  f64(PIN_INV_INERTIA) * LeverArmSquared(*cVect2, n);
    const f64 impulse = CONTACT_BOUNCE * closing / k;
    const s_Vector3 deltaV{f32(impulse * n.x), f32(impulse * n.y), f32(impulse * n.z), 0.0f};
    const s_Vector3 reaction{-deltaV.x, -deltaV.y, -deltaV.z, 0.0f};
    ApplyPinImpulse(lane, pin2, cVect2, &deltaV);
    ApplyPinImpulse(lane, pin1, cVect1, &reaction);

    if (rollback > 0.0) {
        MovePinPose(a, rollback);
        MovePinPose(b, rollback);
        UpdatePinSpheres(a);
        UpdatePinSpheres(b);
    }
    MarkPinStruck(lane, pin1);
}
