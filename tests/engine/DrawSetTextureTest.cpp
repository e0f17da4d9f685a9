// Selecting textures through the draw context: what is drawn follows the texture
// set when its vertices were collected, and a disabled texture draws untextured.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using namespace discbuild;

// A 4x4 texture of one colour (0xRRGGBBAA), or of `right` in its right half,
// registered under `name`.
s_texture* LoadFlat(const char* name, u32 rgba, TexFormat format = TexFormat::RGBA8, u32 right = 0) {
    TimTexture tim;
    tim.format = format;
    tim.image = {4, 4, {}};
    if (format == TexFormat::C8) {
        tim.indices.assign(16, 0);
        tim.palette = {rgba};
    } else {
        for (u32 i = 0; i < 16; ++i) {
            const u32 c = right != 0 && i % 4 >= 2 ? right : rgba;
            tim.image.rgba.insert(tim.image.rgba.end(), {u8(c >> 24), u8(c >> 16), u8(c >> 8), u8(c)});
        }
    }
    const std::vector<u8> chunk = TimPayload(tim);
    void* data = HeapMalloc(u32(chunk.size()), "test", 0);
    std::copy(chunk.begin(), chunk.end(), static_cast<u8*>(data));
    return TextureLoad(name, data, u32(chunk.size()));
}

class DrawSetTextureTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetStencilMode(DC_STENCIL_OFF);
    }
    void TearDown() override {
        DrawSetTexture(nullptr);
        EngineFixture::TearDown();
    }

    // The four corners of a quad over x0..x0+50, y 100..150, yellow unless told.
    static void QuadVertices(f32 x0, u32 rgba = 0xFFFF00FFu) {
        for (const auto [x, y] : {std::array{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            s_draw_vertex v = DrawContext.vertex;
            v.coord = {x0 + 50.0f * f32(x), 100.0f + 50.0f * f32(y), -0.5f, 1.0f};
            v.color = rgba;
            v.u = f32(x);
            v.v = f32(y);
            DrawVertex(&v);
        }
    }
    static u32 Pixel(u32 x) { return HostEFBColor(x, 125) & 0x00FFFFFFu; }
};

TEST_F(DrawSetTextureTest, QuadsCollectedBeforeASwitchKeepTheirTexture) {
    s_texture* cyan = LoadFlat("CYAN", 0x00FFFFFFu);
    s_texture* white = LoadFlat("WHITE", 0xFFFFFFFFu);
    ASSERT_NE(cyan, nullptr);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(DrawSetTexture(cyan), nullptr);
    DrawBegin(PRIM_QUAD);
    QuadVertices(100.0f);
    EXPECT_EQ(DrawSetTexture(white), cyan);
    QuadVertices(200.0f);
    DrawEnd();
    EXPECT_EQ(Pixel(125), 0x00FF00u);  // cyan x yellow
    EXPECT_EQ(Pixel(225), 0xFFFF00u);
    EXPECT_EQ(DrawSetTexture(white), white);
    DrawSetTexture(nullptr);
    TextureFree(cyan);
    TextureFree(white);
}

TEST_F(DrawSetTextureTest, PalettisedTexturesJoinBothPalettesUnderTheVertexColour) {
    s_texture* texture = LoadFlat("PAL", 0x80FF40FFu, TexFormat::C8);
    ASSERT_NE(texture, nullptr);
    DrawSetTexture(texture);
    DrawBegin(PRIM_QUAD);
    QuadVertices(100.0f);
    DrawEnd();
    EXPECT_EQ(Pixel(125), 0x80FF00u);

    // A flat colour scales each half by its half of the colour registers and again
    // as the rasterised colour: a swapped channel or input shows.
    DrawSetFlatColor(0xFF8040FFu);
    DrawBegin(PRIM_QUAD);
    QuadVertices(100.0f, 0xFFFFFFFFu);
    DrawEnd();
    const u32 pixel = Pixel(125);
    EXPECT_NEAR(f32(pixel >> 16), 128.0f, 1.0f);
    EXPECT_NEAR(f32(pixel >> 8 & 0xFF), 255.0f * 0.502f * 0.502f, 2.0f);
    EXPECT_NEAR(f32(pixel & 0xFF), 64.0f * 0.251f * 0.251f, 1.0f);
    DrawSetFlatColor(0xFFFFFFFFu);
    DrawSetTexture(nullptr);
    TextureFree(texture);
}

TEST_F(DrawSetTextureTest, WithTexturesDisabledATextureBindsAsNone) {
    s_texture* cyan = LoadFlat("CYAN", 0x00FFFFFFu);
    DrawEnableTexture(0);
    EXPECT_EQ(DrawSetTexture(cyan), nullptr);
    EXPECT_EQ(DrawContext.texture, nullptr);
    EXPECT_EQ(DrawContext.flags & u_draw_flags::TextureOn, 0u);
    DrawBegin(PRIM_QUAD);
    QuadVertices(100.0f);
    DrawEnd();
    EXPECT_EQ(Pixel(125), 0xFFFF00u);
    DrawEnableTexture(1);
    EXPECT_EQ(DrawSetTexture(cyan), nullptr);
    EXPECT_NE(DrawContext.flags & u_draw_flags::TextureOn, 0u);
    DrawSetTexture(nullptr);
    TextureFree(cyan);
}

// Font and sprite code switch the filter with their texture left bound.
TEST_F(DrawSetTextureTest, AFilterChangeReachesTheBoundTexture) {
    s_texture* split = LoadFlat("SPLIT", 0x000000FFu, TexFormat::RGBA8, 0xFFFFFFFFu);
    DrawSetTextureWrapMode(DC_TEXTURE_WRAP_CLAMP);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_POINT);
    DrawSetTexture(split);
    const auto draw = [] {
        DrawBegin(PRIM_QUAD);
        QuadVertices(100.0f, 0xFFFFFFFFu);
        DrawEnd();
        return Pixel(123) & 0xFF;  // just left of the middle: between the texels when filtered
    };
    EXPECT_EQ(draw(), 0u);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_LINEAR);
    EXPECT_GT(draw(), 40u);
    DrawSetTexture(nullptr);
    TextureFree(split);
}

}  // namespace
