// Particle systems: fixed sets of elements emitted at a position, moved by simple
// forces, coloured, sized and animated over their life and drawn as chains of
// sprite groups. Their behaviour comes from attribute records loaded by name from
// "PAT" chunks; one task updates every system at its own rate, another queues
// them for the sprite passes.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/TimeSlice.h"

struct s_DATA_ENTRY;
struct s_group_header;
struct s_particle_system;
struct s_sprite_set;
struct s_thread;

enum e_PARTSYS_TYPE : u32 {
    PARTSYS_TYPE_DEFAULT = 0,
    PARTSYS_TYPE_CUSTOM_1 = 1,
    PARTSYS_TYPE_CUSTOM_2 = 2,
    PARTSYS_TYPE_CUSTOM_3 = 3,
    PARTSYS_TYPE_CUSTOM_4 = 4,
    PARTSYS_TYPE_COUNT = 5,
};

// Frames between two runs of a system.
enum e_TIME_RATE : u32 {
    TIME_60HZ = 1,
    TIME_30HZ = 2,
    TIME_20HZ = 3,
    TIME_15HZ = 4,
    TIME_12HZ = 5,
    TIME_10HZ = 6,
    TIME_6HZ = 10,
};

// u_PARTSYS_FLAGS.
constexpr u32 PARTSYS_ALWAYS_ON = 0x80000000u;  // never stops by age
constexpr u32 PARTSYS_STOP_ME = 0x40000000u;    // no new emission; ends once its elements died
constexpr u32 PARTSYS_KILL_ME = 0x20000000u;    // freed at the next update
constexpr u32 PARTSYS_INIT = 0x10000000u;       // first update pending
constexpr u32 PARTSYS_UPDATE_COLOR = 0x08000000u;
constexpr u32 PARTSYS_UPDATE_DATA = 0x04000000u;    // animate the sprite frame
constexpr u32 PARTSYS_INIT_SAME_AGE = 0x02000000u;  // all elements start at once
constexpr u32 PARTSYS_DONT_FREE = 0x01000000u;      // stays allocated after stopping
constexpr u32 PARTSYS_INSTANCE_ATTR = 0x00800000u;  // owns a private copy of its attributes
constexpr u32 PARTSYS_NO_DRAW = 0x00400000u;
constexpr u32 PARTSYS_CLONE = 0x00200000u;            // draws its parent's groups
constexpr u32 PARTSYS_LOADED_DATA_SET = 0x00100000u;  // a private copy owns its sprite set
constexpr u32 PARTSYS_STATIONARY = 0x00080000u;       // element positions relative to the system
constexpr u32 PARTSYS_USE_MATRIX_POSITION = 0x00040000u;
constexpr u32 PARTSYS_FRAME_DISTORT_OFF = 0x00020000u;
constexpr u32 PARTSYS_FRAME_DISTORT_WARP = 0x00010000u;
constexpr u32 PARTSYS_FRAME_DISTORT_SCALE = 0x00008000u;
constexpr u32 PARTSYS_FRAME_DISTORT_FRONT = 0x00004000u;
constexpr u32 PARTSYS_FRAME_DISTORT_BACK = 0x00002000u;
constexpr u32 PARTSYS_FRAME_DISTORT_OFFSCREEN = 0x00001000u;
constexpr u32 PARTSYS_USE_LOCAL_POSITION = 0x00000800u;
constexpr u32 PARTSYS_GLOW = 0x00000400u;
constexpr u32 PARTSYS_CUTSCENE_SUSPEND = 0x00000200u;  // frozen and hidden during an in-game cut-scene
constexpr u32 PARTSYS_USE_CLIP_RADIUS = 0x00000100u;
// Flags a system holds for its owner rather than from its record; a file never sets them.
constexpr u32 PARTSYS_OWNER_FLAGS = PARTSYS_DONT_FREE | PARTSYS_INSTANCE_ATTR | PARTSYS_CLONE |
                                    PARTSYS_LOADED_DATA_SET | PARTSYS_STOP_ME | PARTSYS_KILL_ME;

