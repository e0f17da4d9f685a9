// Textures: "TIM" chunks parsed into native records, shared by name through the
// data registry, with their console texture and palette objects.
#pragma once

#include "console/gx.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_texture;

// s_texture::flags: more than one level.
constexpr u32 TEXTURE_MIPMAPPED = 0x10000000u;

constexpr u32 TEXTURE_NAME_LEN = 16;
constexpr u32 TEXTURE_PALETTE_BYTES = 1024;  // two palettes of 256 IA8 entries
constexpr u32 TEXTURE_PALETTE_ENTRIES = 256;

// One image level; `image` and `palette` point into the kept chunk or into
// memory the texture owns.
struct s_texture_map {
    u32 flags;
    u32 width;
    u32 height;
    u32 depth;
    u32 imageSize;
    u8* image;
    u32 paletteSize;  // entries of each of the two palettes; 0: no palette
    u8* palette;
    GXTexObj textureObj[2];
    GXTlutObj tlutObj[2];
    s32 imageFormat;    // console format
    s32 paletteFormat;  // console palette format, -1 without a palette
    s32 tlutNum[2];
};

// A named texture reference; `texture` starts empty.
struct s_texture_def {
    char name[TEXTURE_NAME_LEN + 1];
    s_texture* texture;
};

struct s_texture_file {
    u32 flags;
    u32 filterType;
    f32 mipMapBias;
    u32 numMaps;
    s_texture_map* maps;
    s32 numChildTextures;
    s_texture_def* childTextures;
};

struct s_texture {
    s_DATA_ENTRY* dataEntry;  // null for a texture made in memory
    s_texture_file file;
    u32 flags;
    f32 mipBias;  // -4.0 to 3.99
    u32 numMipMaps;
};

// Creates the texture pools; 1 when they exist.
s32 TextureWarmReset(u32 maxtexture, u32 maxtextureanim);
// Registers the "TIM" chunk loader with the archive module.
void TextureColdReset();

// Takes a reference to the texture `name`. With `data` (a heap block of `size`
// bytes, handed over) an unknown name is loaded from it; a known one drops it.
s_texture* TextureLoad(const char* name, void* data = nullptr, u32 size = 0);
void TextureFree(s_texture* texture);
s_texture* TextureFind(const char* name);
// The child named by the low 8 bits of `index` when it is loaded (null when not);
// the texture itself for an index past its child table.
s_texture* TextureGetChild(s_texture* texture, u32 index);
u32 TextureGetNumMips(const s_texture* texture);
const char* TextureGetFormatName(const s_texture* texture);
u32 TextureGetClutSize(const s_texture* texture);

// Builds the console objects of a loaded texture (null does nothing).
void TextureSetup(s_texture* texture);
// Loads the texture into maps 0 (and 1 for two palettes) with the draw
// context's wrap and filter; 0 for a null texture, else 1.
s32 TextureBind(s_texture* texture, s32 stage);
