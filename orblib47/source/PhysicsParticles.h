// Physics particles: groups of sprites that fly under acceleration, bounce off
// the polygons of a collision cache, fade out over their life and play a sound
// where they land. Two tasks update and draw every group.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SpriteGroup.h"
#include "orblib47/source/TimeSlice.h"

struct s_collision_cache;
struct s_SOUND_TAG_DEFAULT;
struct s_sprite_set;
struct s_thread;

// u_physics_particles_flags.
constexpr u32 PHYSICS_PARTICLES_ALWAYS_ON = 0x80000000u;
constexpr u32 PHYSICS_PARTICLES_STOP_ME = 0x40000000u;  // freed once no element is alive
// u_physics_particles_elem_flags.
constexpr u32 PHYSICS_PARTICLE_COLLISION_VALID = 0x80000000u;
constexpr u32 PHYSICS_PARTICLE_NOT_MOVING = 0x40000000u;
constexpr u32 PHYSICS_PARTICLE_COLLISION_HORIZONTAL = 0x20000000u;

// Below this upward speed after a bounce on a level polygon an element stops.
constexpr f32 MIN_VELOCITY_Y = 1.0f;

struct s_physics_particles_elem {
    s_Vector3 position;
    s_Vector3 velocity;
    s_Vector3 acceleration;
    f32 radius;
    f32 alpha;  // opacity at birth
    f32 age;
    f32 maxVol;  // volume of the next bounce sound
    u32 flags;   // u_physics_particles_elem_flags
    s_Vector3 collisionPoint;
    s_Vector3 collisionNormal;
    f32 collisionTime;  // seconds to the predicted impact
    f32 animSpeed;      // frames per second
    s32 channel;        // of the last bounce sound, -1: none
    u8 updateGroup;     // 0..2: the frame phase in which its impacts are handled
};

struct s_physics_particles_group : s_linked_list {
    u32 flags;  // u_physics_particles_flags
    s32 numElement;
    s_Vector4 color;
    f32 elemMaxAge;
    s32 elemIndex;  // the element the next launch takes
    f32 animSpeed;  // frames per second of a new element
    s_collision_cache* cache;
    s_sprite_group* spriteGroup;  // element i is sprite i of the chain
    s_sprite_set* spriteSet;
    s_SOUND_TAG_DEFAULT* collideSoundTag;
    s_physics_particles_elem* elements;
};

extern s_linked_list PhysicsParticlesGroups;

s32 PhysicsParticlesWarmReset();
// numElement sprites of `set` (the group keeps no reference) living elemMaxAge
// seconds, bouncing on `cache`'s polygons and sounding `tag` (either may be
// null); null when numElement or elemMaxAge is not positive or the heap is full.
s_physics_particles_group* PhysicsParticlesGroupAlloc(s_sprite_set* set, s32 numElement, f32 elemMaxAge,
                                                      s_collision_cache* cache, s_SOUND_TAG_DEFAULT* tag);
void PhysicsParticlesGroupFree(s_physics_particles_group* group);
// Launches the next element (the oldest once all have been used) and predicts its
// first impact. Returns its index.
s32 PhysicsParticlesLaunch(s_physics_particles_group* group, const s_Vector3* position,
                           const s_Vector3* velocity, const s_Vector3* acceleration, f32 radius, f32 maxVol);
void PhysicsParticlesUpdateThread(s_thread* task, void* record);
void PhysicsParticlesRenderThread(s_thread* task, void* record);
