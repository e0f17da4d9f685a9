#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tools/discbuild/TextureEncoder.h"

namespace {

using discbuild::EncodeIndexed;
using discbuild::EncodePalette;
using discbuild::EncodeTexture;
using discbuild::PaletteFormat;
using discbuild::RgbaImage;
using discbuild::TexFormat;

// A width x height image of one colour 0xRRGGBBAA with chosen texels set apart.
RgbaImage Image(u32 width, u32 height, u32 fill, std::vector<std::pair<u32, u32>> texels = {}) {
    RgbaImage image{width, height, {}};
    for (u32 i = 0; i < width * height; ++i)
        for (int c = 0; c < 4; ++c)
            image.rgba.push_back(u8(fill >> (24 - 8 * c)));
    for (auto [index, colour] : texels)
        for (int c = 0; c < 4; ++c)
            image.rgba[index * 4 + c] = u8(colour >> (24 - 8 * c));
    return image;
}

struct ByteCase {
    const char* what;
    TexFormat format;
    RgbaImage image;
    size_t size;
    std::vector<std::pair<size_t, u8>> bytes;  // offset, value; every other byte is 0
};

class TextureEncoderBytes : public testing::TestWithParam<ByteCase> {};

TEST_P(TextureEncoderBytes, MatchesHandWorkedTiles) {
    const ByteCase& c = GetParam();
    const std::vector<u8> out = EncodeTexture(c.format, c.image);
    ASSERT_EQ(out.size(), c.size);
    std::vector<u8> expected(c.size);
    for (auto [offset, value] : c.bytes)
        expected[offset] = value;
    EXPECT_EQ(out, expected);
}

constexpr u32 kBlack = 0x000000FF;
constexpr u32 kWhite = 0xFFFFFFFF;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Formats, TextureEncoderBytes, testing::Values(
    // I4: 8x8 tiles, rows of four bytes, the left texel in the high nibble.
    ByteCase{"i4", TexFormat::I4, Image(2, 2, 0, {{0, kWhite}, {1, 0x111111FF}, {3, 0x222222FF}}), 32,
             {{0, 0xF1}, {4, 0x02}}},
    // I8: 8x4 tiles; the ninth texel starts the second tile; red is luminance 77.
    ByteCase{"i8", TexFormat::I8, Image(9, 1, 0, {{0, 0xFF0000FF}, {8, 0x808080FF}}), 64, {{0, 77}, {32, 0x80}}},
    ByteCase{"i8 second row", TexFormat::I8, Image(8, 2, 0, {{8, kWhite}}), 32, {{8, 0xFF}}},
    // IA4: alpha in the high nibble; 0x80 rounds to 8 of 15.
    ByteCase{"ia4", TexFormat::IA4, Image(1, 1, 0xFFFFFF80), 32, {{0, 0x8F}}},
    // IA8: 4x4 tiles, alpha byte then intensity byte.
    ByteCase{"ia8", TexFormat::IA8, Image(5, 1, 0, {{0, 0x404040C0}, {4, kWhite}}), 64,
             {{0, 0xC0}, {1, 0x40}, {32, 0xFF}, {33, 0xFF}}},
    ByteCase{"rgb565", TexFormat::RGB565, Image(2, 2, 0, {{0, 0xFF0000FF}, {1, 0x00FF00FF}, {2, 0x0000FFFF}}), 32,
             {{0, 0xF8}, {2, 0x07}, {3, 0xE0}, {9, 0x1F}}},
    // RGB5A3: opaque texels take 5:5:5 behind a set top bit, others 3:4:4:4.
    ByteCase{"rgb5a3", TexFormat::RGB5A3, Image(3, 1, 0, {{0, kWhite}, {1, 0xFF000000}, {2, 0x0000FF80}}), 32,
             {{0, 0xFF}, {1, 0xFF}, {2, 0x0F}, {4, 0x40}, {5, 0x0F}}},
    // RGBA8: per 4x4 tile 16 AR pairs, then 16 GB pairs.
    ByteCase{"rgba8", TexFormat::RGBA8, Image(4, 2, 0, {{0, 0x01020304}, {5, 0x05060708}}), 64,
             {{0, 4}, {1, 1}, {32, 2}, {33, 3}, {10, 8}, {11, 5}, {42, 6}, {43, 7}}},
    ByteCase{"rgba8 second tile", TexFormat::RGBA8, Image(5, 1, 0, {{4, 0x11223344}}), 128,
             {{64, 0x44}, {65, 0x11}, {96, 0x22}, {97, 0x33}}},
    // CMPR: one colour gives equal endpoints and index 0 in all four sub-blocks.
    ByteCase{"cmpr solid", TexFormat::CMPR, Image(8, 8, 0xFF0000FF), 32,
             {{0, 0xF8}, {2, 0xF8}, {8, 0xF8}, {10, 0xF8}, {16, 0xF8}, {18, 0xF8}, {24, 0xF8}, {26, 0xF8}}},
    // White left half, black right half: four-colour block, indices MSB first.
    ByteCase{"cmpr two colours", TexFormat::CMPR,
             Image(4, 4, kBlack, {{0, kWhite}, {1, kWhite}, {4, kWhite}, {5, kWhite}, {8, kWhite}, {9, kWhite},
                                  {12, kWhite}, {13, kWhite}}), 32,
             {{0, 0xFF}, {1, 0xFF}, {4, 0x05}, {5, 0x05}, {6, 0x05}, {7, 0x05}}},
    // A transparent texel: three-colour block (c0 <= c1) with index 3 there.
    ByteCase{"cmpr transparent", TexFormat::CMPR, Image(4, 4, kWhite, {{0, 0}}), 32,
             {{0, 0xFF}, {1, 0xFF}, {2, 0xFF}, {3, 0xFF}, {4, 0xC0}}},
    // Sub-blocks go top left, top right, bottom left, bottom right.
    ByteCase{"cmpr sub-block order", TexFormat::CMPR, Image(8, 8, kBlack, {{4, 0x0000FFFF}, {32, 0x00FF00FF}}), 32,
             {{9, 0x1F}, {12, 0x15}, {13, 0x55}, {14, 0x55}, {15, 0x55},
              {16, 0x07}, {17, 0xE0}, {20, 0x15}, {21, 0x55}, {22, 0x55}, {23, 0x55}}}),
    [](const testing::TestParamInfo<ByteCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (ch == ' ' || ch == '-')
                ch = '_';
        return name;
    });
