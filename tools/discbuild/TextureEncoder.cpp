#include "tools/discbuild/TextureEncoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

struct TileShape {
    u32 width;
    u32 height;
    u32 bits;  // per texel
};

TileShape Shape(TexFormat format) {
    switch (format) {
        case TexFormat::I4:
        case TexFormat::C4:
        case TexFormat::CMPR:
            return {8, 8, 4};
        case TexFormat::I8:
        case TexFormat::IA4:
        case TexFormat::C8:
            return {8, 4, 8};
        case TexFormat::IA8:
        case TexFormat::RGB565:
        case TexFormat::RGB5A3:
            return {4, 4, 16};
        case TexFormat::RGBA8:
            return {4, 4, 32};
    }
    throw std::invalid_argument("texture: unknown format");
}

u32 Tiles(u32 size, u32 tile) {
    return (size + tile - 1) / tile;
}

// 8 bits to `bits` bits, rounded.
u32 Quantise(u32 value, u32 bits) {
    const u32 top = (1u << bits) - 1;
    return (value * top + 127) / 255;
}

// 0 to 255 back from `bits` bits, as the hardware widens it.
u32 Widen(u32 value, u32 bits) {
    return bits == 6 ? (value << 2) | (value >> 4) : (value << 3) | (value >> 2);
}

u32 Intensity(const u8* p) {
    return (p[0] * 30u + p[1] * 59u + p[2] * 11u + 50) / 100;
}

u32 Rgb565(const u8* p) {
    return Quantise(p[0], 5) << 11 | Quantise(p[1], 6) << 5 | Quantise(p[2], 5);
}

u32 Rgb5a3(const u8* p) {
    const u32 alpha = Quantise(p[3], 3);
    if (alpha == 7)
        return 0x8000 | Quantise(p[0], 5) << 10 | Quantise(p[1], 5) << 5 | Quantise(p[2], 5);
    return alpha << 12 | Quantise(p[0], 4) << 8 | Quantise(p[1], 4) << 4 | Quantise(p[2], 4);
}

// The stored value of one texel of a 4-, 8- or 16-bit direct format.
u32 Texel(TexFormat format, const u8* p) {
    switch (format) {
        case TexFormat::I4:
            return Quantise(Intensity(p), 4);
        case TexFormat::I8:
            return Intensity(p);
        case TexFormat::IA4:
            return Quantise(p[3], 4) << 4 | Quantise(Intensity(p), 4);
        case TexFormat::IA8:
            return u32(p[3]) << 8 | Intensity(p);
        case TexFormat::RGB565:
            return Rgb565(p);
        case TexFormat::RGB5A3:
            return Rgb5a3(p);
        default:
            throw std::invalid_argument("texture: not a direct 4-, 8- or 16-bit format");
    }
}

// Walks the tiles in stored order and hands each texel's position (or none,
// past the edge) to `put` with its byte offset and bit shift.
template <typename Put>
void ForEachTexel(TexFormat format, u32 width, u32 height, Put put) {
    const TileShape shape = Shape(format);
    u32 bit = 0;
    for (u32 ty = 0; ty < Tiles(height, shape.height); ++ty)
        for (u32 tx = 0; tx < Tiles(width, shape.width); ++tx)
            for (u32 y = ty * shape.height; y < (ty + 1) * shape.height; ++y)
                for (u32 x = tx * shape.width; x < (tx + 1) * shape.width; ++x) {
                    const bool inside = x < width && y < height;
                    // 4-bit texels: the first of a pair in the high nibble.
                    put(inside, y * width + x, bit / 8, shape.bits == 4 ? 4 - bit % 8 : 0);
                    bit += shape.bits;
                }
}

void CheckPixels(const RgbaImage& image) {
    if (image.rgba.size() != size_t(image.width) * image.height * 4)
        throw std::invalid_argument("texture: pixel count does not match the size");
}

void EncodeRgba8(const RgbaImage& image, std::vector<u8>& out) {
    size_t tile = 0;
    for (u32 ty = 0; ty < Tiles(image.height, 4); ++ty)
        for (u32 tx = 0; tx < Tiles(image.width, 4); ++tx, tile += 64)
            for (u32 i = 0; i < 16; ++i) {
                const u32 x = tx * 4 + i % 4, y = ty * 4 + i / 4;
                if (x >= image.width || y >= image.height)
                    continue;
                const u8* p = &image.rgba[(size_t(y) * image.width + x) * 4];
                u8* ar = &out[tile + i * 2];
                ar[0] = p[3];
                ar[1] = p[0];
                ar[32] = p[1];
                ar[33] = p[2];
            }
}

using Colour = std::array<u32, 3>;

Colour Expand565(u32 c) {
    return {Widen(c >> 11, 5), Widen((c >> 5) & 63, 6), Widen(c & 31, 5)};
}

int Distance(const Colour& a, const u8* p) {
    int sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (int(a[i]) - p[i]) * (int(a[i]) - p[i]);
    return sum;
}

