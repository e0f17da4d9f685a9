// Vertex formats: direct data in fixed point decodes to the right values, and
// data that does not match the descriptor or the announced count is fatal.
#include "tests/console/gx_front_support.h"

namespace {

using GXVertexTest = gxtest::GXFrontTest;

// Texture coordinate 0 passes through untouched; coordinate 1 is the normal.
void ShowTexCoordAndNormal() {
    GXSetNumTexGens(2);
    GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_IDENTITY);
    GXSetTexCoordGen(GX_TEXCOORD1, GX_TG_MTX3x4, GX_TG_NRM, GX_IDENTITY);
}

TEST_F(GXVertexTest, FixedPointFormatsDecode) {
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
    GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    GXSetVtxDesc(GX_VA_TEX0, GX_DIRECT);
    GXSetVtxAttrFmt(GX_VTXFMT1, GX_VA_POS, GX_POS_XYZ, GX_S16, 4);
    GXSetVtxAttrFmt(GX_VTXFMT1, GX_VA_NRM, GX_NRM_XYZ, GX_S8, 6);
    GXSetVtxAttrFmt(GX_VTXFMT1, GX_VA_TEX0, GX_TEX_ST, GX_S16, 10);
    ShowTexCoordAndNormal();

    GXBegin(GX_POINTS, GX_VTXFMT1, 1);
    GXPosition3s16(16, -8, -160);
    GXNormal3s8(64, -32, 1);
    GXColor1u32(0xFF800040);
    GXTexCoord2s16(1024, -512);
    GXEnd();

    ASSERT_EQ(primitives.size(), 1u);
    const auto& v = primitives[0].vertices[0];
    EXPECT_EQ((std::vector<float>(v.pos, v.pos + 4)), (std::vector<float>{1, -0.5f, -10, 1}));
    EXPECT_EQ((std::vector<float>(v.tex[0], v.tex[0] + 3)), (std::vector<float>{1, -0.5f, 1}));
    EXPECT_EQ((std::vector<float>(v.tex[1], v.tex[1] + 3)), (std::vector<float>{1, -0.5f, 1.0f / 64}));
    EXPECT_FLOAT_EQ(v.color[0][1], 128.0f / 255);  // unlit: the vertex colour
    EXPECT_FLOAT_EQ(v.color[0][3], 64.0f / 255);
}

TEST_F(GXVertexTest, TwoComponentPositionsLieAtZeroDepth) {
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxAttrFmt(GX_VTXFMT2, GX_VA_POS, GX_POS_XY, GX_F32, 0);
    GXBegin(GX_LINES, GX_VTXFMT2, 2);
    GXPosition2f32(0.25f, 0.5f);
    GXPosition2f32(-1, 1);
    GXEnd();
    ASSERT_EQ(primitives.size(), 1u);
    EXPECT_EQ(primitives[0].vertices[0].pos[2], 0.0f);
    EXPECT_EQ(primitives[0].vertices[1].pos[0], -1.0f);
}

TEST_F(GXVertexTest, DataThatDoesNotFitIsFatal) {
    PositionColorFormat();
    EXPECT_DEATH(
        {
            GXBegin(GX_TRIANGLES, GX_VTXFMT0, 3);
            GXPosition3f32(0, 0, 0);
            GXColor1u32(0);
            GXEnd();
        },
        "3 vertices announced, 1 sent");
    EXPECT_DEATH(
        {
            GXBegin(GX_POINTS, GX_VTXFMT0, 1);
            GXColor1u32(0);  // position comes first
        },
        "expects attribute 9");
    EXPECT_DEATH(
        {
            GXBegin(GX_POINTS, GX_VTXFMT0, 1);
            GXPosition3s16(0, 0, 0);  // the format says f32
        },
        "expects attribute 9");
    EXPECT_DEATH(
        {
            GXBegin(GX_POINTS, GX_VTXFMT0, 1);
            GXPosition3f32(0, 0, 0);
            GXColor1u32(0);
            GXPosition3f32(0, 0, 0);
        },
        "more than the 1 vertices");
    EXPECT_DEATH(GXPosition3f32(0, 0, 0), "outside GXBegin");
}

}  // namespace
