// Collision caches: allocation, the box a cache covers and the axis
// classification of the polygons it holds.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "orblib47/source/CollisionCacheInternal.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"

namespace {

s32 CollideCacheSize = 255;  // default capacity, from the configuration's maxcollpoly

f32 Length(const s_Vector3& a, const s_Vector3& b) {
    const f32 dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The bit of the dominant normal axis, ties going to X, then Y, then Z; 0 for a
// normal that is not a number.
u16 AxisOf(const s_Vector3& n) {
    const f32 ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ax >= ay && ax >= az)
        return n.x >= 0.0f ? COLLISION_AXIS_X : COLLISION_AXIS_X_NEG;
    if (ay >= ax && ay >= az)
        return n.y >= 0.0f ? COLLISION_AXIS_Y : COLLISION_AXIS_Y_NEG;
    if (az >= ax && az >= ay)
        return n.z >= 0.0f ? COLLISION_AXIS_Z : COLLISION_AXIS_Z_NEG;
    return 0;
}

}  // namespace

void PolyCollideWarmReset(s32, s32, s32, s32 maxcollpoly) {
    CollisionWorldReset();
    CollideCacheSize = maxcollpoly;
}

s_collision_cache* PolyCollideCacheAllocSizeDebug(s32 count, const char* file, s32 line) {
    if (count < 0 || count > INT16_MAX) {
        DEBUG_PRINT("PolyCollideCacheAlloc: Bad size %d\n", count);
        return nullptr;
    }
    const u32 size = u32(sizeof(s_collision_cache) + sizeof(s_cache_poly) * u32(std::max(count, 1) - 1));
    MemTypePush("MEM_COLL_CACHE");
    auto* cache = static_cast<s_collision_cache*>(HeapMalloc(size, file, line));
    MemTypePop();
    if (cache == nullptr)
        return nullptr;
    // The header starts defined (an empty box at the origin) so that every build
    // sees the same cache before its setup.
    std::memset(static_cast<void*>(cache), 0, offsetof(s_collision_cache, polygons));
    cache->maxCount = s16(count);
    return cache;
}

s_collision_cache* PolyCollideCacheAllocDebug(const char* file, s32 line) {
    return PolyCollideCacheAllocSizeDebug(CollideCacheSize, file, line);
}

void PolyCollideCacheFree(s_collision_cache* cache) {
    if (cache != nullptr)
        HeapMallocFree(cache);
}

void PolyCollideCacheSetup(s_collision_cache* cache, const s_Vector3* min, const s_Vector3* max) {
    cache->count = 0;
    cache->flags = 0;
    cache->position = {};
    cache->bounds[0] = *min;
    cache->bounds[1] = *max;
    cache->center = {(min->x + max->x) * 0.5f, (min->y + max->y) * 0.5f, (min->z + max->z) * 0.5f, 0.0f};
    const f32 toMax = Length(*max, cache->center), toMin = Length(*min, cache->center);
    cache->radius = toMax > toMin ? toMax : toMin;
}

void CollisionCacheStamp(s_collision_cache* cache) {
    cache->flags = COLLISION_CACHE_FILLED;
    cache->updateTime = GameTime;
}

void CollisionCacheCommit(s_collision_cache* cache, u16 flags, u16 vertCount, s16 surface, s16 boneId,
                          s_INSTANCE* objectInstance) {
    s_cache_poly& poly = cache->polygons[cache->count++];
    poly.flags = flags;
    poly.vertCount = vertCount;
    poly.surface = surface;
    poly.boneId = boneId;
    poly.model = nullptr;
    poly.mesh = nullptr;
    poly.objectInstance = objectInstance;
}

void PolyCollideCalcAxis(s_collision_cache* cache) {
    for (s32 i = 0; i < cache->count; ++i) {
        s_cache_poly& poly = cache->polygons[i];
        const u16 axis = AxisOf(poly.normal);
        if (axis == 0)
            DEBUG_PRINT("POLYCOLLIDE: Error unknown polygon axis!\n");
        poly.flags = u16((poly.flags & ~COLLISION_AXIS_MASK) | axis);
    }
}
