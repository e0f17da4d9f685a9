// The console's tiled texel formats, decoded to plain rows of texels. Every
// format is stored in tiles of 32 bytes (64 for RGBA8, whose 4x4 tile keeps
// alpha and red in its first half, green and blue in its second), tiles left
// to right, then top to bottom, each level padded to whole tiles.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

struct TexTile {
    u32 width, height, bytes;  // bytes 0: not a texture format
};

TexTile TexFormatTile(u32 format);
// Bytes of one level, padded to whole tiles.
u32 TexLevelBytes(u32 format, u32 width, u32 height);
bool TexFormatIndexed(u32 format);

// A loaded palette: entries in host order, in a GXTlutFmt.
struct TexPalette {
    const u16* entries = nullptr;
    u32 count = 0;
    u8 format = 0;
};

Rgba8 DecodeTlutEntry(u16 entry, u8 format);

// One level into width x height texels, row by row. Indices past the palette
// read transparent black.
void DecodeTexLevel(const u8* src, u32 format, u32 width, u32 height, const TexPalette& palette, Rgba8* out);

}  // namespace console::gx
