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