// clang-format on

TEST(TextureEncoder, IndexedTilesAndNibbles) {
    // C4: 8x8 tiles of four-byte rows; C8: 8x4 tiles of eight-byte rows.
    std::vector<u8> c4(9 * 2), c8(9 * 2);
    c4[0] = 0x1A;  // only the low 4 bits are kept
    c4[10] = 0x7;  // (1, 1)
    c4[8] = 0x3;   // (8, 0): the second tile
    c8[9] = 0xAB;  // (0, 1)
    c8[8] = 0xCD;  // (8, 0)
    std::vector<u8> want4(64), want8(64);
    want4[0] = 0xA0;
    want4[4] = 0x07;
    want4[32] = 0x30;
    want8[8] = 0xAB;
    want8[32] = 0xCD;
    EXPECT_EQ(EncodeIndexed(TexFormat::C4, 9, 2, c4), want4);
    EXPECT_EQ(EncodeIndexed(TexFormat::C8, 9, 2, c8), want8);
}

TEST(TextureEncoder, PaletteEntries) {
    const std::vector<u32> colours = {0xFFFFFF80, 0x00FF00FF, 0xFF000000};
    EXPECT_EQ(EncodePalette(PaletteFormat::IA8, colours), (std::vector<u8>{0x80, 0xFF, 0xFF, 150, 0, 77}));
    EXPECT_EQ(EncodePalette(PaletteFormat::RGB565, colours),
              (std::vector<u8>{0xFF, 0xFF, 0x07, 0xE0, 0xF8, 0x00}));
    EXPECT_EQ(EncodePalette(PaletteFormat::RGB5A3, colours),
              (std::vector<u8>{0x4F, 0xFF, 0x83, 0xE0, 0x0F, 0x00}));
}

TEST(TextureEncoder, HalvingAveragesAndStopsAtOne) {
    const RgbaImage half = discbuild::HalveImage(Image(2, 2, 0, {{0, 0x0A000000}, {3, 0x1F000000}}));
    EXPECT_EQ(half.width, 1u);
    EXPECT_EQ(half.height, 1u);
    EXPECT_EQ(half.rgba, (std::vector<u8>{10, 0, 0, 0}));  // (0 + 10 + 0 + 31 + 2) / 4
    EXPECT_EQ(discbuild::HalveImage(Image(1, 4, kWhite)).height, 2u);
}

TEST(TextureEncoder, RejectsMismatchedInput) {
    RgbaImage wrong = Image(2, 2, kWhite);
    wrong.rgba.pop_back();
    EXPECT_THROW(EncodeTexture(TexFormat::RGBA8, wrong), std::invalid_argument);
    EXPECT_THROW(EncodeTexture(TexFormat::C8, Image(1, 1, kWhite)), std::invalid_argument);
    EXPECT_THROW(EncodeIndexed(TexFormat::I8, 1, 1, {0}), std::invalid_argument);
    EXPECT_THROW(EncodeIndexed(TexFormat::C8, 2, 1, {0}), std::invalid_argument);
}

}  // namespace
