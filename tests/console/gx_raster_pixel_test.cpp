// The pixel engine: depth, alpha compare, blending, masks, destination alpha, fog.
#include "console/gx/gx_fog.h"
#include "tests/console/gx_raster_support.h"

namespace gxtest {
namespace {

TEST_F(GXRasterTest, DepthTestKeepsTheNearestAndHonoursTheUpdateSwitch) {
    FillRect(state, 0, 0, 8, 8, 0xFF0000FF, 0.75f);
    FillRect(state, 0, 0, 8, 8, 0x00FF00FF, 0.25f);
    FillRect(state, 0, 0, 8, 8, 0x0000FFFF, 0.5f);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFF00FF00u);
    EXPECT_NEAR(double(HostEFBDepth(4, 4)), 0.25 * kMaxDepth, 1.0);

    state.zUpdate = false;
    state.zFunc = Compare::Greater;
    FillRect(state, 0, 0, 8, 8, 0x0000FFFF, 0.5f);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFF0000FFu);
    EXPECT_NEAR(double(HostEFBDepth(4, 4)), 0.25 * kMaxDepth, 1.0);

    state.zCompare = false;  // no test, no update
    FillRect(state, 0, 0, 8, 8, 0xFFFFFFFF, 0.0f);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFFFFFFFFu);
    EXPECT_NEAR(double(HostEFBDepth(4, 4)), 0.25 * kMaxDepth, 1.0);
}

// A test every pixel passes still writes depth when updates are on.
TEST_F(GXRasterTest, AlwaysPassingDepthTestWritesDepthOnlyWhenUpdating) {
    FillRect(state, 0, 0, 8, 8, 0xFF0000FF, 0.25f);
    state.zFunc = Compare::Always;
    state.zUpdate = false;
    FillRect(state, 0, 0, 8, 8, 0x00FF00FF, 0.75f);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFF00FF00u);
    EXPECT_NEAR(double(HostEFBDepth(4, 4)), 0.25 * kMaxDepth, 1.0);
    state.zUpdate = true;
    FillRect(state, 0, 0, 8, 8, 0x0000FFFF, 0.75f);
    EXPECT_EQ(HostEFBColor(4, 4), 0xFF0000FFu);
    EXPECT_NEAR(double(HostEFBDepth(4, 4)), 0.75 * kMaxDepth, 1.0);
}

TEST_F(GXRasterTest, BlendModesOverAKnownBackground) {
    // Source (200, 100, 50) alpha 64 over destination (40, 80, 120).
    struct Case {
        BlendType type;
        BlendFactor src, dst;
        u32 expected;
    } cases[] = {
        {BlendType::None, BlendFactor::Zero, BlendFactor::Zero, 0xC86432},
        {BlendType::Blend, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, 0x505566},
        {BlendType::Blend, BlendFactor::SrcAlpha, BlendFactor::One, 0x5A6985},
        {BlendType::Blend, BlendFactor::One, BlendFactor::One, 0xF0B4AA},
        {BlendType::Blend, BlendFactor::DstClr, BlendFactor::Zero, 0x1F1F18},
        {BlendType::Blend, BlendFactor::Zero, BlendFactor::InvSrcAlpha, 0x1E3C5A},
        {BlendType::Blend, BlendFactor::Zero, BlendFactor::SrcClr, 0x1F1F18},
        {BlendType::Blend, BlendFactor::InvDstClr, BlendFactor::InvSrcClr, 0xB1757B},
        {BlendType::Blend, BlendFactor::DstAlpha, BlendFactor::InvDstAlpha, 0xC86432},  // RGB8: alpha 255
        {BlendType::Subtract, BlendFactor::One, BlendFactor::One, 0x000046},
    };
    for (const Case& c : cases) {
        EfbReset();
        state.blendType = BlendType::None;
        FillRect(state, 0, 0, 4, 4, 0x285078FF);
        state.blendType = c.type;
        state.blendSrc = c.src;
        state.blendDst = c.dst;
        FillRect(state, 0, 0, 4, 4, 0xC8643240, 0.25f);
        EXPECT_EQ(HostEFBColor(1, 1), 0xFF000000u | c.expected)
            << int(c.type) << " " << int(c.src) << " " << int(c.dst);
    }
    state.blendType = BlendType::Logic;
    state.logicOp = LogicOp::Xor;
    FillRect(state, 0, 0, 4, 4, 0xFFFFFFFF, 0.0f);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFFFFFFB9u);
}

