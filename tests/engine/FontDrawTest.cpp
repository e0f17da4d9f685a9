// Drawing text: where glyph quads land, justified lines, leading spaces, icon
// glyphs from the icon font, colour codes of the screen-movie path, the printf
// buffer and the shadow. The text sheet is white and the icon sheet green, on blue.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "console/gx/efb_control.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "tests/engine/FontFixture.h"

namespace {

using namespace font_test;

constexpr u32 kBlue = 0x0000FFu;
constexpr u32 kWhite = 0xFFFFFFu;
constexpr u32 kRed = 0xFF0000u;
constexpr u32 kGreen = 0x00FF00u;
constexpr u32 kBlack = 0x000000u;

class FontDrawTest : public LoadedFontFixture {
protected:
    void SetUp() override {
        LoadedFontFixture::SetUp();
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetStencilMode(DC_STENCIL_OFF);
        Background();
    }

    static void Background() {
        DrawSetTexture(nullptr);
        DrawBegin(PRIM_QUAD);
        for (const auto [x, y] : {std::array{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            s_draw_vertex v;
            DrawInitVertex(&v);
            v.coord = {640.0f * f32(x), 448.0f * f32(y), -0.5f, 1.0f};
            v.color = 0x0000FFFFu;
            DrawVertex(&v);
        }
        DrawEnd();
    }
    static u32 Pixel(s32 x, s32 y) { return HostEFBColor(u32(x), u32(y)) & 0x00FFFFFFu; }
    // True when exactly the pixels of [x0, x1) x [y0, y1) of the row and column
    // through the rectangle's middle show `color`.
    static bool Covers(s32 x0, s32 y0, s32 x1, s32 y1, u32 color) {
        const s32 mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        return Pixel(x0, my) == color && Pixel(x1 - 1, my) == color && Pixel(mx, y0) == color &&
               Pixel(mx, y1 - 1) == color && Pixel(x0 - 1, my) != color && Pixel(x1, my) != color &&
               Pixel(mx, y0 - 1) != color && Pixel(mx, y1) != color;
    }
};

TEST_F(FontDrawTest, AGlyphsQuadCoversItsCellAboveThePen) {
    FontDrawString("A", 0, 100.0f, 50.0f);
    EXPECT_TRUE(Covers(100, 40, 105, 50, kWhite));
    EXPECT_EQ(FontPenLoc.x, 106.0f);

    FontSetScale(2.0f, 2.0f);
    FontDrawString("A", 0, 200.6f, 100.7f);  // corners truncated to whole pixels
    EXPECT_TRUE(Covers(200, 80, 210, 100, kWhite));
}

TEST_F(FontDrawTest, CentredLinesAreEachCentredOnTheirOwnWidth) {
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    FontDrawString("AAAA\nAA", 0, 320.0f, 100.0f);
    EXPECT_TRUE(Covers(308, 90, 313, 100, kWhite));  // 24 pixels wide
    // 12 pixels wide, one line down: glyphs at 314 and 320.
    EXPECT_EQ(Pixel(313, 105), kBlue);
    EXPECT_EQ(Pixel(314, 105), kWhite);
    EXPECT_EQ(Pixel(324, 109), kWhite);
    EXPECT_EQ(Pixel(325, 105), kBlue);
    EXPECT_EQ(Pixel(326, 95), kWhite);
    EXPECT_EQ(Pixel(326, 105), kBlue);
    EXPECT_EQ(Pixel(320, 110), kBlue);
}

TEST_F(FontDrawTest, ALeadingSpaceIsNotMeasuredButIsDrawn) {
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    FontDrawString(" A", 0, 320.0f, 50.0f);
    EXPECT_TRUE(Covers(321, 40, 326, 50, kWhite));  // cursor at 317, then the space's 4
}

TEST_F(FontDrawTest, IconBytesDrawUntintedFromTheIconFontAtTheTextsHeight) {
    DrawSetFlatColor(0xFF0000FFu);
    FontDrawString(
        "A\x82"
        "A",
        0, 100.0f, 50.0f);
    EXPECT_TRUE(Covers(100, 40, 105, 50, kRed));
    EXPECT_TRUE(Covers(106, 40, 111, 50, kGreen));  // 10 x 20 at half size
    EXPECT_TRUE(Covers(112, 40, 117, 50, kRed));
    EXPECT_EQ(DrawContext.color, 0xFF0000FFu);
    EXPECT_EQ(DrawContext.texture, textTexture_);
}

TEST_F(FontDrawTest, ColourCodesSwitchTheScreenMovieColourAndDrawNothing) {
    const struct {
        std::string text;
        u32 color;
    } cases[] = {
        {"%CRED A", kRed},
        {"%CGREEN A", kGreen},
        {"%CNOSUCHCOLOUR A", kWhite},                      // unchanged, and the code still takes no room
        {"%CRED" + std::string(200, 'D') + " A", kWhite},  // cut at its buffer: matches nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        Background();
        FontColor = {1.0f, 1.0f, 1.0f, 1.0f};
        DrawSetTexture(textTexture_);
        FontDrawStringNoSetTexture(c.text.c_str(), 0, 100.0f, 50.0f);
        EXPECT_TRUE(Covers(100, 40, 105, 50, c.color));
    }
}

TEST_F(FontDrawTest, ACodeAtTheEndEndsTheText) {
    const char text[] = "A%CRED\0AAAA";
    DrawSetTexture(textTexture_);
    FontDrawStringNoSetTexture(text, 0, 100.0f, 50.0f);
    EXPECT_TRUE(Covers(100, 40, 105, 50, kWhite));
    EXPECT_EQ(Pixel(108, 45), kBlue);
    EXPECT_EQ(FontColor.green, 0.0f);
}

TEST_F(FontDrawTest, PrintfKeepsAtMost511Characters) {
    const std::string text(600, 'A');
    FontPrintf("%s", 100.0 - 510 * 6, 50.0, text.c_str());
    EXPECT_TRUE(Covers(100, 40, 105, 50, kWhite));  // the 511th
    EXPECT_EQ(Pixel(108, 45), kBlue);
}

TEST_F(FontDrawTest, ShadowsFallBelowOrAboveInBlackUnderTheText) {
    for (const s32 up : {0, 1}) {
        Background();
        FontDrawStringShadowed("A", up, 100.0f, 50.0f);
        EXPECT_TRUE(Covers(100, 40, 105, 50, kWhite));
        EXPECT_EQ(Pixel(105, 45), kBlack);
        EXPECT_EQ(Pixel(102, up ? 39 : 50), kBlack);
        EXPECT_EQ(DrawContext.color, 0xFFFFFFFFu);
    }
}

TEST_F(FontDrawTest, WithNoFontOrNoTextNothingIsDrawn) {
    FontDrawString(nullptr, 0, 100.0f, 50.0f);
    FontSet(nullptr);
    FontDrawString("A", 0, 100.0f, 50.0f);
    FontDrawChar('A');
    FontPrintf("A", 100.0, 50.0);
    EXPECT_EQ(Pixel(102, 45), kBlue);
}

}  // namespace
