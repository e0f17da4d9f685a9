// Polygon collision: per-mover caches of world-space polygons gathered from the
// level's collision world model, the current world's atoms and hierarchical
// models, and the line, trajectory and sphere queries answered against one cache.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_hmodel;
struct s_INSTANCE;
struct s_model;
struct s_model_mesh;
struct s_world;

// u_COLLISION_FLAGS: the layout of a model collision face's flags.
constexpr u16 COLLISION_QUAD = 0x8000;
constexpr u16 COLLISION_AXIS_X = 0x4000;
constexpr u16 COLLISION_AXIS_X_NEG = 0x2000;
constexpr u16 COLLISION_AXIS_Y = 0x1000;
constexpr u16 COLLISION_AXIS_Y_NEG = 0x0800;
constexpr u16 COLLISION_AXIS_Z = 0x0400;
constexpr u16 COLLISION_AXIS_Z_NEG = 0x0200;
constexpr u16 COLLISION_AXIS_MASK = 0x7E00;
constexpr u16 COLLISION_PLAYER_OBS = 0x0100;
constexpr u16 COLLISION_CAMERA_OBS = 0x0080;
constexpr u16 COLLISION_TRIGGER = 0x0040;
constexpr u16 COLLISION_SHADOW_OBS = 0x0020;
constexpr u16 COLLISION_PASS_THRU = 0x0010;
constexpr u16 COLLISION_LEDGE = 0x0008;
constexpr u16 COLLISION_ENEMY_OBS = 0x0004;
constexpr u16 COLLISION_PHYSICS_OBS = 0x0002;
constexpr u16 COLLISION_PLAYER_NOPHYSICS_OBS = 0x0001;

// s_collision_cache flags: the cache holds a valid fill.
constexpr s16 COLLISION_CACHE_FILLED = 1;

struct s_cache_poly {
    s_Vector3 coord[4];  // counter-clockwise seen from the side the normal points to
    s_Vector3 normal;
    u16 flags;  // u_COLLISION_FLAGS
    u16 vertCount;
    s16 surface;
    s16 boneId;
    s_model* model;
    s_model_mesh* mesh;
    s_INSTANCE* objectInstance;  // null for world polygons
};

struct s_collision_cache {
    s_Vector3 position;   // the point about which it was last filled
    s_Vector3 bounds[2];  // min, max as offsets from position
    s_Vector3 center;
    f32 radius;
    s16 flags;
    s16 count;
    s16 maxCount;
    f32 updateTime;            // GameTime of the last fill
    s_cache_poly polygons[1];  // maxCount of them, allocated behind the header
};

// Query flags.
constexpr u32 POLY_COLLIDE_REFRESH = 1;   // refresh the cache around the query first
constexpr u32 POLY_COLLIDE_BACKFACE = 4;  // line queries also hit polygons from behind

constexpr s32 COLLISION_MAX_RESULTS = 64;
constexpr s32 COLLISION_MAX_PENDING = 128;

// s_collision_result flags of sphere contacts.
constexpr u32 COLLISION_RESULT_COVERED = 1;  // a vertex contact a later edge covers
constexpr u32 COLLISION_RESULT_FACE = 2;
constexpr u32 COLLISION_RESULT_EDGE = 4;
constexpr u32 COLLISION_RESULT_VERTEX = 8;

struct s_collision_result {
    u32 flags;
    u32 p0;
    u32 p1;
    f32 distance;
    s_Vector3 movement;  // line and trajectory: the hit point; sphere: the push-out
    s_cache_poly* cachePoly;
};

struct s_collision_list {
    s_Vector3 pos;
    s32 count;
    s_collision_result result[COLLISION_MAX_RESULTS];
};

// The level's collision world model (null: none); set by the level, cleared by
// the warm reset.
extern s_model* CollisionWorldModel;

// Polygon cache.
void PolyCollideWarmReset(s32 maxcollvert, s32 maxcollnorm, s32 maxcollcache, s32 maxcollpoly);
s_collision_cache* PolyCollideCacheAllocSizeDebug(s32 count, const char* file, s32 line);
s_collision_cache* PolyCollideCacheAllocDebug(const char* file, s32 line);
#define PolyCollideCacheAllocSize(count) PolyCollideCacheAllocSizeDebug((count), __FILE__, __LINE__)
#define PolyCollideCacheAlloc() PolyCollideCacheAllocDebug(__FILE__, __LINE__)
void PolyCollideCacheFree(s_collision_cache* cache);
void PolyCollideCacheSetup(s_collision_cache* cache, const s_Vector3* min, const s_Vector3* max);
s_collision_cache* PolyCollideCache(s_collision_cache* cache, const s_Vector3* pos, const s_Vector3* minmax);
// The same refresh with a static world loaded: the collision world model's faces
// (when set), then those of each atom's current level-of-detail model.
s_collision_cache* PolyCollideCacheWorld(s_collision_cache* cache, const s_world* world, const s_Vector3* pos,
                                         const s_Vector3* minmax);
s_collision_cache* PolyCollideCacheSphere(s_collision_cache* cache, const s_Vector3* pos, f32 radius);
s_collision_cache* PolyCollideCacheLine(s_collision_cache* cache, const s_Vector3* pos,
                                        const s_Vector3* line);
s_collision_cache* PolyCollideCacheExtrudedSphere(s_collision_cache* cache, const s_Vector3* pos,
                                                  const s_Vector3* line, f32 radius);
s_collision_cache* PolyCollideCacheHModel(s_collision_cache* cache, s_hmodel* hmodel,
                                          s_INSTANCE* objectInstance);
s_collision_cache* PolyCollideCacheHModelBounds(s_collision_cache* cache, s_hmodel* hmodel,
                                                s_INSTANCE* objectInstance);
void PolyCollideCalcAxis(s_collision_cache* cache);
// The cache view draws only polygons whose flags meet this mask (initially all).
extern u32 COLLISION_POLY_DEBUG_DRAW_MASK;
void PolyCollideDebugDraw(const s_model* model);
void PolyCollideDebugDrawCache(const s_collision_cache* cache, s32 drawNormals);

// Queries. Each writes into the current result list, which the caller empties
// first with PolyCollideStart.
// The engine's own list made current again and emptied (the warm reset).
void PolyCollideQueryWarmReset();
s_collision_list* PolyCollideStart(s_collision_list* list);
s_collision_list* PolyCollideListPtrSet(s_collision_list* list);
s_collision_list* PolyCollideListPtrGet();
s_collision_list* PolyCollideCheckLine(s_collision_cache* cache, const s_Vector3* pos, const s_Vector3* line,
                                       u32 flags, u32 mask);
s_collision_list* PolyCollideCheckLineExclude(s_collision_cache* cache, const s_Vector3* pos,
                                              const s_Vector3* line, u32 flags, u32 mask, u32 exclusion_mask);
s_collision_list* PolyCollideCheckTrajectory(s_collision_cache* cache, const s_Vector3* pos,
                                             const s_Vector3* velocity, const s_Vector3* acceleration,
                                             u32 flags, u32 mask);
s_collision_list* PolyCollideCheckSphereRef(s_collision_cache* cache, const s_Vector3* centerPos,
                                            const s_Vector3* up, const s_Vector3* pos, f32 radius, u32 flags,
                                            u32 mask, u32 exclusionMask);
void PolyCollideDebugDrawList(const s_collision_list* list);
