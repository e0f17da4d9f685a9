// The display copy: YUYV out, the vertical filter, the picture captured, the
// clear behind it.
#include <algorithm>
#include <random>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_copy_row.h"
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
    GXCopyDisp(xfb.data(), 0);
    EXPECT_EQ(HostEFBLastCopy().width, 0u);  // nothing kept until a test asks
    HostEFBRecordCopies();
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

// The vertical filter blends a line with its neighbours inside the source
// rectangle only: white rows just outside a black rectangle change neither its
// first nor its last line.
TEST_F(GXCopyTest, VerticalFilterStaysInsideTheRectangle) {
    FillRect(state, 0, 99, 640, 100, 0xFFFFFFFF);
    FillRect(state, 0, 150, 640, 151, 0xFFFFFFFF);
    RasterState& s = RasterStateCurrent();
    s.copy.srcTop = 100;
    s.copy.srcHeight = 50;
    s.copy.verticalFilter = true;
    const u8 deflicker[7] = {8, 8, 10, 12, 10, 8, 8};
    std::copy_n(deflicker, 7, s.copy.filter);
    std::vector<u8> xfb(640 * 50 * 2);
    GXCopyDisp(xfb.data(), 0);
    for (u32 line : {0u, 49u})
        for (u32 i = 0; i < 640 * 2; ++i)
            ASSERT_EQ(xfb[line * 640 * 2 + i], i % 2 == 0 ? 16 : 128) << "line " << line << " byte " << i;
}

// A copy scaled up gives each line the source row the scale puts it on, every
// line once, from rows in many bands: line by line what the unscaled copy gave.
// It writes as many lines as the scale's call reports, and no more.
TEST_F(GXCopyTest, AScaledCopyGivesEachLineItsRow) {
    for (u32 y = 0; y < 448; ++y)
        FillRect(state, 0, float(y), 640, float(y + 1),
                 0xFF000000u | (y * 37 % 256) << 16 | (y * 11 % 256) << 8);
    RasterState& s = RasterStateCurrent();
    s.copy.srcTop = 5;
    s.copy.srcHeight = 300;
    std::vector<u8> rows(640 * 300 * 2);
    GXCopyDisp(rows.data(), 0);
    for (const float scale : {1.5f, 2.0f}) {
        const u32 lines = GXSetDispCopyYScale(scale);
        ASSERT_EQ(lines, u32(300 * scale));
        std::vector<u8> xfb(640 * 2 * (lines + 1), 0xEE);
        GXCopyDisp(xfb.data(), 0);
        for (u32 line = 0; line < lines; ++line) {
            const u32 row = std::min(u32(line / scale), 299u);
            ASSERT_TRUE(std::equal(&xfb[line * 1280], &xfb[line * 1280 + 1280], &rows[row * 1280]))
                << scale << " line " << line;
        }
        EXPECT_EQ(xfb[lines * 1280], 0xEE) << "nothing past the last line";
    }
}

// The vector forms of a copied row against the scalar one, on random pixels:
// widths around the vector steps (odd ones too), with and without the filter,
// weights up to the largest (past what 16-bit sums hold), and at an edge, where a
// neighbour is the line.
TEST(GXCopyRow, VectorFormsMatchTheScalarForm) {
    std::mt19937 random(7);
    std::vector<u32> rows(3 * 640);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = i % 5 == 0 ? 0xFFFFFFFFu : u32(random());  // white columns push the sums to their top
    const u32* above = rows.data();
    const u32* line = above + 640;
    const u32* below = line + 640;
    const CopyRowSource sources[] = {
        {line, line, line, {0, 64, 0}, false},       {above, line, below, {16, 32, 16}, true},
        {line, line, below, {16, 32, 16}, true},     {above, line, line, {21, 22, 21}, true},
        {above, line, below, {510, 765, 510}, true}, {above, line, below, {0, 0, 0}, true},
        {above, line, below, {128, 0, 128}, true},   {above, line, below, {86, 86, 85}, true},
    };
    using Form = void (*)(const CopyRowSource&, u32, u8*);
    const Form forms[] = {CopyRowVector, CopyRow, [](const CopyRowSource& s, u32 width, u8* out) {
                              if (!CopyRowWide(s, width, out))
                                  CopyRowScalar(s, 0, width, out);
                          }};
    for (const CopyRowSource& source : sources)
        for (u32 width : {0u, 1u, 2u, 7u, 8u, 15u, 16u, 17u, 18u, 31u, 33u, 46u, 638u, 639u, 640u})
            for (Form form : forms) {
                std::vector<u8> expected(640 * 2 + 8, 0xA5), actual(expected);
                CopyRowScalar(source, 0, width, expected.data());
                form(source, width, actual.data());
                ASSERT_EQ(actual, expected) << "width " << width << " weights " << source.weights[0] << " "
                                            << source.weights[1] << " " << source.weights[2];
            }
}

}  // namespace
}  // namespace gxtest
