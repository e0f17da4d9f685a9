// Encoders from RGBA pixels to the console's tiled texture formats.
#pragma once

#include <vector>

#include "console/types.h"

namespace discbuild {

// The console's texture format numbers.
enum class TexFormat : u32 {
    I4 = 0,
    I8 = 1,
    IA4 = 2,
    IA8 = 3,
    RGB565 = 4,
    RGB5A3 = 5,
    RGBA8 = 6,
    C4 = 8,
    C8 = 9,
    CMPR = 14,
};

// The console's palette entry formats.
enum class PaletteFormat : u32 { IA8 = 0, RGB565 = 1, RGB5A3 = 2 };

// Pixels row by row from the top left, four bytes each: red, green, blue, alpha.
struct RgbaImage {
    u32 width = 0;
    u32 height = 0;
    std::vector<u8> rgba;
};

// Bytes of a texture of that size, padded to whole tiles.
u32 TexBufferSize(TexFormat format, u32 width, u32 height);
// The tiled texel data of a direct-colour format (not C4/C8). Intensity is the
// rounded luminance 0.30 R + 0.59 G + 0.11 B; channels are rounded to their bit
// depth; texels past the image's edge in the last tiles are zero. A wrong
// pixel count or an indexed format throws std::invalid_argument.
std::vector<u8> EncodeTexture(TexFormat format, const RgbaImage& image);
// The tiled texel data of C4 or C8 from one palette index per texel (C4 keeps
// the low 4 bits). A wrong count or a direct format throws.
std::vector<u8> EncodeIndexed(TexFormat format, u32 width, u32 height, const std::vector<u8>& indices);
// Big-endian palette entries, two bytes each, from 0xRRGGBBAA colours.
std::vector<u8> EncodePalette(PaletteFormat format, const std::vector<u32>& colours);
// Half the size (at least 1x1), each texel the rounded mean of up to 2x2 texels.
RgbaImage HalveImage(const RgbaImage& image);

}  // namespace discbuild
