// Shared by the collision queries: small vector helpers, polygon selection, the
// inside-polygon tests and the segment-sphere contact.
#pragma once

#include "orblib47/source/Collision.h"

// Tolerance of the inside-polygon tests.
constexpr f32 COLLIDE_POLY_EPS = 1.25e-05f;

inline s_Vector3 CollideSub(const s_Vector3& a, const s_Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0f};
}

inline s_Vector3 CollideAddScaled(const s_Vector3& a, const s_Vector3& d, f32 s) {
    return {a.x + d.x * s, a.y + d.y * s, a.z + d.z * s, 0.0f};
}

inline f32 CollideDot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline bool CollideSameVertex(const s_Vector3& a, const s_Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The average of a polygon's first three vertices.
inline s_Vector3 PolyCollideFirstThreeAverage(const s_cache_poly& poly) {
    const s_Vector3& a = poly.coord[0];
    const s_Vector3& b = poly.coord[1];
    const s_Vector3& c = poly.coord[2];
    const f32 third = 1.0f / 3.0f;
    return {(a.x + b.x + c.x) * third, (a.y + b.y + c.y) * third, (a.z + b.z + c.z) * third, 0.0f};
}

// A polygon takes part when its flags share a bit with mask and none with exclusion.
inline bool PolyCollideSelected(const s_cache_poly& poly, u32 mask, u32 exclusion) {
    return (poly.flags & mask) != 0 && (poly.flags & exclusion) == 0;
}

// The polygons a query may test: none for a missing or empty cache.
inline s32 PolyCollideUsableCount(const s_collision_cache* cache) {
    return cache != nullptr && cache->count > 0 ? cache->count : 0;
}

// 0 when p is on the inner side of every edge seen from the front, else 1 + the
// index of the first edge it is outside of. The full form uses the normal; the
// projected form the polygon's axis plane (a polygon without exactly one axis bit
// is inside everywhere).
s32 PolyCollideInsideFull(const s_cache_poly& poly, const s_Vector3& p);
s32 PolyCollideInsideProjected(const s_cache_poly& poly, const s_Vector3& p);

// Contact kinds of LineSegSphereIntersect.
constexpr s32 SEGMENT_NO_CONTACT = 0;
constexpr s32 SEGMENT_EDGE = 4;
constexpr s32 SEGMENT_FIRST_VERTEX = 0x10;
constexpr s32 SEGMENT_SECOND_VERTEX = 0x20;

// The sphere (c, r) against the segment a-b: the contact kind and, for a contact,
// the push-out that puts the sphere's surface on the nearest point. A segment of no
// length, or a push-out of zero, is no contact.
s32 LineSegSphereIntersect(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c, f32 r,
                           s_Vector3* move);
