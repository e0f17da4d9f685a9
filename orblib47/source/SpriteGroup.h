// Sprite groups: blocks of up to 16 like elements (points, lines, particles,
// camera-facing sprites, four-cornered sprites or quads) sharing one texture,
// combine mode and depth offset; the per-frame queue of groups to draw and the
// passes that draw it (opaque, alpha, frame buffer, particles through the
// draw-sort list).
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_particle_system;
struct s_sprite_set;
struct s_stdrec;
struct s_texture;
struct s_thread;

enum e_SPRITE_TYPE : u32 {
    SPRITE_TYPE_NONE = 0,
    SPRITE_TYPE_POINT = 1,
    SPRITE_TYPE_LINE = 2,
    SPRITE_TYPE_PARTICLE = 3,
    SPRITE_TYPE_SPRITE = 4,
    SPRITE_TYPE_SPRITE4 = 5,
    SPRITE_TYPE_QUAD = 6,
    SPRITE_TYPE_COUNT = 7,
};

// s_group_header flags.
constexpr u32 SPRITE_GROUP_TYPE_MASK = 0x7;  // the e_SPRITE_TYPE
constexpr u32 SPRITE_GROUP_ALPHA = 0x10;
constexpr u32 SPRITE_GROUP_FRAME_BUFFER = 0x20;   // never drawn on this platform
constexpr u32 SPRITE_GROUP_FRAME_FILTER = 0x100;  // drawn with the frame filter on

constexpr s32 SPRITE_GROUP_ELEMENTS = 16;  // elements per block

struct s_group_header {
    u32 flags;
    s_group_header* next;  // the following block of the same allocation
    s_group_header* prev;
    s_texture* texture;
    e_COMBINE_MODE combineMode;
    f32 depthOffset;
    s_particle_system* psysPtr;  // the owning particle system, or none

    e_SPRITE_TYPE type() const { return e_SPRITE_TYPE(flags & SPRITE_GROUP_TYPE_MASK); }
};

// The type header of every block; element positions are relative to baseCoord.
struct s_sprite_type_header {
    s_Vector3 baseCoord;
    s32 count;  // elements drawn
    u32 flags;
};
using s_point_header = s_sprite_type_header;
using s_line_header = s_sprite_type_header;
using s_sprite_header = s_sprite_type_header;
using s_sprite4_header = s_sprite_type_header;
using s_quad_header = s_sprite_type_header;
struct s_particle_header {
    s_Vector3 baseCoord;
    s32 count;
    u32 flags;
    f32 u0, v0, u1, v1;  // the texture rectangle of all its particles
};

// Colours are red, green, blue, alpha in 0..1.
struct s_point {
    s_Vector3 coord;
    s_Vector4 rgba;
};

struct s_line {
    s_Vector3 coord0;
    s_Vector4 rgba0;
    s_Vector3 coord1;
    s_Vector4 rgba1;
};

struct s_particle {
    s_Vector3 coord;
    s_Vector4 rgba;
    s_Vector2 size;  // half width, half height
};

struct s_sprite {
    s_Vector3 coord;
    s_Vector4 rgba;
    s_Vector2 size;
    f32 u0, v0, u1, v1;
};

struct s_sprite4_corner {
    f32 x, y;  // offset from the centre, scaled by the element's size
    f32 u, v;
    s_Vector4 rgba;
};

struct s_sprite4 {
    s_Vector3 coord;
    s_Vector4 rgba;
    s_Vector2 size;
    s_sprite4_corner corner[4];
};

// Corners as drawn, baseCoord not added; corner k carries one texture coordinate,
// u0, v0, u1, v1 in turn, and the corners take (u0, v0), (u1, v0), (u1, v1), (u0, v1).
struct s_quad {
    s_Vector4 rgba;
    f32 x0, y0, z0, u0;
    f32 x1, y1, z1, v0;
    f32 x2, y2, z2, u1;
    f32 x3, y3, z3, v1;
};

// A block; a pointer to its group header is a pointer to the block.
template <class Header, class Element>
struct s_sprite_block {
    s_group_header group;
    Header header;
    Element element[SPRITE_GROUP_ELEMENTS];
};
using s_point_group = s_sprite_block<s_point_header, s_point>;
using s_line_group = s_sprite_block<s_line_header, s_line>;
using s_particle_group = s_sprite_block<s_particle_header, s_particle>;
using s_sprite_group = s_sprite_block<s_sprite_header, s_sprite>;
using s_sprite4_group = s_sprite_block<s_sprite4_header, s_sprite4>;
using s_quad_group = s_sprite_block<s_quad_header, s_quad>;

// A group queued for drawing this frame.
struct s_group_draw {
    s_Vector3 position;
    s_group_header* group;
    const s_Matrix4* matrix;  // or none
};

