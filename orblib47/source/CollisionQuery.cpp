// The result lists of the collision queries and the line query: the nearest
// polygon a segment crosses from its front (or either side on request).
#include <cmath>

#include "orblib47/source/CollisionQueryInternal.h"

namespace {

constexpr f32 kParallel = 0.001f;  // |N.dir| below this never hits

s_collision_list PolyCollideList;
s_collision_list* PolyCollideListPtr = &PolyCollideList;

}  // namespace

void PolyCollideQueryWarmReset() {
    PolyCollideList.count = 0;
    PolyCollideListPtr = &PolyCollideList;
}

s_collision_list* PolyCollideStart(s_collision_list* list) {
    if (list == nullptr)
        list = PolyCollideListPtr;
    list->count = 0;
    return list;
}

s_collision_list* PolyCollideListPtrSet(s_collision_list* list) {
    s_collision_list* previous = PolyCollideListPtr;
    PolyCollideListPtr = list;
    return previous;
}

s_collision_list* PolyCollideListPtrGet() {
    return PolyCollideListPtr;
}

s_collision_list* PolyCollideCheckLine(s_collision_cache* cache, const s_Vector3* pos, const s_Vector3* line,
                                       u32 flags, u32 mask) {
    return PolyCollideCheckLineExclude(cache, pos, line, flags, mask, 0);
}

s_collision_list* PolyCollideCheckLineExclude(s_collision_cache* cache, const s_Vector3* pos,
                                              const s_Vector3* line, u32 flags, u32 mask,
                                              u32 exclusion_mask) {
    s_collision_list* list = PolyCollideListPtr;
    if (cache != nullptr && (flags & POLY_COLLIDE_REFRESH))
        PolyCollideCacheLine(cache, pos, line);
    const s32 count = PolyCollideUsableCount(cache);
    s_Vector3 dir = CollideSub(line[1], line[0]);
    const f32 length2 = CollideDot(dir, dir);
    if (count == 0 || !(length2 > 0.0f))
        return list;
    Vect3Normal(&dir, &dir);
    for (s32 i = 0; i < count; ++i) {
        s_cache_poly& poly = cache->polygons[i];
        if (!PolyCollideSelected(poly, mask, exclusion_mask))
            continue;
        const f32 vd = CollideDot(poly.normal, dir);
        if (std::fabs(vd) < kParallel)
            continue;
        if (!(flags & POLY_COLLIDE_BACKFACE) && vd >= 0.0f)
            continue;
        const f32 t = -CollideDot(poly.normal, CollideSub(line[0], poly.coord[0])) / vd;
        if (t < 0.0f || t * t > length2)
            continue;
        if (list->count > 0 && list->result[0].distance <= t)
            continue;
        const s_Vector3 hit = CollideAddScaled(line[0], dir, t);
        if (PolyCollideInsideFull(poly, hit) != 0)
            continue;
        list->pos = hit;
        list->count = 1;
        list->result[0] = {0, 0, 0, t, hit, &poly};
    }
    return list;
}
