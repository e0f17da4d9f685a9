// Collision caches laid out by the tests themselves: room for a given number of
// polygons behind the header, as the cache module lays it out, each polygon added
// from its corners (counter-clockwise seen from the front) with its normal, quad
// and axis bits worked out here.
#pragma once

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <memory>

#include "orblib47/source/Collision.h"

inline s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

class TestCollisionCache {
public:
    explicit TestCollisionCache(s32 capacity)
        : storage_(new std::byte[sizeof(s_collision_cache) + (capacity - 1) * sizeof(s_cache_poly)]()) {
        get()->maxCount = s16(capacity);
    }

    s_collision_cache* get() { return reinterpret_cast<s_collision_cache*>(storage_.get()); }
    s_cache_poly& poly(s32 i) { return get()->polygons[i]; }

    // flags without the quad and axis bits, which are set here.
    s_cache_poly& Add(std::initializer_list<s_Vector3> corners, u16 flags = COLLISION_PLAYER_OBS) {
        s_collision_cache* c = get();
        s_cache_poly& p = c->polygons[c->count++];
        p = {};
        for (const s_Vector3& corner : corners)
            p.coord[p.vertCount++] = corner;
        const s_Vector3 e1 = Sub(p.coord[1], p.coord[0]);
        const s_Vector3 e2 = Sub(p.coord[2], p.coord[0]);
        s_Vector3 n;
        Vect3Cross(&n, &e1, &e2);
        // Exact for level and upright polygons, so the tests can compare exactly.
        const f32 length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        p.normal = V(n.x / length, n.y / length, n.z / length);
        p.flags = u16(flags | (p.vertCount == 4 ? COLLISION_QUAD : 0) | Axis(p.normal));
        return p;
    }

    // A level quad at height y over x0..x1, z0..z1, facing up.
    s_cache_poly& Floor(f32 y, f32 x0, f32 x1, f32 z0, f32 z1, u16 flags = COLLISION_PLAYER_OBS) {
        return Add({V(x0, y, z0), V(x0, y, z1), V(x1, y, z1), V(x1, y, z0)}, flags);
    }
    // A shadow-receiving square on the ground (y = 0) around (cx, cz).
    s_cache_poly& Receiver(f32 cx, f32 cz, f32 half, u16 flags = COLLISION_SHADOW_OBS) {
        return Floor(0.0f, cx - half, cx + half, cz - half, cz + half, flags);
    }

private:
    static s_Vector3 Sub(const s_Vector3& a, const s_Vector3& b) {
        return V(a.x - b.x, a.y - b.y, a.z - b.z);
    }

    // The dominant component, ties going to x, then y.
    static u16 Axis(const s_Vector3& n) {
        const f32 ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
        if (ax >= ay && ax >= az)
            return n.x >= 0.0f ? COLLISION_AXIS_X : COLLISION_AXIS_X_NEG;
        if (ay >= az)
            return n.y >= 0.0f ? COLLISION_AXIS_Y : COLLISION_AXIS_Y_NEG;
        return n.z >= 0.0f ? COLLISION_AXIS_Z : COLLISION_AXIS_Z_NEG;
    }

    std::unique_ptr<std::byte[]> storage_;
};