// A group handed to the draw-sort list.
struct s_sprite_group_draw_sort {
    s_Vector3 position;
    s_group_header* group;
};

// A playing sprite animation.
struct s_sanim {
    s_sanim* next;
    s_sanim* prev;
    s_sprite_set* set;
    s32 animation;
    s32 frame;
    f32 frameTime;  // seconds into the frame
};

// SpriteGroup.cpp: blocks and their elements.
// ceil(count / 16) zero-filled blocks in one allocation, linked through their
// headers; null for a count of 0, a bad type or a full heap.
s_group_header* SpriteGroupAlloc(e_SPRITE_TYPE type, s32 count);
s_point_group* SpriteAllocPointGroup(s32 count);
s_line_group* SpriteAllocLineGroup(s32 count);
s_particle_group* SpriteAllocParticleGroup(s32 count);
s_sprite_group* SpriteAllocSpriteGroup(s32 count);
s_sprite4_group* SpriteAllocSprite4Group(s32 count);
s_quad_group* SpriteAllocQuadGroup(s32 count);
// Freed two frames later, once the hardware is done with it.
void SpriteGroupFree(s_group_header* group, s32 ignored = 0);
// Null for an index outside the block or a group of no type.
void* SpriteGroupGetElement(s_group_header* group, s32 index);
u32 SpriteGroupGetElementRecSize(const s_group_header* group);
// Setters by the group's type; a type without the field is left alone. Lines
// take two positions or two colours.
void SpriteGroupSetElementPos(void* element, e_SPRITE_TYPE type, const s_Vector3* pos);
void SpriteGroupSetElementColor(void* element, e_SPRITE_TYPE type, const s_Vector4* color);
// Half the width and height, times the screen's height/width ratio.
void SpriteGroupSetElementSize(void* element, e_SPRITE_TYPE type, const s_Vector2* size);
// Sprites take cell `index`'s texture rectangle; four-cornered sprites the shape of
// frame `index` of the set's first animation.
void SpriteGroupSetElementSprite(void* element, e_SPRITE_TYPE type, const s_sprite_set* set, s32 index);
// The group's texture from cell `index`; a particle group also its rectangle.
void SpriteInitGroup(s_group_header* group, const s_sprite_set* set, s32 index);
void SpriteGroupSetCombineMode(s_group_header* group, e_COMBINE_MODE mode);
void SpriteGroupSetDepthOffset(s_group_header* group, f32 offset);

// SpriteGroupDraw.cpp: the draw routines of one block: elements 0 .. count-1 at
// baseCoord, in the texture already selected, with culling off while they draw.
void SpriteDrawPointGroup(s_point_group* group);
void SpriteDrawLineGroup(s_line_group* group);
void SpriteDrawParticleGroup(s_particle_group* group);
void SpriteDrawSpriteGroup(s_sprite_group* group);
void SpriteDrawSprite4Group(s_sprite4_group* group);
void SpriteDrawQuadGroup(s_quad_group* group);
// Flat white and the group's texture; its owner's renderFunc when it has one,
// else the routine of its type at `position`.
void SpriteDrawGroup(s_group_header* group, const s_Vector3* position);

// SpriteGroupQueue.cpp: the draw queue and its passes.
extern s_group_draw* SpriteGroupDrawList;
extern s_Matrix4* SpriteGroupMatrixList;
extern u32 SpriteGroupDrawCount;
extern s_sprite_group_draw_sort* SpriteGroupDrawSortArray;
extern u32 SpriteGroupDrawSortCount;
extern s_stdrec* SpriteAnimRecords;

// Non-zero when the animation pool exists.
s32 SpriteWarmReset(u32 maxspriteanim, u32 maxSpriteDrawGroup);
// A full queue leaves the group undrawn this frame.
void SpriteGroupDraw(s_group_header* group, const s_Vector3* position);
void SpriteGroupDrawWithMatrix(s_group_header* group, const s_Vector3* position, const s_Matrix4* matrix);
// Through the draw-sort list at sortPosition; frame-buffer groups join the queue.
void SpriteGroupSortInsert(s_group_header* group, const s_Vector3* position, const s_Vector3* sortPosition);
void SpriteDrawOpaqueThread(s_thread* task, void* record);
void SpriteDrawAlphaThread(s_thread* task, void* record);
void SpriteDrawFrameBufferThread(s_thread* task, void* record);
void SpriteDrawParticlesThread(s_thread* task, void* record);
// Draw-sort callbacks: a queue entry (s_group_draw) and a sort entry.
void SpriteDrawDrawSort(void* entry);
void SpriteGroupDrawSort(void* entry);
