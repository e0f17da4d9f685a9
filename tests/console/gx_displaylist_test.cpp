// Display lists: recording draws nothing, replay draws what immediate mode drew.
#include <cstring>

#include "tests/console/gx_front_support.h"

namespace {

using GXDisplayListTest = gxtest::GXFrontTest;

void SendFan() {
    GXBegin(GX_TRIANGLEFAN, GX_VTXFMT0, 4);
    for (int i = 0; i < 4; ++i) {
        GXPosition3f32(f32(i), f32(i * i), -1);
        GXColor4u8(u8(i * 60), 0, 255, 255);
    }
    GXEnd();
    GXBegin(GX_LINESTRIP, GX_VTXFMT0, 2);
    GXPosition3f32(5, 6, 7);
    GXColor1u32(0x11223344);
    GXPosition3f32(8, 9, 10);
    GXColor1u32(0x55667788);
    GXEnd();
}

bool SameVertices(const gxtest::Primitive& a, const gxtest::Primitive& b) {
    return a.type == b.type && a.vertices.size() == b.vertices.size() &&
           std::memcmp(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof a.vertices[0]) == 0;
}

TEST_F(GXDisplayListTest, ReplayDrawsTheRecordedPrimitives) {
    PositionColorFormat();
    SendFan();
    const std::vector<gxtest::Primitive> immediate = primitives;
    ASSERT_EQ(immediate.size(), 2u);

    primitives.clear();
    alignas(32) u8 list[256];
    GXBeginDisplayList(list, sizeof list);
    SendFan();
    const u32 length = GXEndDisplayList();
    EXPECT_TRUE(primitives.empty());
    EXPECT_EQ(length % 32, 0u);
    EXPECT_GT(length, 0u);

    GXCallDisplayList(list, length);
    GXCallDisplayList(list, length);
    ASSERT_EQ(primitives.size(), 4u);
    for (u32 i = 0; i < 4; ++i)
        EXPECT_TRUE(SameVertices(primitives[i], immediate[i % 2])) << i;
}

TEST_F(GXDisplayListTest, OverflowReturnsZeroAndWritesNothingBeyond) {
    PositionColorFormat();
    alignas(32) u8 list[64];
    std::memset(list, 0xAB, sizeof list);
    GXBeginDisplayList(list, 32);
    SendFan();  // 4 x 16 bytes
    EXPECT_EQ(GXEndDisplayList(), 0u);
    EXPECT_EQ(list[32], 0xAB);
}

TEST_F(GXDisplayListTest, MisuseIsFatal) {
    alignas(32) u8 list[32] = {0x55};
    EXPECT_DEATH(GXCallDisplayList(list, sizeof list), "bad command 0x55");
    EXPECT_DEATH(GXEndDisplayList(), "no list open");
}

}  // namespace
