// Vertex formats: direct data in fixed point decodes to the right values, and
// data that does not match the descriptor or the announced count is fatal.
#include "console/gx/gx_vertex.h"

#include <cstring>
#include <vector>

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

// Every scalar type and count of a texture coordinate, after a colour of each
// kind, from the bytes a display list would hold.
TEST_F(GXVertexTest, EveryTypeDecodesFromItsBytes) {
    struct Case {
        GXCompType clrType;
        std::vector<u8> clrBytes;
        GXColor clr;
        GXCompType texType;
        GXCompCnt texCnt;
        std::vector<u8> texBytes;
        f32 st[2];
    };
    const Case cases[] = {
        {GX_RGB8, {1, 2, 3}, {1, 2, 3, 255}, GX_U8, GX_TEX_S, {200}, {50, 0}},
        {GX_RGBX8, {4, 5, 6, 7}, {4, 5, 6, 255}, GX_S8, GX_TEX_ST, {0xFE, 0x04}, {-0.5f, 1}},
        {GX_RGBA8, {8, 9, 10, 11}, {8, 9, 10, 11}, GX_U16, GX_TEX_ST, {0xFF, 0xFF, 8, 0}, {16383.75f, 2}},
        {GX_RGB8, {12, 13, 14}, {12, 13, 14, 255}, GX_S16, GX_TEX_S, {0xFC, 0xFF}, {-1, 0}},
        {GX_RGBA8,
         {0, 0, 0, 0},
         {0, 0, 0, 0},
         GX_F32,
         GX_TEX_ST,
         {0, 0, 0xC0, 0x3F, 0, 0, 0, 0xC0},
         {1.5f, -2}},
    };
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_CLR1, GX_DIRECT);
    GXSetVtxDesc(GX_VA_TEX3, GX_DIRECT);
    for (const Case& c : cases) {
        GXSetVtxAttrFmt(GX_VTXFMT3, GX_VA_CLR1, GX_CLR_RGBA, c.clrType, 0);
        GXSetVtxAttrFmt(GX_VTXFMT3, GX_VA_TEX3, c.texCnt, c.texType, 2);
        std::vector<u8> bytes = c.clrBytes;
        bytes.insert(bytes.end(), c.texBytes.begin(), c.texBytes.end());
        const console::gx::VertexLayout layout = console::gx::LayoutOf(GX_VTXFMT3);
        EXPECT_EQ(layout.size, bytes.size());
        // A record left from another vertex: every field is written.
        console::gx::DecodedVertex v;
        std::memset(static_cast<void*>(&v), 0x7F, sizeof v);
        console::gx::DecodeVertices(layout, bytes.data(), 1, &v, sizeof v);
        EXPECT_EQ((std::vector<u8>{v.clr[1].r, v.clr[1].g, v.clr[1].b, v.clr[1].a}),
                  (std::vector<u8>{c.clr.r, c.clr.g, c.clr.b, c.clr.a}));
        EXPECT_EQ((std::vector<f32>{v.tex[3][0], v.tex[3][1]}), (std::vector<f32>{c.st[0], c.st[1]}));
        EXPECT_EQ(v.clr[0].a, 255);  // what the layout lacks keeps its default
        EXPECT_EQ(v.nrm[2], 1.0f);
        EXPECT_EQ(v.pos[0], 0.0f);
        EXPECT_EQ(v.tex[7][1], 0.0f);
    }
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
