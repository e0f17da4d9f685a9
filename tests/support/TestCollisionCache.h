// A collision cache filled by hand, with room for `count` polygons behind its
// header as the cache module lays it out.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "orblib47/source/Collision.h"

class TestCollisionCache {
public:
    explicit TestCollisionCache(s32 count)
        : storage_(std::make_unique<std::byte[]>(sizeof(s_collision_cache) +
                                                 sizeof(s_cache_poly) * size_t(count - 1))) {
        static_assert(alignof(s_collision_cache) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
        cache_ = new (storage_.get()) s_collision_cache{};
        cache_->maxCount = s16(count);
    }

    s_collision_cache* get() const { return cache_; }

    s_cache_poly& Add(const std::vector<s_Vector3>& points, const s_Vector3& normal,
                      u16 flags = COLLISION_SHADOW_OBS) {
        s_cache_poly& poly = cache_->polygons[cache_->count++];
        poly = s_cache_poly{};
        for (size_t i = 0; i < points.size(); ++i)
            poly.coord[i] = points[i];
        poly.vertCount = u16(points.size());
        poly.normal = normal;
        poly.flags = flags;
        return poly;
    }
    // A square on the floor (y = 0) around (cx, cz), counter-clockwise seen from above.
    s_cache_poly& Floor(f32 cx, f32 cz, f32 half, u16 flags = COLLISION_SHADOW_OBS) {
        return Add({{cx - half, 0, cz - half, 0},
                    {cx - half, 0, cz + half, 0},
                    {cx + half, 0, cz + half, 0},
                    {cx + half, 0, cz - half, 0}},
                   {0, 1, 0, 0}, flags);
    }

private:
    std::unique_ptr<std::byte[]> storage_;
    s_collision_cache* cache_;
};
