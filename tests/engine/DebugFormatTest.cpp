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

// Commas between triples; only the first group goes without leading zeros.
TEST(DebugFormatSint32Test, GroupsDigitsInTriples) {
    const struct {
        s32 value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {5, "5"},
        {-5, "-5"},
        {999, "999"},
        {1000, "1,000"},
        {12345, "12,345"},
        {1000005, "1,000,005"},
        {-1234567, "-1,234,567"},
        {999999999, "999,999,999"},
        {1000000000, "1,000,000,000"},
        {INT_MAX, "2,147,483,647"},
        {INT_MIN, "-2,147,483,648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value), c.text) << c.value;
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
