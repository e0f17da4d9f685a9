#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "console/gx/efb_control.h"
#include "console/gx/gx_control.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kBlack = 0xFF000000u;  // EFB pixels read 0xAARRGGBB
constexpr u32 kRed = 0xFFFF0000u;
constexpr u32 kGreen = 0xFF00FF00u;

// 2-D drawing over a black screen in plain flat red.
class DrawImmediateTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetConstantZ(-0.5f);
        DrawSetFlatColor(0x000000FFu);
        const s_Irect16 screen = {0, 0, 640, 480};
        DrawFilledIrect(&screen);
        DrawSetFlatColor(0xFF0000FFu);
    }

    // One run of `count` vertices, all on one point except where `place` moves them.
    static void Run(e_prim_type type, s32 count, const std::function<void(s32, s_draw_vertex&)>& place) {
        DrawBegin(type);
        Feed(count, place);
        DrawEnd();
    }

    static void Feed(s32 count, const std::function<void(s32, s_draw_vertex&)>& place) {
        for (s32 i = 0; i < count; ++i) {
            s_draw_vertex v = DrawContext.vertex;
            v.coord = {5.0f, 5.0f, -0.5f, 1.0f};
            place(i, v);
            DrawVertex(&v);
        }
    }

    static void At(s_draw_vertex& v, f32 x, f32 y) {
        v.coord.x = x;
        v.coord.y = y;
    }
};

TEST_F(DrawImmediateTest, FilledIrectCoversExactlyItsPixels) {
    const s_Irect16 rect = {10, 20, 30, 40};
    DrawFilledIrect(&rect);
    for (u32 y = 15; y < 65; ++y) {
        for (u32 x = 5; x < 45; ++x) {
            const bool inside = x >= 10 && x < 40 && y >= 20 && y < 60;
            ASSERT_EQ(HostEFBColor(x, y), inside ? kRed : kBlack) << x << ", " << y;
        }
    }
}

// An outline at whole-pixel corners lies on the edge pixels of the fill with the
// same rectangle, at the screen's corner too.
TEST_F(DrawImmediateTest, IrectOutlineLiesOnTheFillsEdge) {
    for (const s_Irect16& rect : {s_Irect16{300, 100, 50, 50}, s_Irect16{0, 0, 20, 10}}) {
        DrawIrect(&rect);
        const s32 x0 = rect.x, y0 = rect.y, x1 = rect.x + rect.w, y1 = rect.y + rect.h;
        for (s32 y = std::max(y0 - 2, 0); y < y1 + 2; ++y) {
            for (s32 x = std::max(x0 - 2, 0); x < x1 + 2; ++x) {
                const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
                const bool edge = inside && (x == x0 || x == x1 - 1 || y == y0 || y == y1 - 1);
                ASSERT_EQ(HostEFBColor(u32(x), u32(y)), edge ? kRed : kBlack) << x << ", " << y;
            }
        }
    }
}

// The legal maximum goes out as one run.
TEST_F(DrawImmediateTest, RunOf8191Vertices) {
    DrawBegin(PRIM_TRIANGLE_STRIP);
    Feed(8191, [](s32 i, s_draw_vertex& v) {
        if (i == 8188)
            At(v, 100, 100);
        if (i == 8189)
            At(v, 200, 150);
        if (i == 8190)
            At(v, 100, 200);
    });
    EXPECT_EQ(DrawVertexCount, 8191);
    DrawEnd();
    EXPECT_EQ(Drawing, 0);
    EXPECT_EQ(HostEFBColor(150, 150), kRed);
}

// Longer runs go out in pieces; the primitives that span a piece boundary are drawn.
TEST_F(DrawImmediateTest, LongTriangleListSpansPieces) {
    Run(PRIM_TRIANGLE, 8193, [](s32 i, s_draw_vertex& v) {
        if (i == 8190)
            At(v, 100, 100);
        if (i == 8191)
            At(v, 200, 100);
        if (i == 8192)
            At(v, 100, 200);
    });
    EXPECT_EQ(HostEFBColor(110, 110), kRed);
}

TEST_F(DrawImmediateTest, LongTriangleStripKeepsItsWinding) {
    DrawSetCullMode(DC_CULL_BACK);  // a strip triangle with the wrong parity would be culled
    Run(PRIM_TRIANGLE_STRIP, 8194, [](s32 i, s_draw_vertex& v) {
        if (i >= 8190)
            At(v, 100.0f + 100.0f * ((i - 8190) / 2), 100.0f + 100.0f * (i % 2));
    });
    EXPECT_EQ(HostEFBColor(120, 150), kRed);
    EXPECT_EQ(HostEFBColor(180, 150), kRed);
}

TEST_F(DrawImmediateTest, LongTriangleFanKeepsItsCentre) {
    Run(PRIM_TRIANGLE_FAN, 8200, [](s32 i, s_draw_vertex& v) {
        if (i == 0)
            At(v, 300, 300);
        if (i == 8191)
            At(v, 400, 300);
        if (i >= 8192)
            At(v, 400, 400);  // a fan that lost its centre draws nothing here
    });
    EXPECT_EQ(HostEFBColor(390, 310), kRed);
}

