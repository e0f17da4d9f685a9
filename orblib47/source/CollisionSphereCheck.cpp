// Testing two collision sets: a cheap cut along the line between the sets picks the
// spheres that can reach the other set, then the candidate pairs are tested as
// spheres and capsules.
#include <algorithm>

#include "orblib47/source/CollisionSphere.h"

namespace {

s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0f};
}

s_Vector3 AddScaled(const s_Vector3& a, const s_Vector3& d, f32 s) {
    return {a.x + d.x * s, a.y + d.y * s, a.z + d.z * s, 0.0f};
}

f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

f32 Clamp01(f32 v) {
    return std::clamp(v, 0.0f, 1.0f);
}

s_Vector3 Translation(const s_Matrix4& m) {
    return {m.element[3], m.element[7], m.element[11], 0.0f};
}

bool SphereSphere(const s_collision_sphere& a, const s_collision_sphere& b) {
    const f32 r = a.radius + b.radius;
    const s_Vector3 d = Sub(b.world, a.world);
    return Dot(d, d) <= r * r;
}

// Segment e1-e2 swept by radius r against the point s. A segment of no length is
// its first end (the cross product would call every point a contact).
bool CapsulePoint(const s_Vector3& e1, const s_Vector3& e2, f32 r, const s_Vector3& s) {
    const s_Vector3 d = Sub(e2, e1);
    const s_Vector3 fromStart = Sub(s, e1);
    if (Dot(fromStart, d) <= 0.0f)
        return Dot(fromStart, fromStart) <= r * r;
    const s_Vector3 toEnd = Sub(e2, s);
    if (Dot(toEnd, d) < 0.0f) {
        const s_Vector3 fromEnd = Sub(s, e2);
        return Dot(fromEnd, fromEnd) <= r * r;
    }
    s_Vector3 cross;
    Vect3Cross(&cross, &d, &fromStart);
    return Dot(cross, cross) <= r * r * Dot(d, d);
}

// The parameter (0..1) of the point of segment a1-a2 nearest to segment b1-b2. Where
// the lines' nearest point lies beyond b's ends (parallel lines included), the
// point of a nearest to that end is taken instead.
f32 NearestOnFirstSegment(const s_Vector3& a1, const s_Vector3& a2, const s_Vector3& b1,
                          const s_Vector3& b2) {
    const s_Vector3 da = Sub(a2, a1);
    const s_Vector3 db = Sub(b2, b1);
    const s_Vector3 r = Sub(a1, b1);
    const f32 aa = Dot(da, da);
    const f32 bb = Dot(db, db);
    if (aa == 0.0f)
        return 0.0f;
    const f32 c = Dot(da, r);
    if (bb == 0.0f)
        return Clamp01(-c / aa);
    const f32 ab = Dot(da, db);
    const f32 f = Dot(db, r);
    const f32 denom = aa * bb - ab * ab;
    const f32 s = denom > 0.0f ? Clamp01((ab * f - c * bb) / denom) : 0.0f;
    const f32 t = (ab * s + f) / bb;
    if (t < 0.0f)
        return Clamp01(-c / aa);
    if (t > 1.0f)
        return Clamp01((ab - c) / aa);
    return s;
}

// Capsules a1-a2 and b1-b2, each with its first end's radius.
bool CapsuleCapsule(const s_collision_sphere& a1, const s_collision_sphere& a2, const s_collision_sphere& b1,
                    const s_collision_sphere& b2) {
    const f32 s = NearestOnFirstSegment(a1.world, a2.world, b1.world, b2.world);
    const s_Vector3 nearest = AddScaled(a1.world, Sub(a2.world, a1.world), s);
    return CapsulePoint(b1.world, b2.world, b1.radius + a1.radius, nearest);
}

bool Touch(const s_collision_info& set0, const s_collision_sphere& a, const s_collision_info& set1,
           const s_collision_sphere& b) {
    const bool aCapsule = a.link != COLLISION_NO_LINK;
    const bool bCapsule = b.link != COLLISION_NO_LINK;
    if (aCapsule && bCapsule)
        return CapsuleCapsule(a, set0.sphereList[a.link], b, set1.sphereList[b.link]);
    if (aCapsule)
        return CapsulePoint(a.world, set0.sphereList[a.link].world, a.radius + b.radius, b.world);
    if (bCapsule)
        return CapsulePoint(b.world, set1.sphereList[b.link].world, b.radius + a.radius, a.world);
    return SphereSphere(a, b);
}

