// The trajectory query: the earliest time a point under constant acceleration
// crosses a polygon, from either side.
#include <algorithm>
#include <cmath>
#include <limits>

#include "orblib47/source/CollisionQueryInternal.h"

namespace {

// The refresh asks for the box of the path's points at t = 0 and t = 4 as
// offsets from the start, grown by the speed's components.
void RefreshForPath(s_collision_cache* cache, const s_Vector3& pos, const s_Vector3& velocity,
                    const s_Vector3& acceleration) {
    const s_Vector3 path[2] = {{0.0f, 0.0f, 0.0f, 0.0f},
                               CollideAddScaled(CollideAddScaled({}, velocity, 4.0f), acceleration, 8.0f)};
    const f32 margin = std::fabs(velocity.x) + std::fabs(velocity.y) + std::fabs(velocity.z);
    PolyCollideCacheExtrudedSphere(cache, &pos, path, margin);
}

// The roots of a t^2 + b t + c = 0 in increasing order; false when there is none.
bool Roots(f32 a, f32 b, f32 c, f32* t1, f32* t2) {
    if (a == 0.0f) {
        if (b == 0.0f)
            return false;
        *t1 = *t2 = -c / b;
        return true;
    }
    const f32 discriminant = b * b - 4.0f * a * c;
    if (discriminant < 0.0f)
        return false;
    const f32 root = f32(OrbSqrt(discriminant));
    const f32 r1 = (-b - root) / (2.0f * a);
    const f32 r2 = (-b + root) / (2.0f * a);
    *t1 = std::min(r1, r2);
    *t2 = std::max(r1, r2);
    return true;
}

}  // namespace

s_collision_list* PolyCollideCheckTrajectory(s_collision_cache* cache, const s_Vector3* pos,
                                             const s_Vector3* velocity, const s_Vector3* acceleration,
                                             u32 flags, u32 mask) {
    s_collision_list* list = PolyCollideListPtrGet();
    list->pos = *pos;
    if (cache != nullptr && (flags & POLY_COLLIDE_REFRESH))
        RefreshForPath(cache, *pos, *velocity, *acceleration);
    const s32 count = PolyCollideUsableCount(cache);
    f32 best = std::numeric_limits<f32>::max();
    for (s32 i = 0; i < count; ++i) {
        s_cache_poly& poly = cache->polygons[i];
        if (!PolyCollideSelected(poly, mask, 0))
            continue;
        const f32 a = 0.5f * CollideDot(poly.normal, *acceleration);
        const f32 b = CollideDot(poly.normal, *velocity);
        const f32 c = CollideDot(poly.normal, *pos) - CollideDot(poly.normal, poly.coord[0]);
        f32 roots[2];
        if (!Roots(a, b, c, &roots[0], &roots[1]))
            continue;
        for (f32 t : roots) {
            if (!(t > 0.0f && t < best))
                continue;
            const s_Vector3 at =
                CollideAddScaled(CollideAddScaled(*pos, *velocity, t), *acceleration, 0.5f * t * t);
            if (PolyCollideInsideProjected(poly, at) != 0)
                continue;
            best = t;
            list->count = 1;
            list->result[0] = {0, 0, 0, t, at, &poly};
        }
    }
    return list;
}
