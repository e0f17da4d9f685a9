// What the polygon cache's files share: the fill stamp and the gathering of model
// collision faces into a box.
#pragma once

#include "orblib47/source/Collision.h"

struct s_model;

// Marks the cache as filled at the current game time.
void CollisionCacheStamp(s_collision_cache* cache);
// Completes the next free polygon, whose corners and normal are in place, and
// counts it in.
void CollisionCacheCommit(s_collision_cache* cache, u16 flags, u16 vertCount, s16 surface, s16 boneId,
                          s_INSTANCE* objectInstance);

// Faces of one model gathered into a cache, kept when they may touch [min, max].
struct s_collision_gather {
    s_collision_cache* cache;
    const s_model* model;
    const s_Matrix4* matrix;  // model to world; null when the model lies in world space
    s_Vector3 min, max;
};

// False when the requested box pos + minmax lies inside the filled one. Otherwise
// empties the cache for a fill about `pos` and gives the box to gather: the cache's
// own box moved to `pos`.
bool CollisionCacheStartFill(s_collision_cache* cache, const s_Vector3& pos, const s_Vector3* minmax,
                             s_Vector3* min, s_Vector3* max);
// The sphere through the box's corners: its radius, and its centre in `centre`.
f32 CollisionBoxSphere(const s_Vector3& min, const s_Vector3& max, s_Vector3* centre);
// Offers every face that may meet the box: through the collision octree of a model
// in world space when it has one, else all of them in index order.
void CollisionGatherModel(s_collision_gather* gather);

// Part of the warm reset: no world model, overflow warning armed again.
void CollisionWorldReset();
