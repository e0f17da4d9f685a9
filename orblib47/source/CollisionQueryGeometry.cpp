// The geometric tests of the collision queries: point inside a polygon and the
// sphere against one polygon edge.
#include "orblib47/source/CollisionQueryInternal.h"

namespace {

// The coordinate plane of a polygon's dominant axis: the two components of the 2-D
// cross product and its sign.
struct s_axis_plane {
    s32 u, v;
    f32 sign;
};

bool AxisPlane(u16 flags, s_axis_plane* plane) {
    switch (flags & COLLISION_AXIS_MASK) {
        case COLLISION_AXIS_X:
            *plane = {1, 2, 1.0f};
            return true;
        case COLLISION_AXIS_X_NEG:
            *plane = {1, 2, -1.0f};
            return true;
        case COLLISION_AXIS_Y:
            *plane = {2, 0, 1.0f};
            return true;
        case COLLISION_AXIS_Y_NEG:
            *plane = {2, 0, -1.0f};
            return true;
        case COLLISION_AXIS_Z:
            *plane = {0, 1, 1.0f};
            return true;
        case COLLISION_AXIS_Z_NEG:
            *plane = {0, 1, -1.0f};
            return true;
        default:
            return false;
    }
}

f32 Component(const s_Vector3& p, s32 axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

const s_Vector3& EdgeEnd(const s_cache_poly& poly, s32 i) {
    return poly.coord[i + 1 < poly.vertCount ? i + 1 : 0];
}

}  // namespace

s32 PolyCollideInsideFull(const s_cache_poly& poly, const s_Vector3& p) {
    for (s32 i = 0; i < poly.vertCount; ++i) {
        const s_Vector3 edge = CollideSub(EdgeEnd(poly, i), poly.coord[i]);
        const s_Vector3 toPoint = CollideSub(p, poly.coord[i]);
        s_Vector3 cross;
        Vect3Cross(&cross, &edge, &toPoint);
        if (CollideDot(cross, poly.normal) < -COLLIDE_POLY_EPS)
            return i + 1;
    }
    return 0;
}

s32 PolyCollideInsideProjected(const s_cache_poly& poly, const s_Vector3& p) {
    s_axis_plane plane;
    if (!AxisPlane(poly.flags, &plane))
        return 0;
    for (s32 i = 0; i < poly.vertCount; ++i) {
        const s_Vector3& a = poly.coord[i];
        const s_Vector3& b = EdgeEnd(poly, i);
        const f32 eu = Component(b, plane.u) - Component(a, plane.u);
        const f32 ev = Component(b, plane.v) - Component(a, plane.v);
        const f32 pu = Component(p, plane.u) - Component(a, plane.u);
        const f32 pv = Component(p, plane.v) - Component(a, plane.v);
        if ((eu * pv - ev * pu) * plane.sign < -COLLIDE_POLY_EPS)
            return i + 1;
    }
    return 0;
}

s32 LineSegSphereIntersect(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c, f32 r,
                           s_Vector3* move) {
    s_Vector3 u = CollideSub(*b, *a);
    const f32 length = Vect3Normal(&u, &u);
    if (length == 0.0f)
        return SEGMENT_NO_CONTACT;
    const s_Vector3 w = CollideSub(*c, *a);
    const f32 s = CollideDot(w, u);
    const f32 ww = CollideDot(w, w);
    const f32 rr = r * r;
    if (ww - s * s >= rr)
        return SEGMENT_NO_CONTACT;
    s32 kind;
    s_Vector3 contact;
    if (s < 0.0f) {
        if (ww >= rr)
            return SEGMENT_NO_CONTACT;
        kind = SEGMENT_FIRST_VERTEX;
        contact = *a;
    } else if (s * s > length * length) {
        const s_Vector3 fromEnd = CollideSub(*c, *b);
        if (CollideDot(fromEnd, fromEnd) >= rr)
            return SEGMENT_NO_CONTACT;
        kind = SEGMENT_SECOND_VERTEX;
        contact = *b;
    } else {
        kind = SEGMENT_EDGE;
        contact = CollideAddScaled(*a, u, s);
    }
    // A centre on the contact point has no way out: the push-out stays zero.
    s_Vector3 out = {0.0f, 0.0f, 0.0f, 0.0f};
    const s_Vector3 away = CollideSub(*c, contact);
    Vect3Normal(&out, &away);
    *move = CollideSub(CollideAddScaled(contact, out, r), *c);
    if (move->x == 0.0f && move->y == 0.0f && move->z == 0.0f)
        return SEGMENT_NO_CONTACT;
    return kind;
}
