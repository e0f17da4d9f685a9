// Refreshing a collision cache from the level's collision world model: the
// containment test, the gathering of the faces around the cache's box and the
// volume refreshes built on them.
#include <algorithm>
#include <cmath>

#include "orblib47/source/CollisionCacheInternal.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/World.h"

s_model* CollisionWorldModel = nullptr;

namespace {

bool OverflowTold = false;  // the world-fill overflow warning prints once

// 1/2 below/above x, 4/8 for y, 16/32 for z.
u32 ClipCode(const s_Vector3& p, const s_Vector3& min, const s_Vector3& max) {
    const u32 x = p.x < min.x ? 1u : p.x > max.x ? 2u : 0u;
    const u32 y = p.y < min.y ? 4u : p.y > max.y ? 8u : 0u;
    const u32 z = p.z < min.z ? 16u : p.z > max.z ? 32u : 0u;
    return x | y | z;
}

s_Vector3 Add(const s_Vector3& a, const s_Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, 0.0f};
}

// The requested box pos + minmax lies inside the filled box (faces touching count).
bool Covers(const s_collision_cache* cache, const s_Vector3& pos, const s_Vector3* minmax) {
    if ((cache->flags & COLLISION_CACHE_FILLED) == 0)
        return false;
    const s_Vector3 lo = Add(pos, minmax[0]), hi = Add(pos, minmax[1]);
    const s_Vector3 filledLo = Add(cache->position, cache->bounds[0]);
    const s_Vector3 filledHi = Add(cache->position, cache->bounds[1]);
    return lo.x >= filledLo.x && lo.y >= filledLo.y && lo.z >= filledLo.z && hi.x <= filledHi.x &&
           hi.y <= filledHi.y && hi.z <= filledHi.z;
}

// Copies face `index` into the next free slot unless every corner lies outside the
// same side of the box.
void AddFace(s_collision_gather* g, s32 index) {
    s_collision_cache* cache = g->cache;
    if (cache->count >= cache->maxCount) {
        if (!OverflowTold)
            DEBUG_PRINT("AddCollisionPolyFunction: Warning - Cache Overflow\n");
        OverflowTold = true;
        return;
    }
    const s_model& model = *g->model;
    const s_model_collision_face& face = model.collisionFaceList[index];
    s_cache_poly& poly = cache->polygons[cache->count];
    const u16 corners = (face.flags & COLLISION_QUAD) != 0 ? 4 : 3;
    u32 outside = 63;
    for (u16 i = 0; i < corners; ++i) {
        const s_model_collision_vertex& v = model.collisionVertexList[face.vertIndex[i]];
        poly.coord[i] = {v.x, v.y, v.z, 0.0f};
        if (g->matrix != nullptr)
            Matrix4MultPoints(g->matrix, &poly.coord[i], &poly.coord[i], 1);
        outside &= ClipCode(poly.coord[i], g->min, g->max);
    }
    if (outside != 0)
        return;
    const s_Vector4& n = model.normalList[face.normalIndex];
    poly.normal = {n.x, n.y, n.z, 0.0f};
    if (g->matrix != nullptr) {
        Matrix4RotPoints(g->matrix, &poly.normal, &poly.normal, 1);
        Vect3Normal(&poly.normal, &poly.normal);
    }
    CollisionCacheCommit(cache, face.flags, corners, s16(face.surface), s16(face.boneId), nullptr);
}

void AddFaceFunc(s32 item, void* data, s32, const s_octtree_node*) {
    if (item >= 0)
        AddFace(static_cast<s_collision_gather*>(data), item);
}

}  // namespace

void CollisionWorldReset() {
    CollisionWorldModel = nullptr;
    OverflowTold = false;
}

