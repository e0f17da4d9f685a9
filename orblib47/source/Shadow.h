// Shadows of moving things on the level geometry around them: a projected shadow
// renders the thing's hierarchical models from a light into the projection texture
// and subtracts it from the receiver polygons of its collision caches; a blob
// shadow lays a textured quad on the ground under each of up to five bones.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_collision_cache;
struct s_hmodel;
struct s_model;
struct s_stdrec;
struct s_textproj_parms;
struct s_texture;

// u_shadow_flags: lightDistance and lightMaxDistance replace the module defaults.
constexpr u32 SHADOW_LIGHT_DISTANCE_VALID = 0x80000000u;

constexpr s32 SHADOW_MAX_CACHES = 2;
constexpr s32 SHADOW_MAX_MODELS = 6;
constexpr s32 SHADOW_MAX_BLOB_BONES = 5;
// At most this many lights cast a shadow of one record.
constexpr s32 SHADOW_MAX_LIGHTS = 2;

struct s_shadow;
using ShadowDrawFunc = void (*)(s_shadow* shadow);

struct s_shadow_model_list {
    s_model* model;
    s_hmodel* hmodel;  // null: the entry is empty
};

struct s_shadow {
    s_Vector3 lightDirection;  // smoothed, single-light path
    s_Vector4 lightDiffuse;
    f32 lightIntensity;
    f32 lightDistance;  // with SHADOW_LIGHT_DISTANCE_VALID
    f32 lightMaxDistance;
    u32 flags;
    s_Vector3* position;      // the owner's, not a copy
    f32 radius;               // half-size of the projection box
    ShadowDrawFunc drawFunc;  // when set, draws the casters instead of modelList
    s_collision_cache* cacheList[SHADOW_MAX_CACHES];
    s_shadow_model_list modelList[SHADOW_MAX_MODELS];
    s_texture* blobShadowTexture;
    s32 blobBonesCount;
    u32 blobBoneIds[SHADOW_MAX_BLOB_BONES];
};

// Straight down, grey 0.8; its shadow intensity is the single-light path's when
// every light is positional.
extern const s_draw_light DefaultShadowLight;
extern s_ORB_MATERIAL MaterialShadow;
// Non-zero: each projected shadow texture is also shown on screen.
extern s32 ShadowDebugDrawBuffer;

// A pool of `count` records; null when the heap cannot hold it.
s_stdrec* ShadowWarmReset(s32 count);
// Null, after a message, when the pool is empty.
s_shadow* ShadowAlloc(s_Vector3* pos, f32 radius, s_hmodel* hmodel, s_model* model, s_collision_cache* cache);
void ShadowFree(s_shadow* p);
// A null model takes the hmodel's own.
void ShadowAddModel(s_shadow* p, s_model* model, s_hmodel* hmodel, s32 index);
void ShadowRemoveModel(s_shadow* p, s32 index);
void ShadowAddCache(s_shadow* p, s_collision_cache* cache, s32 index);
f32 ShadowGetInterpSpeed();

// The shadows of up to SHADOW_MAX_LIGHTS lights flagged for a projected or blob
// shadow, in the lights' order.
void ShadowRenderMulti(s_shadow* p, const s_draw_light* lights, s32 lightcount);
void ShadowRender(s_shadow* p, const s_draw_light* lights, s32 lightcount);
// The projected shadow of the first non-positional light, smoothed over frames;
// the lights are read, never written. Returns the projection parameters used.
s_textproj_parms* ShadowProcess(s_shadow* p, const s_draw_light* lights, s32 lightcount, s32 createDL);
// The light the single-light path follows, as it uses it: a copy, tilted to at
// least 30 degrees below the horizon, at full intensity.
s_draw_light ShadowChooseLight(const s_draw_light* lights, s32 lightcount);

// One light's projected shadow into parms' texture, onto the caches.
void ShadowDraw(s_shadow* p, s_textproj_parms* parms, const s_draw_light* light);
void ShadowDrawBlob(s_shadow* p, const s_draw_light* light);
