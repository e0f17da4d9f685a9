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

}  // namespace
