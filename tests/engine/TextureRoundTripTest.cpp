// The disc builder's encoders against the GX stand-in's decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "console/gx/gx_texdecode.h"
#include "tools/discbuild/TextureEncoder.h"

namespace {

using discbuild::RgbaImage;
using discbuild::TexFormat;

// 11x6: partly filled tiles in both directions; grey texels for the intensity
// formats, colours otherwise, alpha sweeping 0..255.
RgbaImage Sweep(bool grey) {
    RgbaImage image{11, 6, {}};
    for (u32 i = 0; i < image.width * image.height; ++i) {
        const u8 r = u8(i * 37), g = grey ? r : u8(i * 91 + 13), b = grey ? r : u8(255 - i * 53);
        image.rgba.insert(image.rgba.end(), {r, g, b, u8(i * 255 / 65)});
    }
    return image;
}

struct Case {
    TexFormat format;
    bool grey;
    int colourError;  // largest per-channel error from rounding to the format's bits
    int alphaError;   // -1: the format stores no alpha (decodes opaque); -2: alpha is the intensity
};

TEST(TextureRoundTrip, DecodesToTheEncodedPixelsWithinTheFormatsPrecision) {
    const Case cases[] = {
        {TexFormat::I4, true, 9, -2},    {TexFormat::I8, true, 0, -2},      {TexFormat::IA4, true, 9, 9},
        {TexFormat::IA8, true, 0, 0},    {TexFormat::RGB565, false, 4, -1}, {TexFormat::RGB5A3, false, 9, 19},
        {TexFormat::RGBA8, false, 0, 0},
    };
    for (const Case& c : cases) {
        const RgbaImage image = Sweep(c.grey);
        const std::vector<u8> texels = discbuild::EncodeTexture(c.format, image);
        ASSERT_EQ(texels.size(), console::gx::TexLevelBytes(u32(c.format), image.width, image.height));
        std::vector<console::gx::Rgba8> out(image.width * image.height);
        console::gx::DecodeTexLevel(texels.data(), u32(c.format), image.width, image.height, {}, out.data());
        for (size_t i = 0; i < out.size(); ++i) {
            const u8* p = &image.rgba[i * 4];
            const int got[4] = {out[i].r, out[i].g, out[i].b, out[i].a};
            for (int ch = 0; ch < 3; ++ch)
                EXPECT_LE(std::abs(got[ch] - p[ch]), c.colourError)
                    << int(c.format) << " texel " << i << " ch " << ch;
            if (c.alphaError == -2)
                EXPECT_LE(std::abs(got[3] - p[0]), c.colourError) << int(c.format) << " texel " << i;
            else if (c.alphaError == -1 || (c.format == TexFormat::RGB5A3 && p[3] >= 0xF0))
                EXPECT_EQ(got[3], 255) << int(c.format) << " texel " << i;
            else
                EXPECT_LE(std::abs(got[3] - p[3]), c.alphaError) << int(c.format) << " texel " << i;
        }
    }
}

TEST(TextureRoundTrip, CmprKeepsTwoColourBlocksAndTransparency) {
    // Left half red, right half blue; the top-left texel of each 4x4 transparent.
    RgbaImage image{8, 8, {}};
    for (u32 y = 0; y < 8; ++y)
        for (u32 x = 0; x < 8; ++x) {
            const bool hole = x % 4 == 0 && y % 4 == 0;
            image.rgba.insert(image.rgba.end(),
                              {u8(x < 4 ? 255 : 0), 0, u8(x < 4 ? 0 : 255), u8(hole ? 0 : 255)});
        }
    std::vector<console::gx::Rgba8> out(64);
    const std::vector<u8> texels = discbuild::EncodeTexture(TexFormat::CMPR, image);
    console::gx::DecodeTexLevel(texels.data(), u32(TexFormat::CMPR), 8, 8, {}, out.data());
    for (u32 i = 0; i < 64; ++i) {
        EXPECT_EQ(out[i].a, image.rgba[i * 4 + 3]) << i;
        if (out[i].a != 0) {
            EXPECT_EQ(out[i].r, image.rgba[i * 4]) << i;
            EXPECT_EQ(out[i].b, image.rgba[i * 4 + 2]) << i;
        }
    }
}

TEST(TextureRoundTrip, IndexedTexelsAndIA8Palettes) {
    std::vector<u8> indices(11 * 6);
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = u8(i % 16);
    std::vector<u32> colours;
    for (u32 i = 0; i < 16; ++i)
        colours.push_back(0x01010100u * (i * 16) | (255 - i));
    const std::vector<u8> stored = discbuild::EncodePalette(discbuild::PaletteFormat::IA8, colours);
    std::vector<u16> entries;
    for (size_t i = 0; i < stored.size(); i += 2)
        entries.push_back(u16(stored[i] << 8 | stored[i + 1]));
    const console::gx::TexPalette palette{entries.data(), 16, 0};
    for (TexFormat format : {TexFormat::C4, TexFormat::C8}) {
        const std::vector<u8> texels = discbuild::EncodeIndexed(format, 11, 6, indices);
        std::vector<console::gx::Rgba8> out(indices.size());
        console::gx::DecodeTexLevel(texels.data(), u32(format), 11, 6, palette, out.data());
        for (size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].r, indices[i] * 16) << int(format) << " texel " << i;
            EXPECT_EQ(out[i].a, 255 - indices[i]) << int(format) << " texel " << i;
        }
    }
}

}  // namespace
