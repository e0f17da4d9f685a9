// The payload of a "TIM" chunk: a texture with its mip levels, palette and
// child-texture names, in the console's tiled layout.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"
#include "tools/discbuild/TextureEncoder.h"

namespace discbuild {

constexpr u32 kTimHeaderSize = 28;
constexpr u32 kTimMapSize = 136;
constexpr u32 kTimChildSize = 20;
constexpr u32 kTimPaletteBytes = 1024;  // two palettes of 512 bytes

// Texture flags (bit 31 is the top bit).
constexpr u32 kTimKeepFile = 1u << 30;
constexpr u32 kTimHasAlpha = 1u << 29;
constexpr u32 kTimHasPalette = 1u << 27;
constexpr u32 kTimMipMap = 1u << 26;
constexpr u32 kTimCompressed = 1u << 17;

// The stored format codes the loader maps to console formats.
constexpr u32 kTimCodeCmpr = 11;
constexpr u32 kTimCodeRgba8 = 3;
constexpr u32 kTimCodeC8 = 22;
constexpr u32 kTimCodePaletteIA8 = 23;
constexpr u32 kTimNoPalette = 0xFFFFFFFFu;  // palette format code of a texture without one

struct TimTexture {
    TexFormat format = TexFormat::RGBA8;  // RGBA8, CMPR or C8
    RgbaImage image;                      // C8: the size only (rgba empty)
    std::vector<u8> indices;              // C8: one palette index per texel
    std::vector<u32> palette;             // C8: 1..256 colours 0xRRGGBBAA (stored split, below)
    u32 levels = 1;                       // mip levels, each half the one before (not C8)
    f32 mipBias = 0.0f;
    bool keepFile = false;
    std::vector<std::string> children;  // names of at most 15 characters
};

// The chunk: header, image records, child table, then the texel data of every
// level one after the other and the palettes, each 32-byte aligned. A colour's
// halves go to the two IA8 palettes: red and green (as intensity and alpha) to
// the first, blue and alpha to the second, which the engine joins when drawing. Anything
// the loader cannot take throws std::invalid_argument.
std::vector<u8> TimPayload(const TimTexture& texture);

}  // namespace discbuild