TEST_F(DrawImmediateTest, TextureCoordinatesOnlyWithTextureOn) {
    const GXStateMirror gx = HostGXState();
    const s_Vector3 a = {0, 0, -0.5f, 0}, b = {10, 0, -0.5f, 0}, c = {0, 10, -0.5f, 0};
    DrawTriangle(&a, &b, &c);
    EXPECT_EQ(gx.front.desc[console::gx::kAttrTex0], GX_NONE);
    DrawContext.flags |= u_draw_flags::TextureOn;
    DrawTriangle(&a, &b, &c);
    EXPECT_EQ(gx.front.desc[console::gx::kAttrTex0], GX_DIRECT);
}

TEST_F(DrawImmediateTest, ProjectionSwitchSetsCulling) {
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_NONE);
    EXPECT_EQ(HostGXState().front.projection.type, GX_ORTHOGRAPHIC);
    EXPECT_EQ(DrawSetProjection(DC_PROJ_3D), DC_PROJ_ORTHO);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(HostGXState().front.projection.type, GX_PERSPECTIVE);
}

// A 16 x 8 texture, red left of u = 0.5 and green right of it, turned and
// scaled about its centre.
TEST_F(DrawImmediateTest, TextureQuadCoversItsPixelSizeTurnedAndScaledAboutItsCentre) {
    // RGBA8 in 4 x 4 tiles of 16 AR pairs then 16 GB pairs; two tile columns red, two green.
    std::vector<u8> texels;
    for (u32 tile = 0; tile < 8; ++tile) {
        const u8 red = tile % 4 < 2 ? 0xFF : 0;
        for (u32 i = 0; i < 16; ++i)
            texels.insert(texels.end(), {0xFF, red});
        for (u32 i = 0; i < 16; ++i)
            texels.insert(texels.end(), {u8(~red), 0});
    }
    s_texture* texture = TextureCreate(16, 8, 32, 0, texels.data(), nullptr);
    ASSERT_NE(texture, nullptr);
    DrawSetFlatColor(0xFFFFFFFFu);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_POINT);
    DrawSetTexture(texture);
    const struct {
        f32 x, y, sx, sy, angle;
        s32 x0, y0, x1, y1;  // the pixels covered
        s32 redY1, redX1;    // red where y < redY1 and x < redX1, else green
    } kCases[] = {
        {100, 50, 1, 1, 0, 92, 46, 108, 54, 54, 100},
        // u runs down the screen: the quad turns clockwise.
        {300, 200, 2, 1, 90, 296, 184, 304, 216, 200, 304},
    };
    for (const auto& c : kCases)
        DrawTexture(c.x, c.y, c.sx, c.sy, c.angle);
    DrawSetTexture(nullptr);
    DrawTexture(200, 100, 1, 1, 0);  // no texture: nothing
    for (s32 y = 30; y < 230; ++y) {
        for (s32 x = 80; x < 320; ++x) {
            u32 expected = kBlack;
            for (const auto& c : kCases)
                if (x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1)
                    expected = y < c.redY1 && x < c.redX1 ? kRed : kGreen;
            ASSERT_EQ(HostEFBColor(u32(x), u32(y)), expected) << x << ", " << y;
        }
    }
    TextureFree(texture);
}

using DrawMatrixStackTest = EngineFixture;

TEST_F(DrawMatrixStackTest, PushComposesAndPopRestores) {
    DrawResetMatrixStacks();
    EXPECT_EQ(DrawGetMatrix(), nullptr);
    DrawPopMatrix();  // empty: nothing happens
    EXPECT_EQ(DrawGetMatrix(), nullptr);

    s_Matrix4 move, scale;
    Matrix4CreateTranslate(&move, 1.0f, 0.0f, 0.0f);
    Matrix4CreateScale(&scale, 2.0f, 2.0f, 2.0f, 1.0f);
    DrawPushMatrix(&move);
    DrawPushMatrix(&scale);  // applied first
    const s_Vector3 p = {1.0f, 0.0f, 0.0f, 0.0f};
    s_Vector3 q;
    Matrix4MultPoints(DrawGetMatrix(), &q, &p, 1);
    EXPECT_FLOAT_EQ(q.x, 3.0f);
    EXPECT_FLOAT_EQ(HostGXState().front.posMtx[0][0][3], 1.0f);

    DrawPopMatrix();
    DrawPopMatrix();  // the last one: the identity is loaded
    EXPECT_EQ(DrawGetMatrix(), nullptr);
    EXPECT_FLOAT_EQ(HostGXState().front.posMtx[0][0][3], 0.0f);
    EXPECT_FLOAT_EQ(HostGXState().front.posMtx[0][0][0], 1.0f);
}

using DrawMatrixStackDeathTest = EngineDeathFixture;

TEST_F(DrawMatrixStackDeathTest, OverflowIsFatal) {
    DrawResetMatrixStacks();
    for (s32 i = 0; i < DRAW_MATRIX_STACK_DEPTH; ++i)
        DrawPushMatrix(&IDMatrix4);
    EXPECT_DEATH(DrawPushMatrix(&IDMatrix4), "DrawPushMatrix: matrix stack 1 is full \\(32 matrices\\)");
}

}  // namespace
