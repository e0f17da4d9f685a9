// Textures: "TIM" chunks parsed into native records, shared by name through the
// data registry, with their console texture and palette objects.
#pragma once

#include "console/gx.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_Irect16;
struct s_stdrec;
struct s_texture;
struct s_texture_movie;  // texture movies do not exist on this platform

// s_texture::flags: what the texture owns, and more than one level.
constexpr u32 TEXTURE_OWNS_MAPS = 0x80000000u;  // image records from TextureMapRecords
constexpr u32 TEXTURE_OWNS_IMAGE = 0x40000000u;
constexpr u32 TEXTURE_OWNS_PALETTE = 0x20000000u;
constexpr u32 TEXTURE_MIPMAPPED = 0x10000000u;

// s_texture_file::flags of a texture made in memory: texels in the compressed format.
constexpr u32 TEXTURE_FILE_COMPRESSED = 0x00020000u;

// The largest render target: the size of the saved part of the picture.
constexpr u32 TEXTURE_RENDER_MAX_SIZE = 256;

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

// The texture and image-record pools, `maxtexture` records each.
extern s_stdrec* TextureRecords;
extern s_stdrec* TextureMapRecords;

// Sets up the hardware side (TextureHardwareWarmReset); 1 when the pools exist.
s32 TextureWarmReset(u32 maxtexture, u32 maxtextureanim);

// Takes a reference to the texture `name`. With `data` (a heap block of `size`
// bytes, handed over) an unknown name is loaded from it; a known one drops it.
s_texture* TextureLoad(const char* name, void* data = nullptr, u32 size = 0);
void TextureFree(s_texture* texture);
// Gives back what a texture owns: texel memory two frames later (the GPU may still
// read it), its palette, its image records and its record. Caller memory and a
// loaded chunk (the registry frees it) are left alone.
void TextureFreeResources(s_texture* texture);
// Frees the image records and child table that parsing a loaded chunk allocated.
void TextureFreeChunkRecords(s_texture_file* file);
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

// The pools, the texture-memory regions, the frame-buffer texture and the saved
// picture of render-to-texture; nonzero when the texture pool exists.
s32 TextureHardwareWarmReset(u32 count);
// The 8 + 4 texture-cache regions and 32 palette regions with their callbacks;
// `clear` zeroes the palette regions' reference counts.
void TextureHardwareInitTLUTs(s32 clear);
// Fatal when a palette region is still in use.
void TextureReallocTLUTs();

// A blank 32-bit texture (RGBA8) with owned texels; null, after a message, when
// out of records or for any other depth.
s_texture* TextureAlloc(u32 width, u32 height, u32 depth);
// A texture over `image` (caller memory, never freed by the texture) or, when
// null, over owned zeroed texels. Depth 8: C8 over two IA8 palettes of 256
// entries (`palette`, or owned zeroed ones when null); depth 32: RGBA8, or CMPR
// with TEXTURE_FILE_COMPRESSED in `flags`. Null for other depths and when out of
// records.
s_texture* TextureCreate(u32 width, u32 height, u32 depth, u32 flags, void* image, void* palette);

// Copies `rect` of the picture into the texture's first level (RGBA8). With a
// clear colour (0xRRGGBBAA) the area is cleared as it is copied, and the display
// copy's clear colour is put back afterwards. Null texture: nothing.
void TextureCopyFromVramToTexture(s_texture* texture, const s_Irect16* rect, const u32* clearColour,
                                  s32 mipmap);

// Render to texture: Start saves the target's corner of the picture and turns
// depth writes off; the caller draws there; End copies the corner into the
// target and puts the saved picture back. A target larger than
// TEXTURE_RENDER_MAX_SIZE either way is refused (Start returns 0, End then does
// nothing).
void TextureRenderStartup(u32 width, u32 height, u32 depth);
s32 TextureRenderStart(s_texture* target);
void TextureRenderEnd();

// The 640x448 texture that receives copies of the picture.
s_texture* TextureCreateFrameBufferTexture();
// Copies the picture (at most the texture's height) into the frame-buffer texture.
void TextureReadFB();
s_texture* TextureGetFBTexture();
// Nothing to do on this platform: the frame-buffer texture is bound as any other.
void TextureBindFB();
void TextureUnbindFB();

// Mip-map bias, clamped to -4.0..3.99.
void TextureSetLODBias(s_texture* texture, s32 ignored, f32 bias);
// Writes the bias and 0; either pointer may be null.
void TextureGetLODBias(const s_texture* texture, f32* bias, f32* other);
// Opaque white (0xFFFFFFFF) for every entry.
u32 TextureGetClutEntry(const s_texture* texture, u32 index);
// The texel (0xRRGGBBAA) of the first level at texture coordinates (u, v),
// clamped to the edges; opaque white when the texels cannot be read here
// (formats other than RGBA8).
u32 TextureGetTexel(const s_texture* texture, f32 u, f32 v);
// Per-texture texture coordinates do not exist on this platform: both do nothing.
void TextureSetFloatUV(s_texture* texture, f32 u0, f32 v0, f32 u1, f32 v1);
void TextureSetIntUV(s_texture* texture, s32 u0, s32 v0, s32 u1, s32 v1);

// Texture movies: none on this platform (no movie, no texture).
s_texture_movie* TextureMovieStart(const char* name, u32 flags);
s_texture* TextureMovieGetTexture(s_texture_movie* movie);
s32 TextureMovieSetBorderColor(s_texture_movie* movie, u32 colour);
void TextureMovieFree(s_texture_movie* movie);
