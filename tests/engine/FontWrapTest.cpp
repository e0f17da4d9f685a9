// Words, lines and word wrapping in the text font: letters 6 pixels, 'W' 15, the
// space 4; colour codes and '|' carried without width.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "orblib47/source/Font.h"
#include "tests/engine/FontFixture.h"

namespace {

using namespace font_test;

using FontWrapTest = LoadedFontFixture;

TEST_F(FontWrapTest, TextWrapsAtTheMaximumWidth) {
    const std::string limit(1023, 'a');
    const struct {
        std::string text;
        f32 maxWidth;
        s32 breakLongWords;
        std::string wrapped;
        s32 lines;
    } cases[] = {
        {"", 100.0f, 0, "", 0},
        {std::string(1024, 'a'), 0.0f, 0, "", 0},
        {limit, 0.0f, 0, limit, 1},  // its line feed does not fit
        {"aaa aaa aaa", 50.0f, 0, "aaa aaa \naaa\n", 2},
        {"aa\nbb", 0.0f, 0, "aa\nbb\n", 2},
        // A 150-pixel word stays whole and overhangs, or is split.
        {"WWWWWWWWWW", 100.0f, 0, "WWWWWWWWWW\n", 2},
        {"WWWWWWWWWW", 100.0f, 1, "WWWWWW\nWWWW\n", 2},
        {"aa WWWWWWWWWW", 100.0f, 0, "aa WWWWWWWWWW\n", 2},  // even after another word
        {"%CRED aa|a", 25.0f, 0, "%CRED aa|a\n", 1},
        // A byte wider than the line still moves on, one per line.
        {"WW", 10.0f, 1, "W\nW\n", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        s32 lines = -1;
        EXPECT_EQ(FontWordWrapStringMetaNoAlloc(c.text.c_str(), c.maxWidth, &lines, c.breakLongWords),
                  c.wrapped);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(FontWrapTest, WrappedTextThatOutgrowsTheBufferIsCut) {
    std::string text;
    for (u32 i = 0; i < 500; ++i)
        text += "a ";
    s32 lines = 0;
    const char* wrapped = FontWordWrapStringMetaNoAlloc(text.c_str(), 10.0f, &lines, 0);
    EXPECT_EQ(std::strlen(wrapped), FONT_WRAP_SIZE - 1);  // 500 lines of "a \n" would need 1500
    EXPECT_EQ(std::string(wrapped, 6), "a \na \n");
    EXPECT_EQ(lines, 500);
}

TEST_F(FontWrapTest, WordsStopAtTheirStoppersAndLongOnesAreCutInTheBuffer) {
    std::array<char, FONT_WORD_SIZE> word{};
    f32 width = 0.0f;
    EXPECT_EQ(FontGetWord("aW|a-rest", word.data(), &width), 4);
    EXPECT_STREQ(word.data(), "aW|a");
    EXPECT_EQ(width, 27.0f);
    EXPECT_EQ(FontGetWord("AV\\x", word.data(), &width), 2);
    EXPECT_EQ(width, 10.0f);  // kerned
    EXPECT_EQ(FontGetWord(" a", word.data(), &width), 0);
    EXPECT_STREQ(word.data(), "");

    const std::string longWord(300, 'a');
    EXPECT_EQ(FontGetWord(longWord.c_str(), word.data(), &width), 300);
    EXPECT_EQ(std::strlen(word.data()), FONT_WORD_SIZE - 1);
    EXPECT_EQ(width, 1800.0f);
}

TEST_F(FontWrapTest, LinesCarryColourCodesWithoutWidth) {
    std::array<char, FONT_WRAP_SIZE> line{};
    f32 width = 0.0f;
    EXPECT_EQ(FontGetLine("%CRED a|a b\nnext", line.data(), &width), 11);
    EXPECT_STREQ(line.data(), "%CRED a|a b");
    EXPECT_EQ(width, 26.0f);

    const std::string longLine(2000, 'a');
    EXPECT_EQ(FontGetLine(longLine.c_str(), line.data(), &width), 2000);
    EXPECT_EQ(std::strlen(line.data()), FONT_WRAP_SIZE - 1);
}

}  // namespace
