// What the polygon cache's files share: the fill stamp and the gathering of model
// collision faces into a box.
#pragma once

#include "orblib47/source/Collision.h"

struct s_model;

// Marks the cache as filled at the current game time.
void CollisionCacheStamp(s_collision_cache* cache);

// Faces of one model gathered into a cache, kept when they may touch [min, max].
struct s_collision_gather {
    s_collision_cache* cache;
    const s_model* model;  // in world space
    s_Vector3 min, max;
};

// Offers every face that may meet the box: through the model's collision octree
// when it has one, else all of them in index order.
void CollisionGatherModel(s_collision_gather* gather);

// Part of the warm reset: no world model, overflow warning armed again.
void CollisionWorldReset();
