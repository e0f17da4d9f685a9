// Coverage: the fill rule, culling, clipping and the scissor.
#include <chrono>
#include <cstddef>
#include <limits>
#include <thread>
#include <utility>

#include "console/gx/gx_raster_draw.h"
#include "console/gx/gx_setup.h"
#include "console/gx/gx_stage_timing.h"
#include "tests/console/gx_raster_support.h"

namespace gxtest {
namespace {

// Counts the pixels of each colour written by additive draws: a pixel covered
// twice shows twice the value.
int CountCovered(u32 argb) {
    int count = 0;
    for (u32 y = 0; y < kEfbHeight; ++y)
        for (u32 x = 0; x < kEfbWidth; ++x)
            count += HostEFBColor(x, y) == argb;
    return count;
}

TEST_F(GXRasterTest, AdjacentRectanglesCoverEachPixelOnce) {
    state.blendType = BlendType::Blend;
    state.blendSrc = BlendFactor::One;
    state.blendDst = BlendFactor::One;
    FillRect(state, 10, 10, 20, 15, 0x101010FF);
    FillRect(state, 20, 10, 30, 15, 0x101010FF);
    FillRect(state, 10, 15, 30, 20.5f, 0x101010FF);  // a half pixel row stays out
    EXPECT_EQ(CountCovered(0xFF101010), 20 * 10);
    EXPECT_EQ(CountCovered(0xFF202020), 0);
    EXPECT_EQ(HostEFBColor(10, 10), 0xFF101010u);
    EXPECT_EQ(HostEFBColor(29, 19), 0xFF101010u);
    EXPECT_EQ(HostEFBColor(9, 10), 0xFF000000u);
    EXPECT_EQ(HostEFBColor(30, 10), 0xFF000000u);
    EXPECT_EQ(HostEFBColor(10, 20), 0xFF000000u);
}

// Pixels are worked on in groups from a span's first pixel: a group that runs
// past the span's end, the row's end or the buffer's last pixel leaves what it
// passes over as it was, even when blending reads it.
TEST_F(GXRasterTest, SpansEndingAnywhereLeaveTheirNeighboursAlone) {
    FillRect(state, 0, 0, 640, 480, 0x204060FF);
    state.blendType = BlendType::Blend;
    state.blendSrc = BlendFactor::One;
    state.blendDst = BlendFactor::One;
    struct Case {
        float x0, x1, y;
    } cases[] = {{3, 5, 10}, {630, 640, 20}, {635, 640, 479}, {0, 13, 30}, {1, 640, 40}};
    for (const Case& c : cases) {
        FillRect(state, c.x0, c.y, c.x1, c.y + 1, 0x010101FF);
        const u32 x0 = u32(c.x0), x1 = u32(c.x1), y = u32(c.y);
        EXPECT_EQ(HostEFBColor(x0, y), 0xFF214161u) << x0 << "," << y;
        EXPECT_EQ(HostEFBColor(x1 - 1, y), 0xFF214161u) << x0 << "," << y;
        if (x1 < kEfbWidth) {
            EXPECT_EQ(HostEFBColor(x1, y), 0xFF204060u) << x0 << "," << y;
        }
        if (y + 1 < 480) {
            EXPECT_EQ(HostEFBColor(0, y + 1), 0xFF204060u) << x0 << "," << y;
        }
    }
    // The buffer's very last pixels, under a viewport as tall as the buffer.
    state.viewport.height = float(kEfbHeight);
    state.scissor.height = kEfbHeight;
    FillRect(state, 635, 479, 640, 480, 0x010101FF);
    EXPECT_EQ(HostEFBColor(639, kEfbHeight - 1), 0xFF010101u);
    EXPECT_EQ(HostEFBColor(634, kEfbHeight - 1), 0xFF000000u);
}

// The edge walk divides through doubles: its quotients and remainders must be
// the integer ones, at exact multiples, either side of them and at the largest
// magnitudes a frame's edges reach.
TEST(GXEdgeWalkTest, DivisionMatchesIntegerFloorDivision) {
    const s64 divisors[] = {1, 3, 16, 7 * 16, 1 << 19, (1 << 19) - 16};
    const s64 big = s64(1) << 44;
    for (const s64 d : divisors) {
        for (const s64 base : {s64(0), d * 12345, big - big % d, -(big - big % d)}) {
            for (s64 n = base - 2; n <= base + 2; ++n) {
                for (const s64 value : {n, -n}) {
                    s64 r = 0;
                    const s64 q = FloorDivRem(value, d, &r);
                    EXPECT_EQ(q, FloorDiv(value, d)) << value << " / " << d;
                    EXPECT_EQ(r, value - FloorDiv(value, d) * d) << value << " / " << d;
                }
            }
        }
    }
}

// A stage timer opened inside another takes its time out of the outer one's:
// the stages' times add up to no more than the time they span.
// Corners snap to the nearest sixteenth of a pixel, halves upwards, on both
// sides of zero; the screen position here is 1 + pos[0], x as float rounds it.
TEST(GXSnapTest, CornersRoundToTheNearestSixteenthHalvesUp) {
    const Viewport viewport{0, 0, 2, 2, 0, 1};
    const std::pair<float, s64> cases[] = {
        {2.0f, 32},  {-2.0f, -32}, {-0.03125f, 0},   {-0.09375f, -1},
        {-0.1f, -2}, {0.1f, 2},    {-0.031251f, -1}, {-16383.97f, -262143},
    };
    for (const auto& [x, sixteenths] : cases) {
        RasterVertex v;
        v.pos[0] = x - 1.0f;
        v.pos[1] = -x + 1.0f;  // y = 1 - pos[1]: the same screen value
        const SnappedCorner corner = SnapCorner(viewport, v);
        ASSERT_TRUE(corner.placed) << x;
        EXPECT_EQ(corner.x, sixteenths) << x;
        EXPECT_EQ(corner.y, sixteenths) << x;
    }
}

// A streamed set-up carries whole lines up to the last attribute plane a draw
// reads and no line past it; the last texture coordinate's takes the whole
// set-up.
TEST(GXSetupBytesTest, WholeLinesUpToTheLastPlaneRead) {
    const std::pair<AttrMask, u32> cases[] = {
        {0, 0},
        {kAttrMaskColor0, kAttrColor0 + 4},
        {kAttrMaskColor0 | kAttrMaskColor1, kAttrColor1 + 4},
        {kAttrMaskColor0 | AttrMaskTexCoord(0), kAttrTex0 + 3},
        {AttrMaskTexCoord(7), kAttrCount},
    };
    for (const auto& [attrs, planes] : cases) {
        const u32 end = u32(offsetof(Triangle, attr) + planes * sizeof(Plane));
        const u32 bytes = SetupBytes(attrs);
        EXPECT_EQ(bytes % alignof(Triangle), 0u) << attrs;
        EXPECT_GE(bytes, end) << attrs;
        EXPECT_LT(bytes, end + alignof(Triangle)) << attrs;
    }
    EXPECT_EQ(SetupBytes(AttrMaskTexCoord(7)), sizeof(Triangle));
}

TEST(GXStageTimingTest, NestedTimersAreCountedOnce) {
    HostGXSetStageTiming(true);
    const auto start = std::chrono::steady_clock::now();
    {
        StageTimer clip(kGXStageClip);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        StageTimer pixel(kGXStagePixel);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    const u64 spanned =
        u64(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
                .count());
    const HostGXStageTimes times = HostGXStageTimesSoFar();
    HostGXSetStageTiming(false);
    EXPECT_GE(times.nanoseconds[kGXStageClip], 2'000'000u);
    EXPECT_GE(times.nanoseconds[kGXStagePixel], 3'000'000u);
    EXPECT_LE(times.nanoseconds[kGXStageClip] + times.nanoseconds[kGXStagePixel], spanned);
}

TEST_F(GXRasterTest, CullModesFollowTheScreenWinding) {
    struct Case {
        Cull cull;
        bool clockwise, drawn;
    } cases[] = {
        {Cull::None, true, true},   {Cull::None, false, true}, {Cull::Front, true, false},
        {Cull::Front, false, true}, {Cull::Back, true, true},  {Cull::Back, false, false},
        {Cull::All, true, false},   {Cull::All, false, false},
    };
    for (const Case& c : cases) {
        EfbReset();
        state.cull = c.cull;
        const RasterVertex a = At(100, 100), b = At(200, 100), d = At(100, 200);
        if (c.clockwise)
            RasterTriangle(state, a, b, d);
        else
            RasterTriangle(state, a, d, b);
        EXPECT_EQ(HostEFBColor(120, 120) == 0xFFFFFFFFu, c.drawn) << int(c.cull) << " " << c.clockwise;
    }
}

// A line covers its width on its right (y down); a point is centred on the pixel
// whose top-left corner it is.
TEST_F(GXRasterTest, LinesAndPointsCoverTheirWidth) {
    RasterLine(state, At(10, 50), At(20, 50), 12);  // rightwards, two wide: rows 50 and 51
    RasterLine(state, At(40, 50), At(30, 50), 12);  // leftwards: rows 48 and 49
    RasterLine(state, At(60, 10), At(60, 20), 6);   // downwards: column 59
    RasterPoint(state, At(100, 100), 18);           // three pixels square
    EXPECT_EQ(CountCovered(0xFFFFFFFF), 2 * 10 * 2 + 10 + 3 * 3);
    for (auto [x, y] :
         {std::pair{10u, 50u}, {19u, 51u}, {30u, 48u}, {39u, 49u}, {59u, 19u}, {99u, 99u}, {101u, 101u}})
        EXPECT_EQ(HostEFBColor(x, y), 0xFFFFFFFFu) << x << ", " << y;
}

TEST_F(GXRasterTest, ClippedTrianglesStayInsideTheScissor) {
    state.scissor = {50, 40, 100, 80};
    // Far beyond every screen edge, and crossing the near plane.
    RasterVertex a = At(320, -3000, 0xFF0000FF), b = At(-5000, 9000, 0xFF0000FF),
                 c = At(6000, 9000, 0xFF0000FF);
    a.pos[2] = -1.1f;
    RasterTriangle(state, a, b, c);
    int inside = 0, outside = 0;
    for (u32 y = 0; y < kEfbHeight; ++y)
        for (u32 x = 0; x < kEfbWidth; ++x) {
            const bool in = x >= 50 && x < 150 && y >= 40 && y < 120;
            (in ? inside : outside) += HostEFBColor(x, y) != 0xFF000000u;
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);

    // Wholly behind the eye, or not a number: nothing.
    EfbReset();
    RasterVertex nan = At(10, 10);
    nan.pos[0] = std::numeric_limits<float>::quiet_NaN();
    RasterTriangle(state, nan, At(100, 10), At(10, 100));
    a.pos[3] = b.pos[3] = c.pos[3] = -1.0f;
    RasterTriangle(state, a, b, c);
    EXPECT_EQ(CountCovered(0xFF000000), int(kEfbPixels));
}

TEST_F(GXRasterTest, ColoursAreInterpolatedPerspectiveCorrectly) {
    // The far edge (w = 3) is red, the near edge (w = 1) black: the screen
    // midpoint lies at a quarter of the way in eye space, not half.
    RasterVertex v[4] = {At(0, 0, 0x000000FF), At(640, 0, 0x000000FF), At(640, 480, 0xFF0000FF),
                         At(0, 480, 0xFF0000FF)};
    for (int i = 2; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            v[i].pos[k] *= 3.0f;
    RasterTriangle(state, v[0], v[1], v[2]);
    RasterTriangle(state, v[0], v[2], v[3]);
    const u32 red = (HostEFBColor(320, 240) >> 16) & 0xFF;
    EXPECT_NEAR(int(red), 255 / 4, 2);
}

}  // namespace
}  // namespace gxtest
