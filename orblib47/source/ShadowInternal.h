// What the shadow drawing files share.
#pragma once

#include "orblib47/source/Collision.h"
#include "orblib47/source/Shadow.h"

// Receiver polygons held by both caches.
inline s32 ShadowCachePolygons(const s_shadow* p) {
    s32 count = 0;
    for (const s_collision_cache* cache : p->cacheList)
        if (cache != nullptr)
            count += cache->count;
    return count;
}

// 0..255 of a darkness 0..1.
inline u32 ShadowAlpha(f32 darkness) {
    const s32 a = s32(255.0f * darkness);
    return a < 0 ? 0u : a > 255 ? 255u : u32(a);
}
