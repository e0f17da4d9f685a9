// Copies of the picture into textures: render to texture, the frame-buffer
// texture, and the display copy's clear colour around them.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "console/gx.h"
#include "console/gx/efb_control.h"
#include "console/gx/gx_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kGrey = 0x808080FFu, kGreen = 0x00FF00FFu, kRed = 0xFF0000FFu;
constexpr u32 kBlue = 0x0000FFFFu, kYellow = 0xFFFF00FFu;

class TextureRenderTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Prepare();
    }

    static void Prepare() {
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetStencilMode(DC_STENCIL_OFF);
        DrawSetTexture(nullptr);
    }
    static void Fill(s16 x, s16 y, s16 w, s16 h, u32 rgba) {
        const s_Irect16 rect = {x, y, w, h};
        DrawSetFlatColor(rgba);
        DrawFilledIrect(&rect);
        DrawSetFlatColor(0xFFFFFFFFu);
    }
    // A picture with something in the render corner, beside it and at the bottom.
    static void Picture() {
        Fill(0, 0, 640, 480, kGrey);
        Fill(8, 8, 16, 16, kGreen);
        Fill(60, 20, 20, 50, kRed);
        Fill(300, 440, 40, 40, kBlue);
    }
    static std::vector<u32> Snapshot(u32 width, u32 height) {
        std::vector<u32> pixels;
        for (u32 i = 0; i < width * height; ++i)
            pixels.push_back(HostEFBColor(i % width, i / width));
        return pixels;
    }
    static u32 Rgb(u32 argb) { return argb & 0x00FFFFFFu; }
    // The texel at the centre of texel (x, y), as 0xRRGGBBAA. A copied
    // texture's memory is the graphics processor's until a draw done.
    static u32 Texel(const s_texture* texture, u32 x, u32 y) {
        GXDrawDone();
        const s_texture_map& map = texture->file.maps[0];
        return TextureGetTexel(texture, (f32(x) + 0.5f) / f32(map.width), (f32(y) + 0.5f) / f32(map.height));
    }
    static u32 TexelRgb(const s_texture* texture, u32 x, u32 y) { return Texel(texture, x, y) >> 8; }
};

TEST_F(TextureRenderTest, RenderToTextureFillsTheTargetAndLeavesThePictureIntact) {
    s_texture* target = TextureAlloc(64, 64, 32);
    ASSERT_NE(target, nullptr);
    // Bound once before, so that a stale decoded copy would show below.
    DrawSetTexture(target);
    DrawSetTexture(nullptr);
    Picture();
    const std::vector<u32> before = Snapshot(128, 96);

    ASSERT_EQ(DrawStartRenderToTexture(target), 1);
    Prepare();
    Fill(0, 0, 32, 64, kBlue);
    Fill(32, 0, 32, 64, kYellow);
    DrawEndRenderToTexture();

    EXPECT_EQ(Snapshot(128, 96), before);
    for (const auto [x, y, rgb] : {std::array{0u, 0u, kBlue >> 8},
                                   {31, 63, kBlue >> 8},
                                   {32, 0, kYellow >> 8},
                                   {63, 63, kYellow >> 8}})
        EXPECT_EQ(TexelRgb(target, x, y), rgb) << x << ", " << y;

    // Drawn as a texture, the target shows what was rendered into it.
    Prepare();
    DrawSetTexture(target);
    const s_Irect16 shown = {200, 200, 64, 64};
    DrawFilledIrect(&shown);
    EXPECT_EQ(Rgb(HostEFBColor(210, 230)), kBlue >> 8);
    EXPECT_EQ(Rgb(HostEFBColor(250, 230)), kYellow >> 8);
    EXPECT_EQ(DrawContext.flags & u_draw_flags::ZBuffer_Write_Mode_Locked, 0u);
    TextureFree(target);
}

TEST_F(TextureRenderTest, TargetsLargerThanTheSavedPictureAreRefusedWithoutDrawing) {
    Picture();
    const std::vector<u32> before = Snapshot(320, 96);
    for (const auto [w, h] : {std::array{512u, 64u}, {64u, 257u}}) {
        s_texture* target = TextureAlloc(w, h, 32);
        ASSERT_NE(target, nullptr);
        report_->clear();
        EXPECT_EQ(DrawStartRenderToTexture(target), 0);
        EXPECT_TRUE(report().contains("larger than 256x256")) << report().text();
        EXPECT_EQ(TextureRenderStart(target), 0);
        DrawEndRenderToTexture();  // nothing open: nothing happens
        TextureRenderEnd();
        EXPECT_EQ(DrawContext.flags & u_draw_flags::ZBuffer_Write_Mode_Locked, 0u);
        TextureFree(target);
    }
    EXPECT_EQ(Snapshot(320, 96), before);
}