bool CollisionCacheStartFill(s_collision_cache* cache, const s_Vector3& pos, const s_Vector3* minmax,
                             s_Vector3* min, s_Vector3* max) {
    if (Covers(cache, pos, minmax))
        return false;
    // The cache's own box about the new point is gathered, whatever was requested.
    *min = Add(cache->bounds[0], pos);
    *max = Add(cache->bounds[1], pos);
    cache->position = {pos.x, pos.y, pos.z, 0.0f};
    cache->count = 0;
    CollisionCacheStamp(cache);
    return true;
}

f32 CollisionBoxSphere(const s_Vector3& min, const s_Vector3& max, s_Vector3* centre) {
    *centre = {(min.x + max.x) * 0.5f, (min.y + max.y) * 0.5f, (min.z + max.z) * 0.5f, 0.0f};
    const f32 hx = (max.x - min.x) * 0.5f, hy = (max.y - min.y) * 0.5f, hz = (max.z - min.z) * 0.5f;
    return std::sqrt(hx * hx + hy * hy + hz * hz);
}

void CollisionGatherModel(s_collision_gather* g) {
    const s_model& model = *g->model;
    // A moved model's tree lies in its own space, away from the box.
    if (model.collisionOctTree == nullptr || g->matrix != nullptr) {
        for (s32 i = 0; i < model.numCollisionFaces; ++i)
            AddFace(g, i);
        return;
    }
    s_Vector3 centre;
    const f32 radius = CollisionBoxSphere(g->min, g->max, &centre);
    OctTreeSphere(model.collisionOctTree, &centre, radius, AddFaceFunc, g);
}

s_collision_cache* PolyCollideCache(s_collision_cache* cache, const s_Vector3* pos, const s_Vector3* minmax) {
    s_collision_gather gather{cache, CollisionWorldModel, nullptr, {}, {}};
    if (gather.model != nullptr && CollisionCacheStartFill(cache, *pos, minmax, &gather.min, &gather.max))
        CollisionGatherModel(&gather);
    return cache;
}

namespace {

// The volume refreshes gather from the static world's atoms too while one is loaded.
s_collision_cache* RefreshVolume(s_collision_cache* cache, const s_Vector3* pos, const s_Vector3* minmax) {
    if (const s_world* world = WorldGetWorld())
        return PolyCollideCacheWorld(cache, world, pos, minmax);
    return PolyCollideCache(cache, pos, minmax);
}

}  // namespace

s_collision_cache* PolyCollideCacheSphere(s_collision_cache* cache, const s_Vector3* pos, f32 radius) {
    const s_Vector3 minmax[2] = {{-radius, -radius, -radius, 0.0f}, {radius, radius, radius, 0.0f}};
    return RefreshVolume(cache, pos, minmax);
}

s_collision_cache* PolyCollideCacheLine(s_collision_cache* cache, const s_Vector3*, const s_Vector3* line) {
    const s_Vector3& a = line[0];
    const s_Vector3& b = line[1];
    const s_Vector3 lo = {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z), 0.0f};
    const s_Vector3 hi = {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z), 0.0f};
    const s_Vector3 centre = {(lo.x + hi.x) * 0.5f, (lo.y + hi.y) * 0.5f, (lo.z + hi.z) * 0.5f, 0.0f};
    const s_Vector3 minmax[2] = {{lo.x - centre.x, lo.y - centre.y, lo.z - centre.z, 0.0f},
                                 {hi.x - centre.x, hi.y - centre.y, hi.z - centre.z, 0.0f}};
    return RefreshVolume(cache, &centre, minmax);
}

s_collision_cache* PolyCollideCacheExtrudedSphere(s_collision_cache* cache, const s_Vector3* pos,
                                                  const s_Vector3* line, f32 radius) {
    const s_Vector3& a = line[0];
    const s_Vector3& b = line[1];
    const s_Vector3 minmax[2] = {
        {std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius, std::min(a.z, b.z) - radius, 0.0f},
        {std::max(a.x, b.x) + radius, std::max(a.y, b.y) + radius, std::max(a.z, b.z) + radius, 0.0f}};
    return RefreshVolume(cache, pos, minmax);
}
