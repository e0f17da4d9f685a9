// Game objects: a record per thing in the level (ball, pins, pinsetter and sweeper,
// bowlers, walkers, props), each run by its own behaviour task, and the tasks that
// update and draw them every frame.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"

struct s_hmodel;
struct s_shadow;

// Switch object drawing, object updating and the HUD.
extern s32 g_ObjDraw;
extern s32 g_ObjUpdate;
extern s32 g_HUDDraw;
// The object pass's debug timing record; null when nobody times it.
extern void* ObjectDebugTimePtr;

enum e_OBJECT_KIND : s32 {
    OBJECT_KIND_BALL,
    OBJECT_KIND_PIN,
    OBJECT_KIND_PINSETTER,
    OBJECT_KIND_SWEEPER,
    OBJECT_KIND_BOWLER,      // the bowler up on the player's lane
    OBJECT_KIND_NPC_BOWLER,  // a computer lane's bowler
    OBJECT_KIND_WALKER,
    OBJECT_KIND_PROP,
    OBJECT_KIND_COUNT
};

// Object flags.
constexpr u32 OBJECT_FLAG_HIDDEN = 0x80000000u;   // updated, not drawn
constexpr u32 OBJECT_FLAG_STENCIL = 0x40000000u;  // drawn in the stencil pass, through gxprj
constexpr u32 OBJECT_FLAG_DEBUG = 0x20000000u;    // its bones drawn by the physics debug pass
constexpr u32 OBJECT_FLAG_CASTER = 0x10000000u;   // casts a shadow through the projectors it is near

// What a light object moves by: no simulation, just a pace.
struct s_physics_lite_def {
    f32 speed;  // world units per second when it walks
};

struct s_object;
using ObjectDrawFunc = void (*)(s_object* object);

// A row of the object kind table.
struct s_BASE_OBJECT {
    const char* name;
    e_OBJECT_KIND kind;
    ThreadFunc behaviour;  // called once a frame with the object as its record
    ObjectDrawFunc draw;   // null draws the object's hmodel at its transform
    const s_physics_lite_def* physics;
};

struct s_object {
    s_linked_list behavior;  // head of the list holding its behaviour task
    const s_BASE_OBJECT* base;
    e_OBJECT_KIND kind;
    char name[16];
    u32 flags;
    s_Matrix4 transform;
    s_hmodel* hmodel;  // owned; null draws nothing
    s_shadow* shadow;  // drawn by the shadow pass when set; not owned
    void* user;        // the kind's own record
};

constexpr s32 OBJECT_MAX = 96;

// Registers the object's behaviour task (named after the object, or "Dynamic
// Object" when it has no name); 0 when the task pool is full.
s32 ObjectInit(s_object* object, ThreadFunc behaviour);
// Runs the object's behaviour list once.
void ObjectUpdate(s_object* object);
// Kills the object's behaviour list.
void ObjectRemove(s_object* object);

// A pooled object of a kind, with its behaviour running: null when the pool or the
// task pool is full. `name` may be null.
s_object* ObjectCreate(const s_BASE_OBJECT* base, const char* name, void* user);
// Removes its behaviour, frees its hmodel and gives the record back.
void ObjectFree(s_object* object);
// Frees every pooled object.
void ObjectFreeAll();
// Forgets every object without freeing it: its task and model went with the
// engine's pools.
void ObjectForgetAll();
// The objects alive, and the one in a pool slot (null when the slot is free).
s32 ObjectCount();
s_object* ObjectGet(s32 slot);

// The seconds objects move by this frame: none while the game is paused.
f32 ObjectFrameTime();

// Every level projector holding `at` inside its radius takes the model's shadow
// this frame (the projector manager has just cleared last frame's casters);
// nothing for a null model. Objects flagged OBJECT_FLAG_CASTER cast theirs.
void ObjectCastShadow(s_hmodel* hmodel, const s_Vector3& at);

// The pool at its start-up state (cold reset).
void ObjectColdReset();
// The object tasks (update, stencil, physics debug, draw, shadows): registered by
// the game's warm reset, after the engine's own; the pool forgets its objects.
void ObjectWarmReset();

// The bowling level's objects: made once its archives are loaded and its scene has
// started, removed before the level frees them.
void AlleyObjectsCreate();
void AlleyObjectsRemove();
