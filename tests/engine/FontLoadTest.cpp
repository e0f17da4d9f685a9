// Loading fonts: sharing by name with reference counts, the textures a font holds,
// the start-up fonts, and truncated and damaged chunks.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Font.h"
#include "tests/engine/FontFixture.h"
#include "tests/engine/WadFixture.h"
#include "tests/support/DamagedChunks.h"

namespace {

using namespace font_test;
using namespace discbuild;

s32 RefCount(const char* name, const char* type) {
    s_DATA_ENTRY* entry = DataFindEntry(name, type);
    return entry ? entry->refCount : 0;
}

class FontLoadTest : public FontFixture {
protected:
    void SetUp() override {
        FontFixture::SetUp();
        texture_ = LoadTexture("TEXT_T", 0xFFFFFFFFu);
        before_ = Heaps();
    }
    void TearDown() override {
        EXPECT_EQ(Heaps(), before_);
        TextureFree(texture_);
        FontFixture::TearDown();
    }

    s_texture* texture_ = nullptr;
    HeapState before_{};
};

TEST_F(FontLoadTest, ANameLoadedTwiceIsSharedWithItsTexturesAndTheLastFreeReleasesIt) {
    const std::vector<u8> chunk = FntPayload(TextFont());
    s_font* font = Load("TEXT", chunk);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CurrentFont, font);
    EXPECT_EQ(font->textures[0].texture, texture_);
    EXPECT_EQ(RefCount("TEXT_T", "TIM"), 2);

    FontSet(nullptr);
    EXPECT_EQ(Load("TEXT", chunk), font);  // the second chunk is dropped
    EXPECT_EQ(FontLoad("TEXT"), font);
    EXPECT_EQ(RefCount("TEXT", "FNT"), 3);
    EXPECT_EQ(RefCount("TEXT_T", "TIM"), 2);

    FontFree(font);
    FontFree(font);
    EXPECT_EQ(CurrentFont, font);
    FontFree(font);
    EXPECT_EQ(RefCount("TEXT", "FNT"), 0);
    EXPECT_EQ(RefCount("TEXT_T", "TIM"), 1);
    EXPECT_EQ(CurrentFont, nullptr);  // never left pointing at a freed font
    FontFree(nullptr);
}

TEST_F(FontLoadTest, AFontNeverLoadedIsNullAndBecomesCurrent) {
    s_font* font = Load("TEXT", FntPayload(TextFont()));
    EXPECT_EQ(FontLoad("NOTHERE"), nullptr);
    EXPECT_EQ(CurrentFont, nullptr);
    EXPECT_EQ(FontSet(font), nullptr);
    FontFree(font);
}

