#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "orblib47/source/ChunkReader.h"

namespace {

constexpr u32 kMax = std::numeric_limits<u32>::max();

const u8 kBytes[] = {0x12, 0x34, 0x56, 0x78, 0xFF, 0xFE, 0x3F, 0x80, 0x00, 0x00, 'A', 'B', 0, 'x'};

TEST(ChunkReaderRange, AcceptsExactlyTheBytesOfTheView) {
    ChunkReader view(kBytes, 8);
    EXPECT_TRUE(view.Range(0, 8));
    EXPECT_TRUE(view.Range(8, 0));
    EXPECT_TRUE(view.Range(3, 5));
    EXPECT_FALSE(view.Range(3, 6));
    EXPECT_FALSE(view.Range(9, 0));
}

TEST(ChunkReaderRange, OffsetsAndLengthsNearTheTopOfTheWordDoNotWrap) {
    ChunkReader view(kBytes, 8);
    EXPECT_FALSE(view.Range(kMax, 1));
    EXPECT_FALSE(view.Range(1, kMax));
    EXPECT_FALSE(view.Range(kMax, kMax));
    EXPECT_FALSE(view.Range(kMax - 3, 4));
    EXPECT_FALSE(view.Range(4, kMax - 3));  // 4 + (2^32 - 4) wraps to 0
    u32 value = 7;
    EXPECT_FALSE(view.U32(kMax - 1, &value));
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(view.Bytes(kMax, 1), nullptr);
}

TEST(ChunkReaderRange, ArraysWhoseByteCountOverflowAreRejected) {
    ChunkReader view(kBytes, 8);
    EXPECT_TRUE(view.RangeArray(0, 2, 4));
    EXPECT_FALSE(view.RangeArray(0, 3, 4));
    EXPECT_FALSE(view.RangeArray(0, 0x40000000u, 4));  // 2^32 bytes wraps to 0
    EXPECT_FALSE(view.RangeArray(0, 0x40000001u, 4));
    EXPECT_TRUE(view.RangeArray(8, kMax, 0));
}

TEST(ChunkReaderRange, ANullViewHoldsNothing) {
    ChunkReader view(nullptr, 100);
    EXPECT_EQ(view.Size(), 0u);
    EXPECT_FALSE(view.Range(0, 1));
    ChunkReader empty;
    u8 byte = 0;
    EXPECT_FALSE(empty.U8(0, &byte));
}

TEST(ChunkReaderValues, AreReadBigEndian) {
    ChunkReader view(kBytes, sizeof(kBytes));
    u8 b = 0;
    s8 sb = 0;
    u16 h = 0;
    s16 sh = 0;
    u32 w = 0;
    s32 sw = 0;
    f32 f = 0;
    ASSERT_TRUE(view.U8(4, &b) && view.S8(4, &sb) && view.U16(0, &h) && view.S16(4, &sh));
    ASSERT_TRUE(view.U32(0, &w) && view.S32(4, &sw) && view.F32(6, &f));
    EXPECT_EQ(b, 0xFF);
    EXPECT_EQ(sb, -1);
    EXPECT_EQ(h, 0x1234);
    EXPECT_EQ(sh, -2);
    EXPECT_EQ(w, 0x12345678u);
    EXPECT_EQ(sw, s32(0xFFFE3F80u));
    EXPECT_EQ(f, 1.0f);
}

TEST(ChunkReaderValues, AReadOverTheEndFailsAndLeavesTheOutputAlone) {
    ChunkReader view(kBytes, 6);
    u32 w = 0xDEAD;
    u16 h = 0xBEEF;
    EXPECT_FALSE(view.U32(3, &w));
    EXPECT_TRUE(view.U16(4, &h));
    EXPECT_FALSE(view.U16(5, &h));
    EXPECT_EQ(w, 0xDEADu);
    EXPECT_EQ(h, 0xFFFE);
}

TEST(ChunkReaderStrings, NameFieldsStopAtTheirNulAndAreTerminated) {
    ChunkReader view(kBytes, sizeof(kBytes));
    char name[5];
    std::memset(name, '?', sizeof(name));
    ASSERT_TRUE(view.Name(10, 4, name));  // "AB\0x": the byte after the NUL is dropped
    EXPECT_EQ(std::memcmp(name, "AB\0\0\0", 5), 0);
    char full[3];
    ASSERT_TRUE(view.Name(10, 2, full));
    EXPECT_STREQ(full, "AB");
    EXPECT_FALSE(view.Name(12, 3, full));
}

TEST(ChunkReaderStrings, CStringNeedsItsNulInsideTheView) {
    ChunkReader view(kBytes, sizeof(kBytes));
    const char* text = nullptr;
    ASSERT_TRUE(view.CString(10, &text));
    EXPECT_STREQ(text, "AB");
    EXPECT_FALSE(view.CString(13, &text));  // "x" runs to the end without a NUL
    EXPECT_FALSE(ChunkReader(kBytes, 12).CString(10, &text));
    EXPECT_FALSE(view.CString(sizeof(kBytes), &text));
    EXPECT_FALSE(view.CString(kMax, &text));
}

TEST(ChunkReaderViews, SubViewsAreBoundedByTheirOwnSize) {
    ChunkReader view(kBytes, sizeof(kBytes));
    ChunkReader sub;
    ASSERT_TRUE(view.Sub(4, 4, &sub));
    EXPECT_EQ(sub.Size(), 4u);
    u32 w = 0;
    EXPECT_TRUE(sub.U32(0, &w));
    EXPECT_EQ(w, 0xFFFE3F80u);
    u8 b = 0;
    EXPECT_FALSE(sub.U8(4, &b));
    EXPECT_FALSE(view.Sub(10, 5, &sub));
    EXPECT_FALSE(view.Sub(kMax, 2, &sub));
}

TEST(ChunkCursorTest, WalksFieldsInOrder) {
    ChunkCursor cursor(ChunkReader(kBytes, sizeof(kBytes)));
    u16 h = 0;
    u32 w = 0;
    char name[3];
    ASSERT_TRUE(cursor.U16(&h));
    ASSERT_TRUE(cursor.Skip(2));
    ASSERT_TRUE(cursor.U32(&w));
    ASSERT_TRUE(cursor.Skip(2));
    ASSERT_TRUE(cursor.Name(2, name));
    EXPECT_EQ(h, 0x1234);
    EXPECT_EQ(w, 0xFFFE3F80u);
    EXPECT_STREQ(name, "AB");
    EXPECT_EQ(cursor.Offset(), 12u);
    EXPECT_EQ(cursor.Remaining(), 2u);
    EXPECT_TRUE(cursor.Ok());
}

TEST(ChunkCursorTest, StaysFailedAfterTheFirstFailure) {
    ChunkCursor cursor(ChunkReader(kBytes, 6));
    u32 w = 0;
    u16 h = 0x5555;
    ASSERT_TRUE(cursor.U32(&w));
    EXPECT_FALSE(cursor.U32(&w));
    EXPECT_FALSE(cursor.Ok());
    EXPECT_FALSE(cursor.U16(&h));  // would fit, but the cursor has failed
    EXPECT_EQ(h, 0x5555);
    EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(ChunkCursorTest, SkipsNearTheTopOfTheWordFail) {
    ChunkCursor cursor(ChunkReader(kBytes, 8), 4);
    EXPECT_FALSE(cursor.Skip(kMax));
    EXPECT_FALSE(cursor.Ok());
    EXPECT_FALSE(ChunkCursor(ChunkReader(kBytes, 8), 9).Ok());
}

TEST(BigEndianStores, RoundTripThroughTheReader) {
    u8 bytes[6];
    StoreBE32(bytes, 0xA1B2C3D4u);
    StoreBE16(bytes + 4, 0xE5F6);
    EXPECT_EQ(bytes[0], 0xA1);
    EXPECT_EQ(bytes[5], 0xF6);
    EXPECT_EQ(LoadBE32(bytes), 0xA1B2C3D4u);
    EXPECT_EQ(LoadBE16(bytes + 4), 0xE5F6);
}

}  // namespace
