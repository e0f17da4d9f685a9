// Sprite sets: "SPR" chunks parsed into native records (cells over named
// textures, and frame animations made of cells), shared by name through the
// data registry, and the routines that draw one cell or one animation frame.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/Texture.h"

struct s_DATA_ENTRY;

// One cell of the sheet; uv holds (u, v) of the corners top left, top right,
// bottom right and bottom left, in that order.
struct s_sprite_uv {
    u16 flags;
    u16 textureId;  // index in the set's texture table, checked at load
    f32 uv[4][2];
};

struct s_sanim_vertex {
    f32 x, y, z;
    u32 color;  // 0xRRGGBBAA
};

struct s_sanim_sprite {
    s32 id;  // cell index, checked at load
    s_sanim_vertex vertex[4];
};

struct s_sanim_frame {
    s32 numSprites;
    s_sanim_sprite* sprites;
};

struct s_sanim_data {
    u16 flags;
    u16 numFrame;
    s_sanim_frame* frames;
};

struct s_sprite_set {
    s_DATA_ENTRY* dataEntry;
    u32 flags;
    s32 numAnimation;
    s_sanim_data* animations;
    s32 numTexture;
    s_texture_def* textures;
    s32 numSprite;
    s_sprite_uv* sprites;
};

// Takes a reference to the set `name`. With `data` (a heap block of `size`
// bytes, handed over) an unknown name is parsed from it; a known one drops it.
// The set's textures are taken by name from those already loaded.
s_sprite_set* SpriteLoad(const char* name, void* data = nullptr, u32 size = 0);
// Drops a reference; the last one releases the textures and the set.
void SpriteFree(s_sprite_set* set);

// Single cells, in the flat colour, combine mode and projection of the caller,
// with culling off; an index past the cells draws nothing.
// A camera-facing square of side `size` centred on `position`.
void SpriteDrawSprite(const s_sprite_set* set, s32 n, const s_Vector3* position, f32 size);
void SpriteDrawParticle(const s_sprite_set* set, s32 n, const s_Vector3* position, f32 size);
// A width x height rectangle at `position`, whose z is set to 0; in 2-D drawing
// corner 0 of the cell is the top left on screen.
void SpriteDrawSprite2(const s_sprite_set* set, s32 n, s_Vector3* position, const s_Vector2* size);
// As SpriteDrawSprite2 in 2-D drawing, turned by `angle` radians in the screen plane.
void SpriteDrawSprite2Rot(const s_sprite_set* set, s32 n, const s_Vector3* position, const s_Vector2* size,
                          f32 angle);

// Animation frames, each frame sprite with its vertex colours; an animation or a
// frame out of range draws nothing.
// Faces the camera at `position`, vertices scaled by `scale`.
void SpriteDrawAnimFrame(const s_sprite_set* set, s32 animation, s32 frame, const s_Vector3* position,
                         f32 scale);
// Through `matrix`.
void SpriteDrawQuad(const s_sprite_set* set, s32 animation, s32 frame, const s_Matrix4* matrix);
