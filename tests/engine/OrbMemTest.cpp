#include <gtest/gtest.h>

#include <array>
#include <string>

#include "orblib47/source/OrbMem.h"

namespace {

std::array<u8, 16> Counting() {
    std::array<u8, 16> bytes;
    for (int i = 0; i < 16; ++i)
        bytes[i] = u8(i + 1);
    return bytes;
}

TEST(MemMoveFast16, CopiesExactlyNBytes) {
    const std::array<u8, 16> src = Counting();
    std::array<u8, 16> dst;
    dst.fill(0xEE);
    MemMoveFast16(dst.data(), src.data(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dst[i], src[i]);
    for (int i = 5; i < 16; ++i)
        EXPECT_EQ(dst[i], 0xEE) << "byte " << i << " written past n";
    MemMoveFast16(dst.data(), src.data(), 0);
    EXPECT_EQ(dst[5], 0xEE);
}

TEST(MemMoveFast16, OverlapWithDestinationAbove) {
    std::array<u8, 16> bytes = Counting();
    MemMoveFast16(bytes.data() + 4, bytes.data(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bytes[4 + i], u8(i + 1));
    EXPECT_EQ(bytes[14], 15);
}

TEST(MemMoveFast16, OverlapWithDestinationBelow) {
    std::array<u8, 16> bytes = Counting();
    MemMoveFast16(bytes.data(), bytes.data() + 3, 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(bytes[i], u8(i + 4));
    EXPECT_EQ(bytes[9], 10);
}

TEST(MemClrFast16, ClearsExactlyNBytes) {
    std::array<u8, 16> bytes = Counting();
    MemClrFast16(bytes.data() + 1, 6);
    EXPECT_EQ(bytes[0], 1);
    for (int i = 1; i < 7; ++i)
        EXPECT_EQ(bytes[i], 0);
    EXPECT_EQ(bytes[7], 8);
}

TEST(Str2Upper, OnlyTheAsciiLowerCaseLettersChange) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(char(c));
    std::string upper = all;
    str2upper(upper.data());
    for (int c = 1; c < 256; ++c) {
        const int expected = (c >= 'a' && c <= 'z') ? c - 32 : c;
        EXPECT_EQ(u8(upper[c - 1]), expected) << "byte " << c;
    }
    char empty[] = "";
    str2upper(empty);
    EXPECT_STREQ(empty, "");
}

}  // namespace
