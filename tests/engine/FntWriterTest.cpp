#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "tools/discbuild/FntWriter.h"

namespace {

using namespace discbuild;

FontDef TwoGlyphFont() {
    FontDef font;
    font.width = 12;
    font.height = 16;
    font.spacing = -1;
    font.textures = {"ARIAL16_0"};
    font.glyphs.resize(2);  // glyph 0: a blank advance
    font.glyphs[0].width = 4;
    font.glyphs[1] = {0.25f, 0.5f, 0.75f, 1.0f, 9, 0, {{'a', 'z', 2}, {'.', '.', 1}}};
    font.charIndex['A'] = 1;
    return font;
}

TEST(FntWriter, TablesFollowTheHeaderAndEndTheChunk) {
    const std::vector<u8> chunk = FntPayload(TwoGlyphFont());
    ASSERT_EQ(chunk.size(), kFntHeaderSize + kFntTextureSize + 2 * kFntGlyphSize + 2 * kFntKernSize);
    EXPECT_EQ(LoadBE32(&chunk[8]), 0u);
    EXPECT_EQ(s16(LoadBE16(&chunk[12])), 12);
    EXPECT_EQ(s16(LoadBE16(&chunk[14])), 16);
    EXPECT_EQ(s16(LoadBE16(&chunk[16])), -1);
    EXPECT_EQ(LoadBE16(&chunk[18]), 1);
    const u32 textures = LoadBE32(&chunk[20]), glyphs = LoadBE32(&chunk[24]), kerning = LoadBE32(&chunk[28]);
    EXPECT_EQ(textures, kFntHeaderSize);
    EXPECT_EQ(glyphs, textures + kFntTextureSize);
    EXPECT_EQ(kerning, glyphs + 2 * kFntGlyphSize);
    EXPECT_EQ(chunk[32 + 'A'], 1);
    EXPECT_EQ(chunk[32 + 'B'], 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(&chunk[textures]), "ARIAL16_0");

    const u8* blank = &chunk[glyphs];
    EXPECT_EQ(blank[16], 4);
    EXPECT_EQ(s8(blank[17]), -1);
    EXPECT_EQ(blank[18], 0);
    const u8* a = &chunk[glyphs + kFntGlyphSize];
    EXPECT_EQ(std::bit_cast<f32>(LoadBE32(a)), 0.25f);
    EXPECT_EQ(std::bit_cast<f32>(LoadBE32(a + 12)), 1.0f);
    EXPECT_EQ(a[16], 9);
    EXPECT_EQ(a[17], 0);
    EXPECT_EQ(a[18], 2);
    EXPECT_EQ(a[19], 0);
    EXPECT_EQ(std::vector<u8>(chunk.begin() + kerning, chunk.end()),
              (std::vector<u8>{'a', 'z', 0, 2, '.', '.', 0, 1}));
}

TEST(FntWriter, RejectsWhatTheLoaderCannotReach) {
    struct Case {
        const char* what;
        void (*spoil)(FontDef&);
    };
    const Case cases[] = {
        {"byte past the glyphs", [](FontDef& f) { f.charIndex['Z'] = 2; }},
        {"texture past the table", [](FontDef& f) { f.glyphs[1].texture = 1; }},
        {"long texture name", [](FontDef& f) { f.textures[0] = "SIXTEEN_LETTERS_"; }},
        {"kerning of a high byte", [](FontDef& f) { f.glyphs[1].kerns[0].last = 200; }},
        {"first kerning entry past 127",
         [](FontDef& f) {
             f.glyphs[0].kerns.assign(127, {});
             f.glyphs.push_back(f.glyphs[1]);
         }},
    };
    for (const Case& c : cases) {
        FontDef font = TwoGlyphFont();
        c.spoil(font);
        EXPECT_THROW(FntPayload(font), std::invalid_argument) << c.what;
    }
    FontDef edge = TwoGlyphFont();
    edge.glyphs[0].kerns.assign(126, {});  // the next glyph's kerning starts at 126
    EXPECT_NO_THROW(FntPayload(edge));
}

}  // namespace