TEST_F(TextureRenderTest, WithEveryViewportInUseATemporaryOneCannotBeMadeButAGivenOneServes) {
    s_texture* target = TextureAlloc(32, 32, 32);
    const s_Irect16 rect = {0, 0, 32, 32};
    std::vector<s_viewport*> taken;
    while (s_viewport* viewport = DrawAddViewport(&rect, 60.0f, 0.1f, 500.0f, 0.0f, 1.0f))
        taken.push_back(viewport);
    ASSERT_EQ(taken.size(), 6u);  // besides the main one and texture projection's
    EXPECT_EQ(DrawStartRenderToTexture(target), 0);
    EXPECT_EQ(DrawContext.flags & u_draw_flags::ZBuffer_Write_Mode_Locked, 0u);  // nothing started

    s_viewport* main = DrawContext.viewport;
    ASSERT_EQ(DrawStartRenderToTexture(target, taken[0]), 1);
    EXPECT_EQ(DrawContext.viewport, taken[0]);
    DrawEndRenderToTexture();
    EXPECT_EQ(DrawContext.viewport, main);
    for (s_viewport* viewport : taken)
        DrawFreeViewport(viewport);
    TextureFree(target);
}

// The clear of a target inside the bracket, through a viewport larger than it.
TEST_F(TextureRenderTest, ClearingATargetFillsItsAreaUntexturedAndPutsTheDrawStateBack) {
    constexpr u32 kTeal = 0x336699FFu;
    s_texture* target = TextureAlloc(32, 16, 32);
    s_texture* blank = TextureAlloc(8, 8, 32);  // transparent black: would darken the fill
    const s_Irect16 rect = {0, 0, 64, 64};
    s_viewport* viewport = DrawAddViewport(&rect, 60.0f, 0.1f, 500.0f, 0.0f, 1.0f);
    Picture();
    ASSERT_EQ(DrawStartRenderToTexture(target, viewport), 1);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetFlatColor(kRed);
    DrawSetTexture(blank);
    DrawClearTexture(target, kTeal);
    EXPECT_EQ(DrawContext.projectionMode, DC_PROJ_3D);
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA);
    EXPECT_EQ(DrawContext.color, kRed);
    EXPECT_EQ(Rgb(HostEFBColor(31, 15)), kTeal >> 8);
    EXPECT_EQ(Rgb(HostEFBColor(32, 0)), kGrey >> 8);
    EXPECT_EQ(Rgb(HostEFBColor(0, 16)), kGrey >> 8);
    DrawEndRenderToTexture();
    for (u32 y = 0; y < 16; ++y)
        for (u32 x = 0; x < 32; ++x)
            ASSERT_EQ(Texel(target, x, y), kTeal) << x << ", " << y;
    DrawFreeViewport(viewport);
    TextureFree(blank);
    TextureFree(target);
}

// The frame-buffer texture, and a small texture given more than it holds.
TEST_F(TextureRenderTest, CopiesEqualThePictureUpToTheTexturesSize) {
    Picture();
    TextureReadFB();
    s_texture* small = TextureAlloc(32, 16, 32);
    const s_Irect16 rect = {4, 4, 640, 480};
    TextureCopyFromVramToTexture(small, &rect, nullptr, 0);
    EXPECT_EQ(HostGXState().raster.texCopy.srcWidth, 32u);
    EXPECT_EQ(HostGXState().raster.texCopy.srcHeight, 16u);
    const struct {
        const s_texture* texture;
        u32 x0, y0, width, height;
    } copies[] = {{TextureGetFBTexture(), 0, 0, 640, 448}, {small, 4, 4, 32, 16}};
    for (const auto& c : copies)
        for (u32 y = 0; y < c.height; y += 3)
            for (u32 x = 0; x < c.width; x += 3)
                ASSERT_EQ(TexelRgb(c.texture, x, y), Rgb(HostEFBColor(c.x0 + x, c.y0 + y))) << x << ", " << y;
    EXPECT_EQ(TexelRgb(TextureGetFBTexture(), 310, 447), kBlue >> 8);
    TextureFree(small);
}

TEST_F(TextureRenderTest, TheNextPictureIsClearedWithTheViewportsColourAfterATextureCopy) {
    DrawContext.viewport->flags |= u_viewport_flags::AutoClear;
    DrawContext.viewport->clearColor = 0x2040A0FFu;
    EventWait(1);  // the frame start sets the display copy's clear colour
    Prepare();
    s_texture* target = TextureAlloc(16, 16, 32);
    ASSERT_EQ(DrawStartRenderToTexture(target), 1);
    DrawEndRenderToTexture();  // copies with a transparent black clear
    EventWait(1);
    EXPECT_EQ(Rgb(HostEFBColor(320, 300)), 0x2040A0u);
    TextureFree(target);
}

}  // namespace
