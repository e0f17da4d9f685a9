// The sphere query: face contacts with push-outs first, then the edges and
// corners of the polygons whose plane the sphere reached outside their face.
#include <algorithm>

#include "orblib47/source/CollisionQueryInternal.h"
#include "orblib47/source/Debug.h"

namespace {

constexpr f32 kFloorCos = 0.7071f;  // polygons within about 45 degrees of up

// Polygons whose plane the sphere touches outside their face, for the edge pass.
// distance holds the signed plane distance, flags 1 + the edge the centre's
// projection fell outside of.
s_collision_result Pending[COLLISION_MAX_PENDING];
s32 PendingCount;
bool PendingOverflowReported;

struct s_sphere_query {
    s_collision_list* list;
    f32 radius;
};

bool Facing(const s_cache_poly& poly, const s_Vector3& centerPos, const s_Vector3& up) {
    if (poly.flags & COLLISION_TRIGGER)
        return true;
    if (CollideDot(poly.normal, up) >= kFloorCos)
        return true;
    return CollideDot(CollideSub(centerPos, PolyCollideFirstThreeAverage(poly)), poly.normal) > 0.0f;
}

bool Full(const s_collision_list& list) {
    return list.count >= COLLISION_MAX_RESULTS;
}

void ReportFull() {
    DEBUG_PRINT("COLLIDE: Collision List Overflowed!\n");
}

// Adds a contact and, unless the polygon is a trigger, moves the centre out.
void Record(s_collision_list* list, const s_collision_result& contact) {
    list->result[list->count++] = contact;
    if (!(contact.cachePoly->flags & COLLISION_TRIGGER))
        list->pos = CollideAddScaled(list->pos, contact.movement, 1.0f);
}

bool WithinGrownBox(const s_cache_poly& poly, const s_Vector3& c, f32 r) {
    s_Vector3 lo = poly.coord[0];
    s_Vector3 hi = poly.coord[0];
    for (s32 i = 1; i < poly.vertCount; ++i) {
        const s_Vector3& p = poly.coord[i];
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z), 0.0f};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z), 0.0f};
    }
    return c.x >= lo.x - r && c.x <= hi.x + r && c.y >= lo.y - r && c.y <= hi.y + r && c.z >= lo.z - r &&
           c.z <= hi.z + r;
}

void AddPending(s_cache_poly* poly, f32 d, s32 edge) {
    if (PendingCount == COLLISION_MAX_PENDING) {
        if (!PendingOverflowReported)
            DEBUG_PRINT("Collide Pending Overflow!\n");
        PendingOverflowReported = true;
        return;
    }
    Pending[PendingCount++] = {u32(edge), 0, 0, d, {}, poly};
}

// The face test at the list's current centre.
void PolyCollideSphere(const s_sphere_query& q, s_cache_poly* poly) {
    const s_Vector3 c = q.list->pos;
    const f32 d = CollideDot(CollideSub(c, poly->coord[0]), poly->normal);
    if (d > q.radius || -d > q.radius)
        return;
    const s32 outside = PolyCollideInsideProjected(*poly, CollideAddScaled(c, poly->normal, -d));
    if (outside == 0) {
        if (Full(*q.list)) {
            ReportFull();
            return;
        }
        const f32 depth = q.radius - d;
        Record(q.list, {COLLISION_RESULT_FACE, 0, 0, depth, CollideAddScaled({}, poly->normal, depth), poly});
    } else if (WithinGrownBox(*poly, c, q.radius)) {
        AddPending(poly, d, outside);
    }
}

bool IsEdge(const s_collision_result& r) {
    return r.flags == COLLISION_RESULT_EDGE;
}

bool IsVertex(const s_collision_result& r) {
    return (r.flags & ~COLLISION_RESULT_COVERED) == COLLISION_RESULT_VERTEX;
}

