// The projector manager: the level's active texture projectors (the game's
// CTextureProject objects), with a task that resets their per-frame state before
// the objects update and one that draws the visible ones in the translucent pass.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_thread;

// u_texproj_object_flags
struct u_texproj_object_flags {
    static constexpr u32 dynamic = 0x80000000u;
    static constexpr u32 attached = 0x40000000u;
    static constexpr u32 activeRender = 0x20000000u;
};

// The part of a projector's locals the manager reads and resets.
struct s_texproj_object_locals {
    u32 flags;  // u_texproj_object_flags
    s32 numObjShadowCast;
    f32 projectorRadius;
    s_Vector3 projectorCenter;
};

// The part of the game's projector object the manager reads; CTextureProject
// derives from it.
struct s_texproj_object {
    s_texproj_object_locals* m_locals = nullptr;
};

// A record of the pool, linked in the list its header heads.
struct s_projector_list : s_linked_list {
    s_texproj_object* projectorObject;
};

constexpr u32 PROJECTOR_MAX = 64;
constexpr u32 PROJECTOR_UPDATE_PRIORITY = 6401;
constexpr u32 PROJECTOR_RENDER_PRIORITY = 5100;

// Draws one visible projector (the game's TextureProjectLightDrawFunc).
using ProjectorDrawFunc = void (*)(s_texproj_object* projector);

extern s_stdrec* ProjectorHeaderRecords;
extern s_thread* ProjectorUpdateThreadPtr;
extern s_thread* ProjectorRenderThreadPtr;

// The engine warm reset's step: the pool and tasks went with the heap and the task
// pool, and the draw function is forgotten until the game registers it again.
void ProjectorForget();
// The game registers its projector drawing; null draws nothing.
void ProjectorSetDrawFunc(ProjectorDrawFunc func);
// The pool and both tasks; 1 when all exist, else 0.
s32 ProjectorWarmReset();
void ProjectorShutdownThreads();
void ProjectorShutdownMemory();
// Null when the pool is empty.
s_projector_list* ProjectorAlloc(s_texproj_object* projectorObject);
// Returns null.
s_projector_list* ProjectorFree(s_projector_list* projector);
