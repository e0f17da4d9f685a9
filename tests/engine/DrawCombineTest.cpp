// The engine programs its own combine stages: drawing gives the same pixels whatever
// the hardware's combine state was left holding.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "console/gx.h"
#include "console/gx/efb_control.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/DrawCombine.h"
#include "tests/support/EngineFixture.h"

namespace {

// Combine state no drawing wants: every stage reads a texture and register 2 through
// scrambled swap tables, with extra coordinate generators and channels.
void ScrambleCombine() {
    GXSetNumTevStages(4);
    GXSetNumTexGens(3);
    GXSetNumChans(2);
    GXSetTevColor(GX_TEVREG2, GXColor{7, 77, 177, 0});
    GXSetTevSwapModeTable(GX_TEV_SWAP1, GX_CH_BLUE, GX_CH_RED, GX_CH_GREEN, GX_CH_RED);
    GXSetTevSwapModeTable(GX_TEV_SWAP2, GX_CH_ALPHA, GX_CH_ALPHA, GX_CH_ALPHA, GX_CH_RED);
    for (u8 s = 0; s < 4; ++s) {
        const GXTevStageID stage = GXTevStageID(GX_TEVSTAGE0 + s);
        GXSetTevOrder(stage, GX_TEXCOORD2, GX_TEXMAP5, GX_COLOR1A1);
        GXSetTevColorIn(stage, GX_CC_C2, GX_CC_TEXC, GX_CC_HALF, GX_CC_ONE);
        GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO);
        GXSetTevColorOp(stage, GX_TEV_SUB, GX_TB_SUBHALF, GX_CS_SCALE_4, GX_FALSE, GX_TEVPREV);
        GXSetTevAlphaOp(stage, GX_TEV_SUB, GX_TB_ADDHALF, GX_CS_DIVIDE_2, GX_FALSE, GX_TEVPREV);
        GXSetTevSwapMode(stage, GX_TEV_SWAP1, GX_TEV_SWAP2);
    }
}

// A 4x4 RGBA8 texture (one tile: alpha-red pairs, then green-blue pairs) whose left
// two columns are `left` and right two `right` (0xRRGGBBAA), sampled nearest.
struct SplitTexture {
    SplitTexture(u32 left, u32 right, GXTexMapID map = GX_TEXMAP0) {
        for (u32 i = 0; i < 16; ++i) {
            const u32 rgba = i % 4 < 2 ? left : right;
            texels[2 * i] = u8(rgba);
            texels[2 * i + 1] = u8(rgba >> 24);
            texels[32 + 2 * i] = u8(rgba >> 16);
            texels[32 + 2 * i + 1] = u8(rgba >> 8);
        }
        GXInitTexObj(&object, texels.data(), 4, 4, GX_TF_RGBA8, GX_CLAMP, GX_CLAMP, GX_FALSE);
        GXInitTexObjFilter(&object, GX_NEAR, GX_NEAR);
        GXLoadTexObj(&object, map);
    }
    alignas(32) std::array<u8, 64> texels{};
    GXTexObj object{};
};

class DrawCombineTest : public EngineFixture {
protected:
    // Opaque 2-D drawing over the whole screen.
    static void Setup2D() {
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetFlatColor(0xFFFFFFFFu);
    }