bool SameEdge(const s_collision_result& r, const s_Vector3& a, const s_Vector3& b) {
    const s_Vector3& p = r.cachePoly->coord[r.p0];
    const s_Vector3& q = r.cachePoly->coord[r.p1];
    return (CollideSameVertex(p, a) && CollideSameVertex(q, b)) ||
           (CollideSameVertex(p, b) && CollideSameVertex(q, a));
}

// Whether the vertex is already an end of an edge contact or a vertex contact.
bool VertexReported(const s_collision_list& list, const s_Vector3& v) {
    for (s32 i = 0; i < list.count; ++i) {
        const s_collision_result& r = list.result[i];
        if (IsEdge(r) && (CollideSameVertex(r.cachePoly->coord[r.p0], v) ||
                          CollideSameVertex(r.cachePoly->coord[r.p1], v)))
            return true;
        if (IsVertex(r) && CollideSameVertex(r.cachePoly->coord[r.p0], v))
            return true;
    }
    return false;
}

bool EdgeReported(const s_collision_list& list, const s_Vector3& a, const s_Vector3& b) {
    for (s32 i = 0; i < list.count; ++i)
        if (IsEdge(list.result[i]) && SameEdge(list.result[i], a, b))
            return true;
    return false;
}

void MarkCoveredVertices(s_collision_list* list, const s_Vector3& a, const s_Vector3& b) {
    for (s32 i = 0; i < list->count; ++i) {
        s_collision_result& r = list->result[i];
        if (!IsVertex(r))
            continue;
        const s_Vector3& v = r.cachePoly->coord[r.p0];
        if (CollideSameVertex(v, a) || CollideSameVertex(v, b))
            r.flags |= COLLISION_RESULT_COVERED;
    }
}

// The edge-and-vertex test of one pending entry at the list's current centre.
void PolyCollideSphereEdgePoint(const s_sphere_query& q, const s_collision_result& entry) {
    s_cache_poly* poly = entry.cachePoly;
    const u32 e = entry.flags - 1;
    const u32 next = e + 1 < poly->vertCount ? e + 1 : 0;
    const s_Vector3& a = poly->coord[e];
    const s_Vector3& b = poly->coord[next];
    s_Vector3 move;
    const s32 kind = LineSegSphereIntersect(&a, &b, &q.list->pos, q.radius, &move);
    if (kind == SEGMENT_NO_CONTACT || Full(*q.list))
        return;
    const f32 depth = q.radius - entry.distance;
    if (kind == SEGMENT_EDGE) {
        if (EdgeReported(*q.list, a, b))
            return;
        MarkCoveredVertices(q.list, a, b);
        Record(q.list, {COLLISION_RESULT_EDGE, e, next, depth, move, poly});
        return;
    }
    const u32 vertex = kind == SEGMENT_FIRST_VERTEX ? e : next;
    if (VertexReported(*q.list, poly->coord[vertex]))
        return;
    Record(q.list, {COLLISION_RESULT_VERTEX, vertex, 0, depth, move, poly});
}

}  // namespace

s_collision_list* PolyCollideCheckSphereRef(s_collision_cache* cache, const s_Vector3* centerPos,
                                            const s_Vector3* up, const s_Vector3* pos, f32 radius, u32 flags,
                                            u32 mask, u32 exclusionMask) {
    s_collision_list* list = PolyCollideListPtrGet();
    list->pos = *pos;
    PendingCount = 0;
    PendingOverflowReported = false;
    if (cache != nullptr && (flags & POLY_COLLIDE_REFRESH))
        PolyCollideCacheSphere(cache, pos, radius);
    const s_sphere_query q = {list, radius};
    const s32 count = PolyCollideUsableCount(cache);
    for (s32 i = 0; i < count; ++i) {
        s_cache_poly* poly = &cache->polygons[i];
        if (PolyCollideSelected(*poly, mask, exclusionMask) && Facing(*poly, *centerPos, *up))
            PolyCollideSphere(q, poly);
    }
    for (s32 i = 0; i < PendingCount; ++i) {
        PolyCollideSphereEdgePoint(q, Pending[i]);
        if (Full(*list))
            ReportFull();
    }
    return list;
}
