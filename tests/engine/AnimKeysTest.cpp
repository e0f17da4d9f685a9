#include <gtest/gtest.h>

#include <cmath>

#include "orblib47/source/Anim.h"
#include "tests/support/EngineFixture.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

class AnimKeysTest : public EngineFixture {};

u32 Packed(u32 a, u32 b, u32 c, u32 dropped) {
    return a << 22 | b << 12 | c << 2 | dropped;
}

TEST_F(AnimKeysTest, QuatTableIsFilledInSinglePrecision) {
    EXPECT_EQ(QuatTable[0], -0.7057257f);
    EXPECT_EQ(QuatTable[511], 0.0f);
    EXPECT_EQ(QuatTable[1023], 0.70710677f);
}

TEST_F(AnimKeysTest, PackedQuaternionsDecodeWithTheDroppedComponentRebuilt) {
    const f32 h = QuatTable[1023];
    struct Case {
        u32 packed;
        s_Quaternion want;
    } cases[] = {
        {Packed(511, 511, 511, 3), {0, 0, 0, 1}},
        {Packed(511, 511, 511, 0), {1, 0, 0, 0}},
        {Packed(511, 511, 511, 2), {0, 0, 1, 0}},
        {Packed(1023, 511, 511, 1), {h, std::sqrt(1.0f - h * h), 0, 0}},
        // Three squares above 1 have no real fourth: it is 0, never NaN.
        {Packed(1023, 1023, 1023, 3), {h, h, h, 0}},
        {Packed(0, 0, 0, 0), {0, QuatTable[0], QuatTable[0], QuatTable[0]}},
    };
    for (const Case& c : cases) {
        s_Quaternion q;
        HAnimUnpackQuat32(c.packed, &q);
        EXPECT_EQ(q.x, c.want.x) << std::hex << c.packed;
        EXPECT_EQ(q.y, c.want.y) << std::hex << c.packed;
        EXPECT_EQ(q.z, c.want.z) << std::hex << c.packed;
        EXPECT_FLOAT_EQ(q.w, c.want.w) << std::hex << c.packed;
    }
}

TEST_F(AnimKeysTest, WriterPackingRoundTripsThroughTheTable) {
    const std::array<f32, 4> rotations[] = {{0, 0, 0, 1},
                                            {0, 0, 0, -1},
                                            {0.5f, 0.5f, 0.5f, 0.5f},
                                            {0.2f, -0.6f, 0.3f, 0.7141428f},
                                            {-0.9f, 0.1f, 0.3f, 0.2966479f}};
    for (const auto& r : rotations) {
        s_Quaternion q;
        HAnimUnpackQuat32(discbuild::VhaPackQuat32(r), &q);
        const f32 sign = (r[0] * q.x + r[1] * q.y + r[2] * q.z + r[3] * q.w) < 0 ? -1.0f : 1.0f;
        EXPECT_NEAR(sign * q.x, r[0], 2e-3f);
        EXPECT_NEAR(sign * q.y, r[1], 2e-3f);
        EXPECT_NEAR(sign * q.z, r[2], 2e-3f);
        EXPECT_NEAR(sign * q.w, r[3], 2e-3f);
    }
}

}  // namespace