enum e_partsys_event_type : u32 {
    PARTSYS_EVENT_NULL = 0,
    PARTSYS_EVENT_FREE = 1,
    PARTSYS_EVENT_UPDATE = 2,
    PARTSYS_EVENT_STOP = 3,
};

// Bytes of a "PAT" chunk.
constexpr u32 PARTSYS_ATTR_CHUNK_SIZE = 272;
constexpr u32 PARTSYS_SPRITE_NAME_LENGTH = 16;

struct s_sprite_def {
    char name[PARTSYS_SPRITE_NAME_LENGTH + 1];  // the SPR sprite set, terminated
    s_sprite_set* spriteset;                    // loaded with the attributes when spriteType >= 3
};

// The common header of every type's attributes.
struct s_PARTSYS_ATTR {
    s_DATA_ENTRY* dataEntry;  // the registry entry; none for a private copy
    e_PARTSYS_TYPE type;
    s32 numElement;     // used when the caller asks for 0
    f32 maxAge;         // seconds of emission before the system stops by itself
    f32 elemStartTime;  // spread of the first emission's random delays
    f32 elemMaxAge;     // lifetime of an element
    u32 flags;          // ORed into every system started from the record
    u32 updateRate;     // e_TIME_RATE
    u32 spriteType;     // e_SPRITE_TYPE
    e_COMBINE_MODE combineMode;
    f32 depthOffset;
    u32 priority;  // list order, highest first
    s32 dataId;    // sprite of the set each new element shows
    s_sprite_def spriteDef;
    f32 userArgs[6];
};

// The attributes of the default type, the layout of every "PAT" chunk.
struct s_PARTSYS_ATTR_DEFAULT : s_PARTSYS_ATTR {
    s_Vector4 area;  // half-extents of the emission box
    s_Vector4 colorStart;
    s_Vector4 colorMid;
    s_Vector4 colorEnd;
    s_Vector4 colorDelta;  // computed at load
    s_Vector4 elemMinVel;
    s_Vector4 elemMaxVel;
    s_Vector4 magnetPos;
    f32 magnetForce;
    f32 elemMaxAgeRecip;  // computed at load
    f32 elemSpeed;
    f32 elemSpeedMultiplier;  // velocity growth per second
    f32 elemSize;
    f32 elemSizeMultiplier;  // size growth per second
    f32 midTime;             // a fraction of the life in the file, seconds once loaded; 0: no middle colour
    f32 midTimeRecip;
    f32 endTimeRecip;
    f32 gravity;
    f32 animCycles;  // sprite animation cycles per element life
    f32 clipRadius;
};

struct s_partsys_elem {
    s_Vector3 pos;
    s_Vector3 lastPos;
    s_Vector3 velocity;
    f32 age;  // negative: waiting to be born
    f32 size;
};

using ParticleEventCallback = void (*)(s_particle_system* psys, void* parm, e_partsys_event_type event);
using ParticleSystemRenderFunc = void (*)(s_group_header* group, const s_Vector3* position,
                                          s_particle_system* system);
// The emitter and the element update, given the element and its drawing element;
// non-zero when the element is alive.
using ParticleElemFunc = s32 (*)(s_particle_system* psys, s_partsys_elem* elem, void* sprite);

// Linked in ParticleSystemList by descending priority.
struct s_particle_system : s_linked_list {
    u32 flags;  // u_PARTSYS_FLAGS
    s_Vector3 pos;
    s_Vector3 lastPos;
    s_Vector4 color;          // tint of every element
    s_Vector3 externalForce;  // a random fraction of it joins each new element's velocity
    s_Vector3 emitterVelocity;
    s_Vector3 pos2;  // the owner's
    s_Vector3 magnetPos;
    const s_Matrix4* matrix;      // orientation and position source, or none
    s_particle_system* parent;    // a clone draws its parent's groups
    s_particle_system* child;     // freed and drawn with this one
    s_PARTSYS_ATTR* attr;         // shared, or private with PARTSYS_INSTANCE_ATTR
    s_group_header* spriteGroup;  // first of the chained groups
    s_time_slice timeSlice;
    f32 age;
    s32 numElement;
    f32 magnetForce;
    ParticleElemFunc emitterFunc;
    ParticleElemFunc updateFunc;
    ParticleSystemRenderFunc renderFunc;  // none: its groups draw by their type
    ParticleEventCallback eventCallback;
    ParticleEventCallback eventSysCallback;
    void* eventCallbackParm;
    void* eventSysCallbackParm;
    void* extra;  // the owner's
    s_partsys_elem* elements;
};

