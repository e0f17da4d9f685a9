// Scene lights: the pool of a level's lights (one optional global directional
// light plus point, pseudo-point, spot and bar lights), the choice of the lights
// that reach a position, nearest first, and their conversion to draw lights.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_texture;

enum e_scene_light_type : u32 {
    SCENE_LIGHT_DIR = 1,
    SCENE_LIGHT_POINT = 2,
    SCENE_LIGHT_SPOT = 4,
    SCENE_LIGHT_PSEUDO_POINT = 8,
    SCENE_LIGHT_BAR = 16,
};

// u_scene_light_flags
constexpr u32 SCENE_LIGHT_FLAG_DIR = 0x80000000;
constexpr u32 SCENE_LIGHT_FLAG_POINT = 0x40000000;
constexpr u32 SCENE_LIGHT_FLAG_SPOT = 0x20000000;
constexpr u32 SCENE_LIGHT_FLAG_PSEUDO_POINT = 0x10000000;
constexpr u32 SCENE_LIGHT_FLAG_BAR = 0x08000000;
constexpr u32 SCENE_LIGHT_FLAG_GLOBAL = 0x04000000;
constexpr u32 SCENE_LIGHT_FLAG_ATTENUATE = 0x02000000;
constexpr u32 SCENE_LIGHT_FLAG_POINT_TO_DIR = 0x01000000;
constexpr u32 SCENE_LIGHT_FLAG_CAST_SHADOW = 0x00800000;

// SceneLightsSetDrawLights: point lights become directional lights.
constexpr u32 SCENE_LIGHT_LOAD_POINT_AS_DIR = 0x80;

// The most lights one selection returns.
constexpr s32 SCENE_LIGHT_MAX_LOCAL = 32;
// Priority of every directional light.
constexpr s32 SCENE_LIGHT_DIR_PRIORITY = 32797;

struct scene_light {
    scene_light* next;  // the record-pool list link
    scene_light* prev;
    s32 priority;  // list order, descending
    u32 flags;     // u_scene_light_flags
    s_Vector4 diffuse;
    s_Vector4 specular;
    s_Vector3 position;   // bar: the first end point
    s_Vector3 direction;  // rewritten by each selection for point, pseudo-point, bar
    s_Vector3 barEndPosition;
    s_Vector3 barDir;
    f32 barLength;
    f32 barPosRatio;     // where along the bar the last selection found the nearest point
    s_texture* texture;  // bar: optional colour ramp
    s_texture* attenTexture;
    e_scene_light_type type;
    f32 attenuation;  // distance at which fading starts
    f32 hotSpot;
    f32 fallOff;
    f32 radius;    // reach
    f32 distance;  // written by each selection
    f32 intensity;
    u32 shadowFlags;  // u_draw_shadow_flags
    f32 shadowIntensity;
    void* extra;  // the owner's data
};

// Returns 1 when a pool exists. maxSceneLight 0 keeps the present pool.
s32 SceneLightsWarmReset(s32 maxSceneLight);
// Part of the engine's warm reset, before the pool is made: the heap the pool lived
// in has been rebuilt, so the pool is dropped, not freed.
void SceneLightsForget();
void SceneLightsReset();
void SceneLightsShutdown();

// Each returns null when the pool is exhausted, changing nothing.
scene_light* SceneLightsAddDir(const s_Vector3* dir, const s_Vector4* color, f32 radius, f32 attenuation);
scene_light* SceneLightsAddPoint(const s_Vector3* pos, const s_Vector4* color, f32 radius, f32 attenuation,
                                 s32 priority);
scene_light* SceneLightsAddPseudoPoint(const s_Vector3* pos, const s_Vector4* color, f32 radius,
                                       f32 attenuation, s32 priority);
scene_light* SceneLightsAddBar(const s_Vector3* pos, const s_Vector3* endPos, const s_Vector4* color,
                               f32 radius, f32 attenuation, s32 priority);
scene_light* SceneLightsAddGlobal(const s_Vector3* dir, const s_Vector4* color);
void SceneLightsFree(scene_light* light);
scene_light* SceneLightsGetGlobalSceneLight();

// Fills slights (SCENE_LIGHT_MAX_LOCAL entries) with the lights of the types in
// `flags` that reach pos, nearest first; returns their number.
s32 SceneLightsGetLocal(scene_light** slights, const s_Vector3* pos, u32 flags);
// Resets the draw lights and loads one per chosen light, in order.
void SceneLightsSetDrawLights(scene_light* const* slights, s32 count, u32 flags);

extern s32 NumSceneLights;
extern s32 MaxSceneLights;