TEST_F(GXRasterTest, AlphaCompareBeforeOrAfterTheDepthTest) {
    state.alphaComp0 = Compare::Greater;
    state.alphaRef0 = 128;
    state.alphaOp = AlphaOp::Or;
    state.alphaComp1 = Compare::Equal;
    state.alphaRef1 = 10;
    state.zCompBeforeTex = false;
    FillRect(state, 0, 0, 4, 4, 0xFF000064, 0.5f);   // 100: rejected
    FillRect(state, 4, 0, 8, 4, 0xFF00000A, 0.5f);   // 10: second comparison passes
    FillRect(state, 8, 0, 12, 4, 0xFF0000C8, 0.5f);  // 200: passes
    EXPECT_EQ(HostEFBColor(1, 1), 0xFF000000u);
    EXPECT_EQ(HostEFBColor(5, 1), 0xFFFF0000u);
    EXPECT_EQ(HostEFBColor(9, 1), 0xFFFF0000u);
    // Depth after the alpha compare: a rejected pixel leaves the depth alone;
    // depth first, it is written all the same.
    EXPECT_EQ(HostEFBDepth(1, 1), kMaxDepth);
    state.zCompBeforeTex = true;
    FillRect(state, 0, 4, 4, 8, 0xFF000064, 0.5f);
    EXPECT_NEAR(double(HostEFBDepth(1, 5)), 0.5 * kMaxDepth, 1.0);
    EXPECT_EQ(HostEFBColor(1, 5), 0xFF000000u);
}

TEST_F(GXRasterTest, WriteMasksAndDestinationAlpha) {
    state.pixelFormat = PixelFormat::RGBA6_Z24;
    FillRect(state, 0, 0, 4, 4, 0x80FC4040);
    EXPECT_EQ(HostEFBColor(1, 1), 0x4182FF41u);  // 6 bits per channel
    state.colorUpdate = false;
    FillRect(state, 0, 0, 4, 4, 0xFFFFFFFC);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFF82FF41u);
    state.colorUpdate = true;
    state.alphaUpdate = false;
    FillRect(state, 0, 0, 4, 4, 0x000000FF, 0.25f);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFF000000u);
    state.alphaUpdate = true;
    state.dstAlphaEnable = true;
    state.dstAlpha = 0x40;
    FillRect(state, 0, 0, 4, 4, 0xFFFFFFFF, 0.0f);
    EXPECT_EQ(HostEFBColor(1, 1), 0x41FFFFFFu);
    // RGB8 keeps no alpha.
    state.pixelFormat = PixelFormat::RGB8_Z24;
    FillRect(state, 0, 0, 4, 4, 0x12345600, 0.0f);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFF123456u);
}

TEST_F(GXRasterTest, LinearFogFollowsTheDistance) {
    state.fogColor = {0, 0, 255, 255};
    state.fogStartZ = 0.0f;
    state.fogEndZ = 1.0f;
    state.fogNearZ = 0.0f;
    state.fogFarZ = 1.0f;
    state.fogType = FogType::OrthoLin;
    FillRect(state, 0, 0, 4, 4, 0xFF0000FF, 0.25f);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFFBF003Fu);
    // Perspective fog reads the eye distance from w: 2 is past the end.
    state.fogType = FogType::PerspLin;
    RasterVertex v[3] = {At(0, 0, 0xFF0000FF, 0.0f), At(8, 0, 0xFF0000FF, 0.0f), At(0, 8, 0xFF0000FF, 0.0f)};
    for (RasterVertex& p : v)
        for (float& c : p.pos)
            c *= 2.0f;
    RasterTriangle(state, v[0], v[1], v[2]);
    EXPECT_EQ(HostEFBColor(1, 1), 0xFF0000FFu);
}

// A fog that starts where it ends changes no pixel, before or past that distance,
// and leaves the fast loops on.
TEST_F(GXRasterTest, FogWithNoRangeChangesNothing) {
    state.fogColor = {0, 0, 255, 255};
    state.fogStartZ = state.fogEndZ = 1.0f;
    for (FogType type : {FogType::PerspLin, FogType::PerspExp2, FogType::OrthoLin}) {
        state.fogType = type;
        EXPECT_FALSE(PlanFog(state).enabled) << int(type);
        for (float w : {0.5f, 2.0f}) {
            EfbReset();
            RasterVertex v[3] = {At(0, 0, 0xFF0000FF, 0.0f), At(8, 0, 0xFF0000FF, 0.0f),
                                 At(0, 8, 0xFF0000FF, 0.0f)};
            for (RasterVertex& p : v)
                for (float& c : p.pos)
                    c *= w;
            RasterTriangle(state, v[0], v[1], v[2]);
            EXPECT_EQ(HostEFBColor(1, 1), 0xFFFF0000u) << int(type) << " w " << w;
        }
    }
}

}  // namespace
}  // namespace gxtest
