#include "console/gx/gx_texdecode.h"

#include <algorithm>
#include <cstring>

#include "console/gx.h"

namespace console::gx {

namespace {

u16 Be16(const u8* p) {
    return u16(p[0] << 8 | p[1]);
}

u8 Expand5(u32 v) {
    return u8(v << 3 | v >> 2);
}

u8 Expand6(u32 v) {
    return u8(v << 2 | v >> 4);
}

Rgba8 FromRgb565(u16 v) {
    return {Expand5(v >> 11 & 31), Expand6(v >> 5 & 63), Expand5(v & 31), 255};
}

// Top bit set: RGB555, opaque; clear: 3-bit alpha over RGB444.
Rgba8 FromRgb5a3(u16 v) {
    if ((v & 0x8000) != 0)
        return {Expand5(v >> 10 & 31), Expand5(v >> 5 & 31), Expand5(v & 31), 255};
    const u32 a = v >> 12 & 7;
    return {u8((v >> 8 & 15) * 17), u8((v >> 4 & 15) * 17), u8((v & 15) * 17), u8(a << 5 | a << 2 | a >> 1)};
}

Rgba8 Grey(u8 i, u8 a) {
    return {i, i, i, a};
}

Rgba8 Lookup(const TexPalette& palette, u32 index) {
    return index < palette.count ? DecodeTlutEntry(palette.entries[index], palette.format) : Rgba8{};
}

u8 Nibble(const u8* tile, u32 i) {
    return (i & 1) != 0 ? tile[i >> 1] & 15 : tile[i >> 1] >> 4;
}

// Texel i (row-major within its tile) of every format but CMPR.
Rgba8 TileTexel(const u8* tile, u32 format, u32 i, const TexPalette& palette) {
    switch (format) {
        case GX_TF_I4: {
            const u8 v = u8(Nibble(tile, i) * 17);
            return Grey(v, v);
        }
        case GX_TF_I8:
            return Grey(tile[i], tile[i]);
        case GX_TF_IA4:
            return Grey(u8((tile[i] & 15) * 17), u8((tile[i] >> 4) * 17));
        case GX_TF_IA8:
            return Grey(tile[2 * i + 1], tile[2 * i]);
        case GX_TF_RGB565:
            return FromRgb565(Be16(tile + 2 * i));
        case GX_TF_RGB5A3:
            return FromRgb5a3(Be16(tile + 2 * i));
        case GX_TF_RGBA8:
            return {tile[2 * i + 1], tile[32 + 2 * i], tile[32 + 2 * i + 1], tile[2 * i]};
        case GX_TF_C4:
            return Lookup(palette, Nibble(tile, i));
        case GX_TF_C8:
            return Lookup(palette, tile[i]);
        case GX_TF_C14X2:
            return Lookup(palette, Be16(tile + 2 * i) & 0x3FFF);
        default:
            return {};
    }
}

// A 4x4 block of CMPR: two RGB565 colours and 2-bit indices, leftmost texel in
// the top bits of each row's byte. The first colour not above the second
// selects three colours and transparent black.
void DecodeCmprBlock(const u8* block, Rgba8 out[16]) {
    const u16 c0 = Be16(block), c1 = Be16(block + 2);
    Rgba8 colors[4] = {FromRgb565(c0), FromRgb565(c1), {}, {}};
    const Rgba8 a = colors[0], b = colors[1];
    if (c0 > c1) {
        colors[2] = {u8((2 * a.r + b.r) / 3), u8((2 * a.g + b.g) / 3), u8((2 * a.b + b.b) / 3), 255};
        colors[3] = {u8((a.r + 2 * b.r) / 3), u8((a.g + 2 * b.g) / 3), u8((a.b + 2 * b.b) / 3), 255};
    } else {
        colors[2] = {u8((a.r + b.r) / 2), u8((a.g + b.g) / 2), u8((a.b + b.b) / 2), 255};
    }
    for (u32 y = 0; y < 4; ++y)
        for (u32 x = 0; x < 4; ++x)
            out[y * 4 + x] = colors[block[4 + y] >> (6 - 2 * x) & 3];
}

// An 8x8 CMPR tile: its four blocks top left, top right, bottom left, bottom right.
void DecodeCmprTile(const u8* tile, Rgba8 out[64]) {
    for (u32 b = 0; b < 4; ++b) {
        Rgba8 block[16];
        DecodeCmprBlock(tile + 8 * b, block);
        const u32 ox = (b & 1) * 4, oy = (b >> 1) * 4;
        for (u32 y = 0; y < 4; ++y)
            for (u32 x = 0; x < 4; ++x)
                out[(oy + y) * 8 + ox + x] = block[y * 4 + x];
    }
}

}  // namespace

TexTile TexFormatTile(u32 format) {
    switch (format) {
        case GX_TF_I4:
        case GX_TF_C4:
        case GX_TF_CMPR:
            return {8, 8, 32};
        case GX_TF_I8:
        case GX_TF_IA4:
        case GX_TF_C8:
            return {8, 4, 32};
        case GX_TF_IA8:
        case GX_TF_RGB565:
        case GX_TF_RGB5A3:
        case GX_TF_C14X2:
            return {4, 4, 32};
        case GX_TF_RGBA8:
            return {4, 4, 64};
        default:
            return {1, 1, 0};
    }
}

u32 TexLevelBytes(u32 format, u32 width, u32 height) {
    const TexTile tile = TexFormatTile(format);
    return (width + tile.width - 1) / tile.width * ((height + tile.height - 1) / tile.height) * tile.bytes;
}

bool TexFormatIndexed(u32 format) {
    return format == GX_TF_C4 || format == GX_TF_C8 || format == GX_TF_C14X2;
}

Rgba8 DecodeTlutEntry(u16 entry, u8 format) {
    switch (format) {
        case GX_TL_IA8:
            return Grey(u8(entry), u8(entry >> 8));
        case GX_TL_RGB565:
            return FromRgb565(entry);
        default:
            return FromRgb5a3(entry);
    }
}

namespace {

// Each tile's texels (from decode(tile, out)) put in place, row by row.
template <typename DecodeTile>
void DecodeTiles(const u8* src, const TexTile& tile, u32 width, u32 height, Rgba8* out, DecodeTile decode) {
    const u32 tilesX = (width + tile.width - 1) / tile.width;
    const u32 tilesY = (height + tile.height - 1) / tile.height;
    Rgba8 texels[64];
    for (u32 ty = 0; ty < tilesY; ++ty)
        for (u32 tx = 0; tx < tilesX; ++tx) {
            decode(src + (std::size_t(ty) * tilesX + tx) * tile.bytes, texels);
            const u32 px = tx * tile.width;
            const u32 across = std::min(tile.width, width - px);
            for (u32 y = 0; y < tile.height; ++y) {
                const u32 py = ty * tile.height + y;
                if (py >= height)
                    break;
                std::copy_n(&texels[y * tile.width], across, &out[std::size_t(py) * width + px]);
            }
        }
}

using Words4 = u32 __attribute__((vector_size(16)));

// A row of an RGBA8 tile (`pairs` its alpha-red pairs, 32 bytes on its
// green-blue pairs): side by side they give words of A R G B in memory,
// turned to R G B A.
Words4 Rgba8TileRow(const u8* pairs) {
    using Halves4 = u16 __attribute__((vector_size(8)));
    Halves4 ar, gb;
    std::memcpy(&ar, pairs, sizeof ar);
    std::memcpy(&gb, pairs + 32, sizeof gb);
    const Words4 argb = Words4(__builtin_shufflevector(ar, gb, 0, 4, 1, 5, 2, 6, 3, 7));
    return argb >> 8 | argb << 24;
}

// Row by row of texels rather than tile by tile through a buffer: a copy of the
// picture is decoded every frame it is read.
void DecodeRgba8(const u8* src, u32 width, u32 height, Rgba8* out) {
    const u32 tilesX = (width + 3) / 4, whole = width / 4;
    for (u32 y = 0; y < height; ++y) {
        const u8* pairs = src + std::size_t(y / 4) * tilesX * 64 + 8 * (y % 4);
        Rgba8* row = out + std::size_t(y) * width;
        for (u32 tx = 0; tx < whole; ++tx) {
            const Words4 texels = Rgba8TileRow(pairs + std::size_t(tx) * 64);
            std::memcpy(static_cast<void*>(row + 4 * tx), &texels, sizeof texels);
        }
        if (whole < tilesX) {
            const Words4 texels = Rgba8TileRow(pairs + std::size_t(whole) * 64);
            std::memcpy(static_cast<void*>(row + 4 * whole), &texels, (width % 4) * sizeof(Rgba8));
        }
    }
}

}  // namespace

void DecodeTexLevel(const u8* src, u32 format, u32 width, u32 height, const TexPalette& palette, Rgba8* out) {
    const TexTile tile = TexFormatTile(format);
    if (tile.bytes == 0)
        return;
    switch (format) {
        case GX_TF_CMPR:
            return DecodeTiles(src, tile, width, height, out, DecodeCmprTile);
        // Copies to texture write this format each frame: its own loop.
        case GX_TF_RGBA8:
            return DecodeRgba8(src, width, height, out);
        default:
            return DecodeTiles(src, tile, width, height, out, [&](const u8* t, Rgba8* texels) {
                for (u32 i = 0; i < tile.width * tile.height; ++i)
                    texels[i] = TileTexel(t, format, i, palette);
            });
    }
}

}  // namespace console::gx
