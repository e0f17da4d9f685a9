#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "orblib47/source/DebugFormat.h"

namespace {

std::string Format(s32 value) {
    char buffer[DEBUG_FORMAT_SINT32_SIZE];
    EXPECT_EQ(DebugFormatSint32(buffer, value), buffer);
    return buffer;
}

TEST(DebugFormatSint32Test, GroupsDigitsInTriples) {
    EXPECT_EQ(Format(-1234567), "-1,234,567");
    EXPECT_EQ(Format(1000005), "1,000,005");
    EXPECT_EQ(Format(2000000), "2,000,000");
    EXPECT_EQ(Format(12345), "12,345");
    EXPECT_EQ(Format(1000), "1,000");
}

TEST(DebugFormatSint32Test, LastTripleIsAlwaysThreeDigits) {
    EXPECT_EQ(Format(0), "000");
    EXPECT_EQ(Format(5), "005");
    EXPECT_EQ(Format(999), "999");
    EXPECT_EQ(Format(-5), "-005");
}

TEST(DebugFormatSint32Test, ThousandMillionsStayTogether) {
    EXPECT_EQ(Format(INT_MAX), "2147,483,647");
    EXPECT_EQ(Format(INT_MIN), "-2147,483,648");
}

// Printable ASCII stays, every other byte becomes \xNN; escaping again changes
// nothing; a name keeps its first DEBUG_NAME_MAX bytes.
TEST(DebugEscapeTest, LeavesOnlyPrintableText) {
    const struct {
        std::string raw;
        std::string text;
    } cases[] = {
        {"SYSTEXT", "SYSTEXT"},
        {" ~", " ~"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"\x1f\x7f\x80\xff", "\\x1f\\x7f\\x80\\xff"},
        {"line\n\x1b[2J", "line\\x0a\\x1b[2J"},
        {"\\x41", "\\x41"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DebugEscape(c.raw), c.text);
        EXPECT_EQ(DebugEscape(c.text), c.text);
        EXPECT_EQ(DebugName(c.raw).c_str(), c.text);
    }
    const std::string longest(DEBUG_NAME_MAX, '\x01');
    EXPECT_EQ(DebugName(longest + "x").c_str(), DebugEscape(longest));
}

}  // namespace
