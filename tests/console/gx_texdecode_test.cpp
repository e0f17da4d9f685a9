// Hand-made tiles of every texel format decode to the texels they hold.
#include "console/gx/gx_texdecode.h"

#include <gtest/gtest.h>

#include <vector>

#include "console/gx.h"

namespace {

using console::gx::DecodeTexLevel;
using console::gx::Rgba8;
using console::gx::TexPalette;

struct Texel {
    u32 x, y;
    Rgba8 expect;
};

struct DecodeCase {
    const char* name;
    u32 format, width, height;
    std::vector<std::pair<u32, u8>> bytes;  // offset, value; the rest zero
    std::vector<Texel> texels;
};

bool Same(Rgba8 a, Rgba8 b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

std::vector<Rgba8> Decode(const DecodeCase& c, const TexPalette& palette = {}) {
    std::vector<u8> src(console::gx::TexLevelBytes(c.format, c.width, c.height));
    for (const auto& [offset, value] : c.bytes)
        src.at(offset) = value;
    std::vector<Rgba8> out(c.width * c.height);
    DecodeTexLevel(src.data(), c.format, c.width, c.height, palette, out.data());
    return out;
}

void Check(const DecodeCase& c, const std::vector<Rgba8>& out) {
    for (const Texel& t : c.texels) {
        const Rgba8 got = out[t.y * c.width + t.x];
        EXPECT_TRUE(Same(got, t.expect)) << c.name << " at " << t.x << "," << t.y << ": " << int(got.r) << " "
                                         << int(got.g) << " " << int(got.b) << " " << int(got.a);
    }
}

TEST(GXTexDecode, DirectFormats) {
    const DecodeCase cases[] = {
        {"I4 nibbles high first, rows of 4 bytes",
         GX_TF_I4,
         8,
         8,
         {{0, 0x1F}, {4, 0x80}},
         {{0, 0, {0x11, 0x11, 0x11, 0x11}}, {1, 0, {255, 255, 255, 255}}, {0, 1, {0x88, 0x88, 0x88, 0x88}}}},
        {"I8 8x4 tile", GX_TF_I8, 8, 4, {{9, 0x80}}, {{1, 1, {0x80, 0x80, 0x80, 0x80}}, {0, 0, {}}}},
        {"I8 second tile to the right", GX_TF_I8, 16, 4, {{32, 0x40}}, {{8, 0, {0x40, 0x40, 0x40, 0x40}}}},
        {"IA4 alpha high", GX_TF_IA4, 8, 4, {{0, 0x3C}}, {{0, 0, {0xCC, 0xCC, 0xCC, 0x33}}}},
        {"IA8 alpha first", GX_TF_IA8, 4, 4, {{2, 0x40}, {3, 0x90}}, {{1, 0, {0x90, 0x90, 0x90, 0x40}}}},
        {"RGB565 big-endian",
         GX_TF_RGB565,
         4,
         4,
         {{0, 0xF8}, {2, 0x07}, {3, 0xE0}, {8, 0x00}, {9, 0x1F}},
         {{0, 0, {255, 0, 0, 255}}, {1, 0, {0, 255, 0, 255}}, {0, 1, {0, 0, 255, 255}}}},
        {"RGB565 padded to whole tiles",
         GX_TF_RGB565,
         5,
         3,
         {{32, 0xFF}, {33, 0xFF}},
         {{4, 0, {255, 255, 255, 255}}, {3, 0, {0, 0, 0, 255}}}},
        {"RGB5A3 opaque and translucent",
         GX_TF_RGB5A3,
         4,
         4,
         {{0, 0xFC}, {2, 0x3F}, {3, 0x00}},
         {{0, 0, {255, 0, 0, 255}}, {1, 0, {255, 0, 0, 109}}}},
        {"RGBA8 alpha-red then green-blue halves",
         GX_TF_RGBA8,
         4,
         4,
         {{10, 0x11}, {11, 0x22}, {42, 0x33}, {43, 0x44}},
         {{1, 1, {0x22, 0x33, 0x44, 0x11}}}},
        {"CMPR four colours, then three and transparent",
         GX_TF_CMPR,
         8,
         8,
         {{8, 0xF8}, {11, 0x1F}, {12, 0x1B}, {17, 0x1F}, {18, 0xF8}, {20, 0xE4}},
         {{4, 0, {255, 0, 0, 255}},
          {5, 0, {0, 0, 255, 255}},
          {6, 0, {170, 0, 85, 255}},
          {7, 0, {85, 0, 170, 255}},
          {0, 4, {0, 0, 0, 0}},
          {1, 4, {127, 0, 127, 255}},
          {2, 4, {255, 0, 0, 255}},
          {3, 4, {0, 0, 255, 255}}}},
    };
    for (const DecodeCase& c : cases)
        Check(c, Decode(c));
}

TEST(GXTexDecode, IndexedFormatsReadThePalette) {
    const u16 entries[4] = {0x8000, 0xFC00, 0x83E0, 0x801F};  // RGB5A3: black, red, green, blue
    const TexPalette palette{entries, 4, GX_TL_RGB5A3};
    const DecodeCase cases[] = {
        {"C4", GX_TF_C4, 8, 8, {{0, 0x12}}, {{0, 0, {255, 0, 0, 255}}, {1, 0, {0, 255, 0, 255}}}},
        {"C8", GX_TF_C8, 8, 4, {{8, 3}}, {{0, 1, {0, 0, 255, 255}}, {1, 1, {0, 0, 0, 255}}}},
        {"C8 past the palette is transparent", GX_TF_C8, 8, 4, {{0, 200}}, {{0, 0, {0, 0, 0, 0}}}},
        {"C14X2 low 14 bits", GX_TF_C14X2, 4, 4, {{0, 0xC0}, {1, 0x02}}, {{0, 0, {0, 255, 0, 255}}}},
    };
    for (const DecodeCase& c : cases)
        Check(c, Decode(c, palette));
}

TEST(GXTexDecode, PaletteEntryFormats) {
    const auto ia8 = console::gx::DecodeTlutEntry(0x40C0, GX_TL_IA8);
    EXPECT_TRUE(Same(ia8, {0xC0, 0xC0, 0xC0, 0x40}));
    EXPECT_TRUE(Same(console::gx::DecodeTlutEntry(0x07E0, GX_TL_RGB565), {0, 255, 0, 255}));
}

TEST(GXTexDecode, BufferSizes) {
    EXPECT_EQ(GXGetTexBufferSize(640, 448, GX_TF_RGBA8, GX_FALSE, 0), 640u * 448 * 4);
    EXPECT_EQ(GXGetTexBufferSize(5, 3, GX_TF_I4, GX_FALSE, 0), 32u);
    EXPECT_EQ(GXGetTexBufferSize(16, 16, GX_TF_CMPR, GX_FALSE, 0), 128u);
    // 8x8, 4x4, 2x2 and 1x1 I8: two tiles, then one each.
    EXPECT_EQ(GXGetTexBufferSize(8, 8, GX_TF_I8, GX_TRUE, 4), 64u + 32 + 32 + 32);
    EXPECT_EQ(GXGetTexBufferSize(8, 8, GX_TF_I8, GX_TRUE, 2), 96u);
}

}  // namespace