struct s_partsys_type_def {
    s32 (*loadFunc)(s_PARTSYS_ATTR* attr);
    s32 (*freeFunc)(s_PARTSYS_ATTR* attr);
    ParticleElemFunc initFunc;
    ParticleElemFunc updateFunc;
    ParticleSystemRenderFunc renderFunc;
};

extern const s_partsys_type_def ParticleSystemTypes[PARTSYS_TYPE_COUNT];
extern s_linked_list ParticleSystemList;  // head, priority 65535
extern s32 ParticleSystemRenderDisable;   // non-zero: nothing is drawn

// ParticleSystemAttr.cpp: attribute records.
// The "PAT" loader: `data` (a heap block of `size` bytes, handed over; may be
// null) is parsed and registered under `name`, or dropped when the name is known,
// whose record then gains a reference. With PARTSYS_INSTANCE_ATTR in `flags` the
// caller gets a private heap copy of the registered record instead (null when none
// is registered). A bad chunk gives one line and null.
s_PARTSYS_ATTR* ParticleSystemAttrLoad(const char* name, void* data, u32 size, u32 flags);
s_PARTSYS_ATTR* ParticleSystemAttrFind(const char* name);
// Drops one reference; the last tears down the type's data and the sprite set.
void ParticleSystemAttrFree(s_PARTSYS_ATTR* attr);
s32 DefaultParticleSystemLoad(s_PARTSYS_ATTR* attr);
s32 DefaultParticleSystemFree(s_PARTSYS_ATTR* attr);

// ParticleSystem.cpp: systems and their tasks.
s32 ParticleSystemWarmReset();
s_particle_system* ParticleSystemLoad(const char* name, const s_Vector3* pos, s32 numElement, u32 flags);
// numElement 0 takes the attributes' count. Null for no attributes, no sprite
// type, a textured type without its sprite set, or a full heap.
s_particle_system* ParticleSystemAlloc(s_PARTSYS_ATTR* attr, const s_Vector3* pos, s32 numElement, u32 flags);
void ParticleSystemFree(s_particle_system* psys);
void ParticleSystemStop(s_particle_system* psys);
void ParticleSystemKill(s_particle_system* psys);
void ParticleSystemSetSysCallback(s_particle_system* psys, ParticleEventCallback callback, void* parm);
void ParticleSystemSetPosition(s_particle_system* psys, const s_Vector3* pos);
// Moves every system running from the shared record `old` over to `fresh`, which
// takes over their references: new sprite groups and time slices, the elements
// start again. 0, with nothing changed, when a system cannot run from `fresh`.
s32 ParticleSystemReplaceAttr(s_PARTSYS_ATTR* old, s_PARTSYS_ATTR* fresh);
void ParticleSystemUpdateThread(s_thread* task, void* record);
void ParticleSystemRenderThread(s_thread* task, void* record);

// ParticleSystemDefault.cpp: the default type's emitter and element update.
s32 DefaultParticleEmitter(s_particle_system* psys, s_partsys_elem* elem, void* sprite);
s32 DefaultParticleUpdate(s_particle_system* psys, s_partsys_elem* elem, void* sprite);
void DefaultParticleUpdateColor(s_particle_system* psys, s_partsys_elem* elem, void* sprite);
void DefaultParticleUpdateSprite(s_particle_system* psys, s_partsys_elem* elem, void* sprite);
