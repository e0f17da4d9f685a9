// Decals: marks laid on surfaces as quads of a sprite set, fading out with age,
// drawn in the alpha pass.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SpriteGroup.h"

struct s_sprite_set;
struct s_thread;

struct s_decal_elem {
    f32 alpha;  // the decal's full alpha
    f32 age;    // seconds
};

struct s_decal_group : s_linked_list {
    s32 numElement;
    f32 elemMaxAge;             // seconds to fade out; 0: never fades
    s32 elemIndex;              // the element the next decal takes
    s_quad_group* spriteGroup;  // quad i of the chain shows element i
    s_sprite_set* spriteSet;
    s_decal_elem* elements;
};

extern s_linked_list DecalGroups;

s32 DecalWarmReset();
// numElement decals showing cell `cell` of `set` (untextured without a set);
// null when the heap is full or numElement is not positive.
s_decal_group* DecalGroupAlloc(s_sprite_set* set, s32 cell, s32 numElement, f32 elemMaxAge);
void DecalGroupFree(s_decal_group* group);
// Lays the next decal, the oldest once all are laid, over corners 0..3 (the
// cell's top left, top right, bottom right, bottom left) in `color`, whose alpha
// is the decal's full alpha. Returns its element index.
s32 DecalAdd(s_decal_group* group, const s_Vector3 corners[4], const s_Vector4* color);
void DecalUpdateThread(s_thread* task, void* record);
void DecalRenderThread(s_thread* task, void* record);