// Flags every sphere of the set for this check; returns the candidates.
u32 MarkCandidates(s_collision_info& set, f32 negOverlap, f32 posOverlap) {
    u32 count = 0;
    for (s_collision_sphere* s = set.sphereList; s != set.sphereList + set.numSpheres; ++s) {
        const bool reaches = s->radius != 0.0f && s->distance >= negOverlap && s->distance <= posOverlap;
        const bool candidate = reaches || s->link != COLLISION_NO_LINK;
        s->flags = candidate ? COLLISION_SPHERE_CHECK : COLLISION_SPHERE_NONE;
        count += candidate ? 1 : 0;
    }
    return count;
}

struct Reach {
    f32 front, back;
};

// How far a sphere, or the capsule it starts, reaches along the axis both ways. A
// capsule spans both ends with its first end's radius, as the capsule tests use it.
Reach ReachAlong(const s_collision_info& set, const s_collision_sphere& s, const s_Vector3& mid,
                 const s_Vector3& axis) {
    f32 low = Dot(Sub(s.world, mid), axis);
    f32 high = low;
    if (s.link != COLLISION_NO_LINK) {
        const f32 end = Dot(Sub(set.sphereList[s.link].world, mid), axis);
        low = std::min(low, end);
        high = std::max(high, end);
    }
    return {high + s.radius, low - s.radius};
}

bool HasExtent(const s_collision_sphere& s) {
    return s.radius != 0.0f || s.link != COLLISION_NO_LINK;
}

// Projects both sets on the line between their origins: a sphere of set 0 whose
// far side stays behind set 1's nearest sphere cannot touch it, and the other way
// round. Sets at the same place use the x axis; the cut holds along any axis.
u32 ChooseCandidates(s_collision_info& set0, s_collision_info& set1) {
    const s_Vector3 p0 = Translation(set0.world);
    const s_Vector3 p1 = Translation(set1.world);
    const s_Vector3 between = Sub(p1, p0);
    s_Vector3 axis = {1.0f, 0.0f, 0.0f, 0.0f};
    Vect3Normal(&axis, &between);
    const s_Vector3 mid = AddScaled(p0, between, 0.5f);

    f32 posOverlap = 0.0f;
    for (s_collision_sphere* s = set0.sphereList; s != set0.sphereList + set0.numSpheres; ++s) {
        if (!HasExtent(*s))
            continue;
        s->distance = ReachAlong(set0, *s, mid, axis).front;
        posOverlap = std::max(posOverlap, s->distance);
    }
    f32 negOverlap = 0.0f;
    for (s_collision_sphere* s = set1.sphereList; s != set1.sphereList + set1.numSpheres; ++s) {
        if (!HasExtent(*s))
            continue;
        s->distance = ReachAlong(set1, *s, mid, axis).back;
        negOverlap = std::min(negOverlap, s->distance);
    }
    set0.posOverlap = posOverlap;
    set0.negOverlap = negOverlap;
    return MarkCandidates(set0, negOverlap, posOverlap) + MarkCandidates(set1, negOverlap, posOverlap);
}

// A sphere already hit in this check stays a candidate, so every sphere that
// touches reports its group.
bool Candidate(const s_collision_sphere& s) {
    return s.flags == COLLISION_SPHERE_CHECK || s.flags == COLLISION_SPHERE_HIT;
}

}  // namespace

u32 CollisionCheck(s_collision_info* info0, s_collision_info* info1) {
    info0->collisions = 0;
    info1->collisions = 0;
    if (ChooseCandidates(*info0, *info1) == 0)
        return 0;
    u32 result0 = 0;
    u32 result1 = 0;
    for (s_collision_sphere* a = info0->sphereList; a != info0->sphereList + info0->numSpheres; ++a) {
        if (!Candidate(*a))
            continue;
        for (s_collision_sphere* b = info1->sphereList; b != info1->sphereList + info1->numSpheres; ++b) {
            if (!Candidate(*b) || !Touch(*info0, *a, *info1, *b))
                continue;
            if ((b->group & info1->mask) != 0) {
                a->flags = COLLISION_SPHERE_HIT;
                result0 |= a->group;
            }
            if ((a->group & info0->mask) != 0) {
                b->flags = COLLISION_SPHERE_HIT;
                result1 |= b->group;
            }
        }
    }
    info0->collisions = result0;
    info1->collisions = result1;
    return result0 | result1;
}