// One 4x4 DXT1-style sub-block: endpoints are the corners of the opaque
// texels' colour box; any texel under half alpha makes it a three-colour block
// whose fourth index is transparent.
void EncodeCmprBlock(const RgbaImage& image, u32 x0, u32 y0, u8* out) {
    std::array<const u8*, 16> texels{};
    bool transparent = false;
    std::array<u8, 3> low{255, 255, 255}, high{0, 0, 0};
    for (u32 i = 0; i < 16; ++i) {
        const u32 x = x0 + i % 4, y = y0 + i / 4;
        if (x >= image.width || y >= image.height)
            continue;
        const u8* p = &image.rgba[(size_t(y) * image.width + x) * 4];
        texels[i] = p;
        if (p[3] < 128) {
            transparent = true;
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], p[c]);
            high[c] = std::max(high[c], p[c]);
        }
    }
    if (low[0] > high[0])  // no opaque texel
        low = high = {0, 0, 0};
    u32 c0 = Rgb565(high.data()), c1 = Rgb565(low.data());
    if (transparent ? c0 > c1 : c0 < c1)
        std::swap(c0, c1);
    const Colour e0 = Expand565(c0), e1 = Expand565(c1);
    std::array<Colour, 4> palette{e0, e1};
    const bool four = c0 > c1;
    for (int c = 0; c < 3; ++c) {
        palette[2][c] = four ? (2 * e0[c] + e1[c]) / 3 : (e0[c] + e1[c]) / 2;
        palette[3][c] = four ? (e0[c] + 2 * e1[c]) / 3 : 0;
    }
    StoreBE16(out, u16(c0));
    StoreBE16(out + 2, u16(c1));
    for (u32 i = 0; i < 16; ++i) {
        u32 index = 0;
        if (texels[i] != nullptr && !four && texels[i][3] < 128) {
            index = 3;
        } else if (texels[i] != nullptr) {
            const u32 choices = four ? 4 : 3;
            for (u32 k = 1; k < choices; ++k)
                if (Distance(palette[k], texels[i]) < Distance(palette[index], texels[i]))
                    index = k;
        }
        out[4 + i / 4] |= u8(index << (6 - 2 * (i % 4)));
    }
}

void EncodeCmpr(const RgbaImage& image, std::vector<u8>& out) {
    size_t offset = 0;
    for (u32 ty = 0; ty < Tiles(image.height, 8); ++ty)
        for (u32 tx = 0; tx < Tiles(image.width, 8); ++tx)
            for (u32 sub = 0; sub < 4; ++sub, offset += 8)
                EncodeCmprBlock(image, tx * 8 + sub % 2 * 4, ty * 8 + sub / 2 * 4, &out[offset]);
}

}  // namespace

u32 TexBufferSize(TexFormat format, u32 width, u32 height) {
    const TileShape shape = Shape(format);
    return Tiles(width, shape.width) * Tiles(height, shape.height) * shape.width * shape.height * shape.bits /
           8;
}

std::vector<u8> EncodeTexture(TexFormat format, const RgbaImage& image) {
    CheckPixels(image);
    if (format == TexFormat::C4 || format == TexFormat::C8)
        throw std::invalid_argument("texture: an indexed format takes palette indices");
    std::vector<u8> out(TexBufferSize(format, image.width, image.height));
    if (format == TexFormat::RGBA8) {
        EncodeRgba8(image, out);
    } else if (format == TexFormat::CMPR) {
        EncodeCmpr(image, out);
    } else {
        const u32 bits = Shape(format).bits;
        ForEachTexel(format, image.width, image.height,
                     [&](bool inside, size_t pixel, size_t byte, u32 shift) {
                         const u32 value = inside ? Texel(format, &image.rgba[pixel * 4]) : 0;
                         if (bits == 16)
                             StoreBE16(&out[byte], u16(value));
                         else
                             out[byte] |= u8(value << shift);
                     });
    }
    return out;
}

std::vector<u8> EncodeIndexed(TexFormat format, u32 width, u32 height, const std::vector<u8>& indices) {
    if (format != TexFormat::C4 && format != TexFormat::C8)
        throw std::invalid_argument("texture: not an indexed format");
    if (indices.size() != size_t(width) * height)
        throw std::invalid_argument("texture: index count does not match the size");
    std::vector<u8> out(TexBufferSize(format, width, height));
    const u8 mask = format == TexFormat::C4 ? 0x0F : 0xFF;
    ForEachTexel(format, width, height, [&](bool inside, size_t pixel, size_t byte, u32 shift) {
        if (inside)
            out[byte] |= u8((indices[pixel] & mask) << shift);
    });
    return out;
}

std::vector<u8> EncodePalette(PaletteFormat format, const std::vector<u32>& colours) {
    std::vector<u8> out(colours.size() * 2);
    for (size_t i = 0; i < colours.size(); ++i) {
        const u8 p[4] = {u8(colours[i] >> 24), u8(colours[i] >> 16), u8(colours[i] >> 8), u8(colours[i])};
        const u32 value = format == PaletteFormat::IA8      ? u32(p[3]) << 8 | Intensity(p)
                          : format == PaletteFormat::RGB565 ? Rgb565(p)
                                                            : Rgb5a3(p);
        StoreBE16(&out[i * 2], u16(value));
    }
    return out;
}

RgbaImage HalveImage(const RgbaImage& image) {
    CheckPixels(image);
    RgbaImage half{std::max(image.width / 2, 1u), std::max(image.height / 2, 1u), {}};
    half.rgba.resize(size_t(half.width) * half.height * 4);
    for (u32 y = 0; y < half.height; ++y)
        for (u32 x = 0; x < half.width; ++x)
            for (u32 c = 0; c < 4; ++c) {
                u32 sum = 0, count = 0;
                for (u32 sy = y * 2; sy < std::min(y * 2 + 2, image.height); ++sy)
                    for (u32 sx = x * 2; sx < std::min(x * 2 + 2, image.width); ++sx, ++count)
                        sum += image.rgba[(size_t(sy) * image.width + sx) * 4 + c];
                half.rgba[(size_t(y) * half.width + x) * 4 + c] = u8((sum + count / 2) / count);
            }
    return half;
}

}  // namespace discbuild
