#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using namespace discbuild;

RgbaImage Gradient(u32 width, u32 height, u8 alpha) {
    RgbaImage image{width, height, {}};
    for (u32 i = 0; i < width * height; ++i)
        image.rgba.insert(image.rgba.end(), {u8(i), u8(i * 3), u8(i * 7), alpha});
    return image;
}

u32 Word(const std::vector<u8>& chunk, u32 offset) {
    EXPECT_LE(offset + 4, chunk.size());
    return offset + 4 <= chunk.size() ? LoadBE32(&chunk[offset]) : 0;
}

std::vector<u8> Bytes(const std::vector<u8>& chunk, u32 offset, size_t size) {
    EXPECT_LE(offset + size, chunk.size());
    return {chunk.begin() + offset, chunk.begin() + std::ptrdiff_t(offset + size)};
}

TEST(TimWriter, MipLevelsFollowOneAnother) {
    TimTexture texture;
    texture.image = Gradient(16, 8, 0xFF);
    texture.levels = 3;
    texture.mipBias = -1.5f;
    const std::vector<u8> chunk = TimPayload(texture);

    EXPECT_EQ(Word(chunk, 0), kTimMipMap);
    EXPECT_EQ(std::bit_cast<f32>(Word(chunk, 8)), -1.5f);
    ASSERT_EQ(Word(chunk, 12), 3u);
    EXPECT_EQ(Word(chunk, 16), kTimHeaderSize);
    EXPECT_EQ(Word(chunk, 20), 0u);

    RgbaImage level = texture.image;
    u32 expectedImage = Word(chunk, kTimHeaderSize + 20);
    EXPECT_EQ(expectedImage % 32, 0u);
    for (u32 i = 0; i < 3; ++i, level = HalveImage(level)) {
        const u32 map = kTimHeaderSize + i * kTimMapSize;
        const std::vector<u8> texels = EncodeTexture(TexFormat::RGBA8, level);
        EXPECT_EQ(Word(chunk, map + 4), level.width) << i;
        EXPECT_EQ(Word(chunk, map + 8), level.height) << i;
        EXPECT_EQ(Word(chunk, map + 12), 32u);
        EXPECT_EQ(Word(chunk, map + 16), texels.size());
        EXPECT_EQ(Word(chunk, map + 20), expectedImage);
        EXPECT_EQ(Word(chunk, map + 24), 0u);  // no palette
        EXPECT_EQ(Word(chunk, map + 120), kTimCodeRgba8);
        EXPECT_EQ(Bytes(chunk, expectedImage, texels.size()), texels) << i;
        expectedImage += u32(texels.size());
    }
    EXPECT_EQ(chunk.size(), expectedImage);
}

TEST(TimWriter, FlagsFollowTheContent) {
    TimTexture cmpr;
    cmpr.format = TexFormat::CMPR;
    cmpr.image = Gradient(8, 8, 0x40);
    cmpr.keepFile = true;
    const std::vector<u8> chunk = TimPayload(cmpr);
    EXPECT_EQ(Word(chunk, 0), kTimKeepFile | kTimHasAlpha | kTimCompressed);
    EXPECT_EQ(Word(chunk, kTimHeaderSize + 12), 4u);
    EXPECT_EQ(Word(chunk, kTimHeaderSize + 120), kTimCodeCmpr);
    EXPECT_EQ(Word(chunk, kTimHeaderSize + 124), kTimNoPalette);
}

TEST(TimWriter, PalettesLieTwoHalvesApart) {
    TimTexture texture;
    texture.format = TexFormat::C8;
    texture.image = {8, 4, {}};
    texture.indices.assign(32, 1);
    texture.indices[0] = 0;
    texture.palette = {0x11223300, 0xFFFFFFFF};
    texture.children = {"CHILD0", "FIFTEEN_LETTERS"};
    const std::vector<u8> chunk = TimPayload(texture);

    EXPECT_EQ(Word(chunk, 0), kTimHasPalette | kTimHasAlpha);
    const u32 map = kTimHeaderSize;
    EXPECT_EQ(Word(chunk, map + 12), 8u);
    EXPECT_EQ(Word(chunk, map + 24), 2u);
    EXPECT_EQ(Word(chunk, map + 120), kTimCodeC8);
    EXPECT_EQ(Word(chunk, map + 124), kTimCodePaletteIA8);
    EXPECT_EQ(Bytes(chunk, Word(chunk, map + 20), 32), EncodeIndexed(TexFormat::C8, 8, 4, texture.indices));
    const u32 palette = Word(chunk, map + 28);
    EXPECT_EQ(palette % 32, 0u);
    // Green and red, then alpha and blue, as IA8 pairs.
    EXPECT_EQ(Bytes(chunk, palette, 4), (std::vector<u8>{0x22, 0x11, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(chunk, palette + 512, 4), (std::vector<u8>{0x00, 0x33, 0xFF, 0xFF}));
    EXPECT_EQ(chunk.size(), palette + kTimPaletteBytes);

    ASSERT_EQ(Word(chunk, 20), 2u);
    const u32 children = Word(chunk, 24);
    EXPECT_EQ(children, kTimHeaderSize + kTimMapSize);
    EXPECT_STREQ(reinterpret_cast<const char*>(&chunk[children]), "CHILD0");
    EXPECT_STREQ(reinterpret_cast<const char*>(&chunk[children + kTimChildSize]), "FIFTEEN_LETTERS");
}

TEST(TimWriter, RejectsWhatTheLoaderCannotTake) {
    TimTexture i4;
    i4.format = TexFormat::I4;
    i4.image = Gradient(8, 8, 0xFF);
    EXPECT_THROW(TimPayload(i4), std::invalid_argument);

    TimTexture noLevels;
    noLevels.image = Gradient(4, 4, 0xFF);
    noLevels.levels = 0;
    EXPECT_THROW(TimPayload(noLevels), std::invalid_argument);

    TimTexture c8;
    c8.format = TexFormat::C8;
    c8.image = {2, 1, {}};
    c8.indices = {0, 2};
    c8.palette = {0xFFFFFFFF, 0xFF};
    EXPECT_THROW(TimPayload(c8), std::invalid_argument);  // index 2 past the palette
    c8.indices = {0, 1};
    c8.levels = 2;
    EXPECT_THROW(TimPayload(c8), std::invalid_argument);
    c8.levels = 1;
    c8.children = {"SIXTEEN_LETTERS_"};
    EXPECT_THROW(TimPayload(c8), std::invalid_argument);
    c8.children.clear();
    EXPECT_NO_THROW(TimPayload(c8));
}

}  // namespace
