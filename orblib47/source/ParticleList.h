// Particle lists: the running particle systems of one owner (a game object or a
// cut-scene object), each with an optional bone and sound, stopped or killed
// together when the owner goes.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_debug_memory;
struct s_hmatrix_bone;
struct s_particle_system;
struct s_SOUND_TAG_DEFAULT;
struct s_stdrec;
struct scene_light;

// u_partlist_flags.
constexpr u32 PARTLIST_AUTO_FREE = 0x80000000u;
// u_partelem_flags.
constexpr u32 PARTELEM_ATTACHED = 0x80000000u;
// ParticleListStop and ParticleListFree: kill the systems rather than let their
// particles finish.
constexpr u32 PARTLIST_KILL = 0x80000000u;

struct s_partlist_program {
    f32 time;
    u16 command;
    s16 int16Parm;
    char* stringParm;
    f32 float32Parm;
    s_Vector4 vector4Parm;
};

struct s_particle_list;

struct s_partlist_elem {
    s_partlist_elem* next;
    s_partlist_elem* prev;
    s_particle_list* list;  // the owner
    u32 flags;              // u_partelem_flags
    s_hmatrix_bone* hbone;
    s_Matrix4 localMatrix;
    s_Matrix4 worldMatrix;
    u32 progId, layer;
    void (*func)(s_partlist_elem* particle, void* parm);
    void* parm;
    s_particle_system* particleSystem;
    s_SOUND_TAG_DEFAULT* soundTag;
    s32 channel;  // -1: none
    scene_light* sceneLight;
    s32 groupId, listID;
};

struct s_particle_list {
    s_particle_list* next;
    s_particle_list* prev;
    s_partlist_elem* particleList;  // first entry
    s_partlist_program* program;
    u32 flags;  // u_partlist_flags
    u32 programId, programFlags;
    f32 programTime;
    s_Vector3 position;
    s32 nextID;
};

extern s_stdrec* ParticleListHeaderRecords;
extern s_stdrec* ParticleListRecords;
extern s_debug_memory* ParticleListHeaderDebugMem;
extern s_debug_memory* ParticleListDebugMem;

// Creates the two pools and their trackers; non-zero when both pools exist.
s32 ParticleListWarmReset();
// An empty list at `position`; null when the pool is used up.
s_particle_list* ParticleListAlloc(const s_Vector3* position);
// Adds a running system to the list (the list then stops it; a system that ends
// by itself leaves the list); null when the pool is used up or there is no system.
s_partlist_elem* ParticleListAdd(s_particle_list* list, s_particle_system* psys);
void ParticleListFree(s_particle_list* list, u32 flags);
void ParticleListStopAll(s_particle_list* list, u32 flags);
s32 ParticleListStop(s_partlist_elem* particle, u32 flags);
void ParticleListDetachSound(s_partlist_elem* particle);
