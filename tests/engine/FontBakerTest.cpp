#include <gtest/gtest.h>

#include <bit>
#include <stdexcept>
#include <string>

#include "orblib47/source/ChunkReader.h"
#include "tools/discbuild/FntWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/fontbake/FontBaker.h"

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kLiberation = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

struct Glyph {
    f32 u0, v0, u1, v1;
    s8 width, texture;
};

Glyph GlyphOf(const std::vector<u8>& fnt, u8 byte) {
    const u8* def = &fnt.at(LoadBE32(&fnt[24]) + fnt.at(32 + byte) * discbuild::kFntGlyphSize);
    const auto f = [&](int at) { return std::bit_cast<f32>(LoadBE32(def + at)); };
    return {f(0), f(4), f(8), f(12), s8(def[16]), s8(def[17])};
}

// The alpha of the sheet's texel (x, y) inside the RGBA8 tiles.
u8 Alpha(const std::vector<u8>& tim, u32 x, u32 y) {
    const u32 map = discbuild::kTimHeaderSize, width = LoadBE32(&tim[map + 4]);
    const u32 tile = (y / 4) * (width / 4) + x / 4;
    return tim.at(LoadBE32(&tim[map + 20]) + tile * 64 + ((y % 4) * 4 + x % 4) * 2);
}

TEST(FontBaker, CellsHoldTheirGlyphsOnTheLine) {
    const fontbake::BakedFont baked = fontbake::BakeFont({kDejaVu, "TESTFONT", 16, {}});
    EXPECT_EQ(baked.textureName, "TESTFONT_T");
    const std::vector<u8>& fnt = baked.fnt;
    const s16 height = s16(LoadBE16(&fnt[14]));
    EXPECT_GE(height, 16);
    EXPECT_LE(height, 22);
    EXPECT_STREQ(reinterpret_cast<const char*>(&fnt[LoadBE32(&fnt[20])]), "TESTFONT_T");

    const u32 sheetWidth = LoadBE32(&baked.tim[discbuild::kTimHeaderSize + 4]);
    const u32 sheetHeight = LoadBE32(&baked.tim[discbuild::kTimHeaderSize + 8]);
    EXPECT_EQ(sheetWidth & (sheetWidth - 1), 0u);  // repeat wrapping needs powers of two
    EXPECT_EQ(sheetHeight & (sheetHeight - 1), 0u);

    const Glyph space = GlyphOf(fnt, ' '), a = GlyphOf(fnt, 'A'), control = GlyphOf(fnt, 7);
    EXPECT_EQ(control.texture, -1);
    EXPECT_EQ(control.width, 0);
    ASSERT_EQ(a.texture, 0);
    EXPECT_GT(a.width, 5);
    EXPECT_FLOAT_EQ((a.u1 - a.u0) * f32(sheetWidth), f32(a.width));
    EXPECT_FLOAT_EQ((a.v1 - a.v0) * f32(sheetHeight), f32(height));

    const auto ink = [&](const Glyph& g) {
        u32 sum = 0;
        for (u32 y = u32(g.v0 * f32(sheetHeight)); y < u32(g.v1 * f32(sheetHeight)); ++y)
            for (u32 x = u32(g.u0 * f32(sheetWidth)); x < u32(g.u1 * f32(sheetWidth)); ++x)
                sum += Alpha(baked.tim, x, y);
        return sum;
    };
    EXPECT_EQ(ink(space), 0u);
    EXPECT_GT(ink(a), 255u * 10);
    // The euro sign is byte 0x80 in Windows-1252.
    EXPECT_GT(ink(GlyphOf(fnt, 0x80)), 255u * 5);
}

// The pixels the pair `left` `right` is drawn closer by, from left's kerning entries.
s32 Tighten(const std::vector<u8>& fnt, u8 left, u8 right) {
    const u8* def = &fnt.at(LoadBE32(&fnt[24]) + fnt.at(32 + left) * discbuild::kFntGlyphSize);
    for (s32 i = 0; i < s8(def[18]); ++i) {
        const u8* kern = &fnt.at(LoadBE32(&fnt[28]) + (s8(def[19]) + i) * 4u);
        if (s8(right) >= s8(kern[0]) && s8(right) <= s8(kern[1]))
            return LoadBE16(kern + 2);
    }
    return 0;
}

// Only the pairs the face kerns are drawn closer, by the face's amount rounded:
// a space keeps its width between sentences and after a capital.
TEST(FontBaker, OnlyKernedPairsAreDrawnCloser) {
    const std::vector<u8> fnt = fontbake::BakeFont({kLiberation, "KERNED", 18, {}}).fnt;
    const struct {
        const char* pair;
        s32 tighten;
    } rows[] = {{"A ", 1}, {" A", 1}, {"AV", 1}, {" s", 0}, {"? ", 0}, {". ", 0}, {" F", 0}, {"no", 0}};
    for (const auto& row : rows)
        EXPECT_EQ(Tighten(fnt, u8(row.pair[0]), u8(row.pair[1])), row.tighten) << "'" << row.pair << "'";
}

TEST(FontBaker, RemappedBytesDrawOtherCharacters) {
    const fontbake::BakedFont plain = fontbake::BakeFont({kDejaVu, "PLAIN", 12, {}});
    const fontbake::BakedFont icons = fontbake::BakeFont({kDejaVu, "ICONS", 12, {{130, U'\u2460'}}});
    EXPECT_EQ(GlyphOf(plain.fnt, 130).texture, 0);  // U+201A, a low quotation mark
    EXPECT_NE(GlyphOf(icons.fnt, 130).width, GlyphOf(plain.fnt, 130).width);
}

TEST(FontBaker, WindowsCodePage) {
    EXPECT_EQ(fontbake::Cp1252ToUnicode('A'), U'A');
    EXPECT_EQ(fontbake::Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(fontbake::Cp1252ToUnicode(0x81), 0u);
    EXPECT_EQ(fontbake::Cp1252ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(fontbake::Cp1252ToUnicode(0xE9), U'\u00E9');
}

TEST(FontBaker, RefusesBadRequests) {
    EXPECT_THROW(fontbake::BakeFont({"/nonexistent.ttf", "X", 12, {}}), std::runtime_error);
    EXPECT_THROW(fontbake::BakeFont({kDejaVu, "FOURTEEN_CHARS", 12, {}}), std::runtime_error);
}

}  // namespace
