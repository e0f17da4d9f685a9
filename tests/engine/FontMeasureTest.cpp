// Measuring text: advances by mode and scale, kerning, icon bytes at the current
// font's height, leading spaces, colour codes and where justified lines start.
#include <gtest/gtest.h>

#include "orblib47/source/Font.h"
#include "tests/engine/FontFixture.h"

namespace {

using namespace font_test;

using FontMeasureTest = LoadedFontFixture;

TEST_F(FontMeasureTest, AdvancesFollowModeScaleAndTheIconFontsHeight) {
    struct Case {
        s32 mode;
        f32 scale;
        u8 c;
        f32 width;
    } cases[] = {
        {FONT_MODE_PROPORTIONAL, 1.0f, 'A', 6.0f},    {FONT_MODE_PROPORTIONAL, 1.0f, ' ', 4.0f},
        {FONT_MODE_PROPORTIONAL, 1.0f, 'W', 15.0f},   {FONT_MODE_PROPORTIONAL, 2.0f, 'A', 12.0f},
        {FONT_MODE_PROPORTIONAL, 1.0f, kIcon, 6.0f},  // (10 + 2) at 10/20 of its height
        {FONT_MODE_PROPORTIONAL, 2.0f, kIcon, 12.0f}, {FONT_MODE_FIXED, 1.0f, 'W', 8.0f},
        {FONT_MODE_FIXED, 2.0f, 'i', 16.0f},          {FONT_MODE_FIXED, 1.0f, kIcon, 20.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " scale " << c.scale << " byte " << u32(c.c));
        FontSetMode(c.mode);
        FontSetScale(c.scale, c.scale);
        EXPECT_EQ(FontCharWidth(c.c), c.width);
    }
}

TEST_F(FontMeasureTest, StringWidthsSkipALeadingSpaceAndColourCodesAndStopAtALineFeed) {
    const struct {
        const char* text;
        f32 width;
    } cases[] = {
        {"", 0.0f},          {"AW", 21.0f},
        {"AV", 10.0f},  // kerned by 2
        {"VA", 12.0f},       {" AW", 21.0f},
        {"  AW", 25.0f},  // only the first space
        {"AW\nWWWW", 21.0f}, {"%CRED AW", 21.0f},
        {"A%CRED W", 21.0f}, {"%CUNKNOWN AW", 21.0f},  // an unknown name takes no room either
        {"AW%CRED", 21.0f},                            // a code at the end ends the text
        {"A\x82", 12.0f},                              // icon byte, no kerning with it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FontStringWidth(c.text), c.width);
    }
    // Nothing after the terminator that ends a code is measured.
    const char codeThenTerminator[] = "AW%CRED\0WWWW";
    EXPECT_EQ(FontStringWidth(codeThenTerminator), 21.0f);
    const char codeThenLineFeed[] = "A%CRED\nWWWW";
    EXPECT_EQ(FontStringWidth(codeThenLineFeed), 6.0f);
}

TEST_F(FontMeasureTest, JustifiedCursorsUseTheWidthOfTheirOwnLine) {
    const struct {
        s32 justification;
        f32 x;
    } cases[] = {
        {FONT_JUSTIFY_LEFT, 320.0f}, {FONT_JUSTIFY_CENTRE, 320.0f - 10.5f}, {FONT_JUSTIFY_RIGHT, 299.0f}};
    for (const auto& c : cases) {
        FontSetJustification(c.justification);
        FontSetCursor("AW\nWWWWWW", 0, 320.0f, 50.0f);
        EXPECT_EQ(FontPenLoc.x, c.x);
        EXPECT_EQ(FontPenLoc.y, 50.0f);
    }
}

TEST_F(FontMeasureTest, WithNoCurrentFontEverythingMeasuresZero) {
    FontSetHeight(20.0f);
    EXPECT_EQ(FontCharHeight(), 20.0f);
    f32 x = 0.0f, y = 0.0f;
    FontGetScale(&x, &y);
    EXPECT_EQ(x, 2.0f);
    EXPECT_EQ(y, 2.0f);

    EXPECT_EQ(FontSet(nullptr), text_);
    EXPECT_EQ(FontCharHeight(), 0.0f);
    EXPECT_EQ(FontCharWidth('A'), 0.0f);
    EXPECT_EQ(FontGetKerning('V', 'A'), 0);
    EXPECT_EQ(FontStringWidth("AW"), 0.0f);
    FontSetHeight(10.0f);
    EXPECT_EQ(FontHeight, 10.0f);
    FontGetScale(&x, &y);
    EXPECT_EQ(x, 2.0f);  // no font to scale by
}

}  // namespace