    // A quad over (100, 100)-(200, 200) in one vertex colour (0xRRGGBBAA).
    static void DrawQuad(u32 rgba) {
        DrawBegin(PRIM_QUAD);
        for (const auto [x, y] : {std::array{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            s_draw_vertex v = DrawContext.vertex;
            v.coord = {100.0f + 100.0f * f32(x), 100.0f + 100.0f * f32(y), -0.5f, 1.0f};
            v.color = rgba;
            v.u = f32(x);
            v.v = f32(y);
            DrawVertex(&v);
        }
        DrawEnd();
    }

    // The EFB reads 0xAARRGGBB.
    static u32 Pixel(u32 x = 150) { return HostEFBColor(x, 150) & 0x00FFFFFFu; }
};

TEST_F(DrawCombineTest, TexturedDrawingModulatesByTheVertexColour) {
    Setup2D();
    DrawSetStencilMode(DC_STENCIL_OFF);
    const SplitTexture texture(0xFF00FFFFu, 0xFF00FFFFu);
    struct Case {
        u32 vertex, expected;
    };
    for (const Case& c :
         {Case{0xFFFFFFFFu, 0xFF00FFu}, Case{0x00FFFFFFu, 0x0000FFu}, Case{0xFF0000FFu, 0xFF0000u}}) {
        ScrambleCombine();
        DrawSetCombineStages(e_bound_texture::Ordinary);
        EXPECT_NE(DrawContext.flags & u_draw_flags::TextureOn, 0u);
        DrawQuad(c.vertex);
        EXPECT_EQ(Pixel(), c.expected) << std::hex << c.vertex;
    }
}

// Binding no texture, after a black texture and whatever the stages were left
// holding, shows the vertex colour.
TEST_F(DrawCombineTest, UntexturedDrawingShowsTheVertexColour) {
    Setup2D();
    DrawSetStencilMode(DC_STENCIL_OFF);
    const SplitTexture texture(0x000000FFu, 0x000000FFu);
    for (u32 rgba : {0x3060C0FFu, 0xFF0000FFu, 0x00FF80FFu}) {
        DrawSetCombineStages(e_bound_texture::Ordinary);
        ScrambleCombine();
        DrawSetCombineStages(e_bound_texture::None);
        EXPECT_EQ(DrawContext.flags & u_draw_flags::TextureOn, 0u);
        DrawQuad(rgba);
        EXPECT_EQ(Pixel(), rgba >> 8) << std::hex << rgba;
    }
}

// With the stencil mode on, the texel is also modulated by map 7.
TEST_F(DrawCombineTest, StencilModeModulatesByMapSeven) {
    Setup2D();
    DrawSetStencilMode(DC_STENCIL_ON);
    const SplitTexture texture(0xFFFF00FFu, 0xFFFF00FFu);
    const SplitTexture stencil(0x00FFFFFFu, 0x00FFFFFFu, GX_TEXMAP7);
    const Mtx identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    GXLoadTexMtxImm(identity, GX_TEXMTX9, GX_MTX3x4);
    ScrambleCombine();
    DrawSetCombineStages(e_bound_texture::Ordinary);
    DrawQuad(0xFFFFFFFFu);
    EXPECT_EQ(Pixel(), 0x00FF00u);
    DrawSetStencilMode(DC_STENCIL_OFF);
    DrawSetCombineStages(e_bound_texture::Ordinary);
    DrawQuad(0xFFFFFFFFu);
    EXPECT_EQ(Pixel(), 0xFFFF00u);
}

// Only the matrix's translation scrolls texture coordinate 0, whatever its generator held.
TEST_F(DrawCombineTest, TextureMatrixScrollsByItsTranslationOnly) {
    Setup2D();
    DrawSetStencilMode(DC_STENCIL_OFF);
    const SplitTexture texture(0xFF0000FFu, 0x0000FFFFu);
    DrawSetCombineStages(e_bound_texture::Ordinary);
    s_Matrix4 scroll, turn = IDMatrix4;
    Matrix4CreateTranslate(&scroll, 0.5f, 0.0f, 0.0f);
    Matrix4RotateZ(&turn, 1.0f);
    struct Case {
        const s_Matrix4* matrix;
        u32 left;  // at the quad's left edge
    };
    for (const Case& c : {Case{nullptr, 0xFF0000u}, Case{&scroll, 0x0000FFu}, Case{&turn, 0xFF0000u}}) {
        const Mtx squash = {{0, 0, 0, 0.9f}, {0, 0, 0, 0.9f}, {}};
        GXLoadTexMtxImm(squash, GX_TEXMTX3, GX_MTX2x4);
        GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_TEXMTX3);
        DrawSetTextureMatrix(c.matrix);
        DrawQuad(0xFFFFFFFFu);
        EXPECT_EQ(Pixel(105), c.left);
        EXPECT_EQ(Pixel(195), 0x0000FFu);
    }
}

}  // namespace