// The tables have no counts: the definitions run to the next table, the kerning
// entries to the chunk's end, and every index must land inside them.
TEST_F(FontLoadTest, DamagedChunksAreRefusedWithOneLine) {
    const std::vector<u8> good = FntPayload(TextFont());
    const u32 glyphs = LoadBE32(&good[24]);
    const u32 kerning = LoadBE32(&good[28]);  // the chunk ends after its one entry
    const u32 glyphA = glyphs + 2 * kFntGlyphSize;
    using Edit = void (*)(std::vector<u8>&, u32 glyphs, u32 kerning, u32 glyphA);
    const struct {
        const char* why;
        Edit edit;
    } cases[] = {
        {"truncated header", [](std::vector<u8>& c, u32, u32, u32) { c.resize(200); }},
        {"line height", [](std::vector<u8>& c, u32, u32, u32) { StoreBE16(&c[14], 0); }},
        {"texture table outside the chunk",
         [](std::vector<u8>& c, u32, u32, u32) { StoreBE16(&c[18], 5000); }},
        {"texture table outside the chunk",
         [](std::vector<u8>& c, u32, u32, u32) { StoreBE16(&c[18], 0xFFFF); }},
        {"table outside the chunk",
         [](std::vector<u8>& c, u32, u32, u32) { StoreBE32(&c[28], 0xFFFFFFF0u); }},
        // With room for a sixth glyph in the kerning entries, byte 'A' pointing one
        // past the glyphs would read them as a glyph.
        {"character index past the definitions",
         [](std::vector<u8>& c, u32, u32, u32) {
             c.resize(c.size() + kFntGlyphSize);
             c[32 + 'A'] = 5;
         }},
        {"glyph texture past the table", [](std::vector<u8>& c, u32, u32, u32 a) { c[a + 17] = 1; }},
        {"glyph texture coordinates",
         [](std::vector<u8>& c, u32, u32, u32 a) { StoreBE32(&c[a + 4], std::bit_cast<u32>(NAN)); }},
        {"kerning past the table", [](std::vector<u8>& c, u32, u32, u32 a) { c[a + 18] = 2; }},
        {"kerning past the table", [](std::vector<u8>& c, u32, u32, u32 a) { c[a + 19] = 0xFF; }},
        {"kerning past the table", [](std::vector<u8>& c, u32, u32 k, u32) { c.resize(k); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<u8> chunk = good;
        c.edit(chunk, glyphs, kerning, glyphA);
        report_->clear();
        EXPECT_EQ(Load("BAD", chunk), nullptr);
        EXPECT_EQ(report().text(), std::string("FONT: BAD: bad FNT chunk (") + c.why + ")\n");
        EXPECT_EQ(RefCount("BAD", "FNT"), 0);
    }
}

TEST_F(FontLoadTest, EveryTruncationAndRandomDamageLoadsCleanlyOrNotAtAll) {
    const std::vector<u8> good = FntPayload(TextFont());
    std::vector<std::vector<u8>> chunks = Truncations(good, 3);
    for (std::vector<u8>& chunk : Mutations(good, 300, 11))
        chunks.push_back(std::move(chunk));
    for (const std::vector<u8>& chunk : chunks) {
        s_font* font = Load("FUZZ", chunk);
        if (font == nullptr)
            continue;
        f32 total = 0.0f;
        for (u32 c = 0; c < 256; ++c) {
            total += FontCharWidth(u8(c));
            for (u32 previous = 0; previous < 256; previous += 17)
                total += f32(FontGetKerning(u8(c), u8(previous)));
        }
        EXPECT_TRUE(std::isfinite(total));
        FontFree(font);
    }
}

class FontArchiveTest : public WadFixture {};

TEST_F(FontArchiveTest, StartUpFindsTheFontsAnArchiveLoadedAndTheSpecialFontIsCurrent) {
    FontDef icons = IconFontDef();
    icons.textures = {"WIIICONS_T"};
    FontDef text = TextFont();
    text.textures = {"ARIAL10_T"};
    discbuild::WadWriter wad;
    wad.Add(Chunk("ARIAL10_T", "TIM", SolidTexture(0xFFFFFFFFu)));
    wad.Add(Chunk("ARIAL10", "FNT", FntPayload(text)));
    wad.Add(Chunk("WIIICONS_T", "TIM", SolidTexture(0x00FF00FFu)));
    wad.Add(Chunk("WIIICONS", "FNT", FntPayload(icons)));
    Write("PRELOAD.WAD", wad);
    const Usage before = InUse();

    EXPECT_EQ(FontStartup("ARIAL10", "WIIICONS", nullptr, 0, 0), RET_ERROR);  // nothing loaded yet
    s_wad* loaded = WadLoad("PRELOAD.WAD", 0);
    ASSERT_NE(loaded, nullptr);

    EXPECT_EQ(FontStartup("ARIAL10", "WIIICONS", nullptr, 0, 0), RET_NO_ERROR);
    EXPECT_EQ(SystemFont, DataFind("ARIAL10", "FNT"));
    EXPECT_EQ(IconFont, DataFind("WIIICONS", "FNT"));
    EXPECT_EQ(SystemFont->textures[0].texture, TextureFind("ARIAL10_T"));
    EXPECT_EQ(CurrentFont, nullptr);  // the last one tried: no special font
    EXPECT_EQ(RefCount("ARIAL10", "FNT"), 2);
    EXPECT_EQ(FontStartup("ARIAL10", "WIIICONS", "SPECIAL", 0, 0), RET_ERROR);

    report_->clear();
    FontStartup(nullptr, nullptr, nullptr, 50, 0);
    EXPECT_EQ(report().text(), "ERROR! Too many special characters!\n");
    EXPECT_EQ(FontNumSpecialChars, 45);  // 41, reaching past the four codes it skips

    for (const char* name : {"ARIAL10", "ARIAL10", "WIIICONS", "WIIICONS"})
        FontFree(static_cast<s_font*>(DataFind(name, "FNT")));
    WadFree(loaded);
    EXPECT_EQ(DataFind("ARIAL10", "FNT"), nullptr);
    EXPECT_EQ(TextureFind("ARIAL10_T"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
