// The display copy: YUYV out, the picture captured, the clear behind it.
#include <vector>

#include "console/gx/gx_copy.h"
#include "console/host/picture.h"
#include "tests/console/gx_raster_support.h"

namespace gxtest {
namespace {

class GXCopyTest : public GXRasterTest {
protected:
    void SetUp() override {
        GXRasterTest::SetUp();
        RasterStateCurrent() = RasterState{};
        RasterStateCurrent().copy.srcHeight = 448;
    }
};

TEST_F(GXCopyTest, RoundTripsThroughYuyvWithinTolerance) {
    const u32 colors[] = {0xFFFFFFFF, 0x000000FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0x8040C0FF};
    for (u32 i = 0; i < 6; ++i)
        FillRect(state, float(i) * 100, 0, float(i) * 100 + 100, 448, colors[i]);
    std::vector<u8> xfb(640 * 448 * 2);
    GXCopyDisp(xfb.data(), 0);
    std::vector<u8> rgb(640 * 3);
    host::YuyvRowToRgb(&xfb[640 * 2 * 200], 640, rgb.data());
    for (u32 i = 0; i < 6; ++i)
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_NEAR(rgb[3 * (i * 100 + 50) + ch], int(colors[i] >> (24 - 8 * ch) & 0xFF), 3)
                << i << " " << ch;
    EXPECT_EQ(HostEFBColor(50, 50), 0xFFFFFFFFu);  // no clear
}

TEST_F(GXCopyTest, ClearFollowsTheCopyAndKeepsTheCapture) {
    FillRect(state, 0, 0, 640, 448, 0x336699FF, 0.25f);
    RasterState& s = RasterStateCurrent();
    s.copy.clearColor = {1, 2, 3, 4};
    s.copy.clearZ = 0x123456;
    std::vector<u8> xfb(640 * 448 * 2);
    GXCopyDisp(xfb.data(), 1);
    const HostEFBImage image = HostEFBLastCopy();
    ASSERT_EQ(image.width, 640u);
    ASSERT_EQ(image.height, 448u);
    EXPECT_EQ(image.pixels[447 * 640 + 639], 0xFF336699u);
    u32 argb = 0;
    GXPeekARGB(639, 447, &argb);
    EXPECT_EQ(argb, 0xFF010203u);  // RGB8 keeps no alpha
    EXPECT_EQ(HostEFBDepth(0, 0), 0x123456u);
    GXPeekARGB(0, 448, &argb);  // below the copy rectangle: untouched
    EXPECT_EQ(argb, 0xFF000000u);
    GXPeekARGB(700, 0, &argb);
    EXPECT_EQ(argb, 0u);

    // Without depth update the clear leaves the depth.
    s.zUpdate = false;
    s.copy.clearZ = 0;
    GXCopyDisp(xfb.data(), 1);
    EXPECT_EQ(HostEFBDepth(0, 0), 0x123456u);
}

}  // namespace
}  // namespace gxtest
