#include <gtest/gtest.h>

#include "console/gx/gx_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/OrbLib.h"
#include "tests/support/EngineFixture.h"

namespace {

using console::gx::BlendFactor;
using console::gx::BlendType;
using console::gx::Compare;
using console::gx::Cull;

class DrawStateTest : public EngineFixture {
protected:
    const console::gx::RasterState& raster() const { return HostGXState().raster; }
    // Runs `set` with the call log on and returns how many GX calls it made.
    template <class F>
    size_t CallsOf(F set) {
        HostGXSetCallLog(true);
        set();
        size_t calls = HostGXCallLog().size();
        HostGXSetCallLog(false);
        return calls;
    }
};

TEST_F(DrawStateTest, WarmResetDefaults) {
    EXPECT_EQ(DrawContext.flags & (u_draw_flags::TextureEnabled | u_draw_flags::DrawEnabled), 0x90000000u);
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(DrawContext.zBufferMode, DC_ZMODE_LESS_EQUAL);
    EXPECT_EQ(DrawContext.samplerStateList[0].filterMode, DC_TEXTURE_FILTER_LINEAR);
    EXPECT_EQ(DrawContext.samplerStateList[1].wrapMode[2], DC_TEXTURE_WRAP_INVALID);
    EXPECT_EQ(DrawContext.scissorMask, 63u);
    EXPECT_EQ(DrawContext.fogColor, 0x000000FFu);
    ASSERT_NE(DrawContext.viewport, nullptr);
    EXPECT_EQ(DrawContext.viewport->rect.w, DrawContext.screenSize.x);
    EXPECT_EQ(raster().cull, Cull::Front);  // the engine's back faces are GX's front faces
    EXPECT_EQ(raster().blendSrc, BlendFactor::SrcAlpha);
    EXPECT_EQ(raster().zFunc, Compare::LEqual);
    // The default fog has near = far; drawing under it stays defined.
    EXPECT_EQ(raster().fogStartZ, raster().fogEndZ);
    EventWait(1);
}

TEST_F(DrawStateTest, SettersGivenTheCurrentValueReturnItAndSendNothing) {
    EXPECT_EQ(CallsOf([] { EXPECT_EQ(DrawSetCombineMode(DC_COMBINE_ALPHA), DC_COMBINE_ALPHA); }), 0u);
    EXPECT_EQ(CallsOf([] { EXPECT_EQ(DrawSetCullMode(DC_CULL_BACK), DC_CULL_BACK); }), 0u);
    EXPECT_EQ(CallsOf([] { EXPECT_EQ(DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL), DC_ZMODE_LESS_EQUAL); }), 0u);
    EXPECT_EQ(CallsOf([] { EXPECT_EQ(DrawSetZBufferWrite(1), 1); }), 0u);
    EXPECT_EQ(CallsOf([] { DrawSetDestinationAlphaTest(DrawContext.stencilMode != DC_STENCIL_OFF); }), 0u);
    EXPECT_GT(CallsOf([] { EXPECT_EQ(DrawSetCullMode(DC_CULL_NONE), DC_CULL_BACK); }), 0u);
    EXPECT_EQ(raster().cull, Cull::None);
}

TEST_F(DrawStateTest, LocksKeepTheirState) {
    DrawLockCullMode();
    EXPECT_EQ(DrawSetCullMode(DC_CULL_NONE), DC_CULL_BACK);
    EXPECT_EQ(raster().cull, Cull::Front);
    DrawUnlockCullMode();
    DrawSetCullMode(DC_CULL_FRONT);
    EXPECT_EQ(raster().cull, Cull::Back);

    DrawLockZBufferWrite(1);
    EXPECT_EQ(DrawSetZBufferWrite(0), 1);
    EXPECT_TRUE(raster().zUpdate);

    const e_STENCIL_MODE stencil = DrawContext.stencilMode;
    DrawLockStencilMode();
    EXPECT_EQ(DrawFrameFilterEnable(stencil == DC_STENCIL_ON), stencil);
    EXPECT_EQ(DrawContext.stencilMode, stencil);
}

TEST_F(DrawStateTest, CombineModesProgramBlendingAndAlphaCompare) {
    DrawSetCombineMode(DC_COMBINE_HAIR_PASS1);  // recorded only
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_HAIR_PASS1);
    EXPECT_EQ(DrawSetCombineMode(DC_COMBINE_ADD), DC_COMBINE_HAIR_PASS1);
    EXPECT_EQ(raster().blendType, BlendType::Blend);
    EXPECT_EQ(raster().blendSrc, BlendFactor::One);
    EXPECT_EQ(raster().blendDst, BlendFactor::One);
    DrawSetCombineMode(DC_COMBINE_STENCIL);
    EXPECT_EQ(raster().alphaComp0, Compare::GEqual);
    EXPECT_EQ(raster().alphaRef0, 1);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    EXPECT_EQ(raster().blendType, BlendType::None);
    EXPECT_EQ(raster().alphaRef0, 0);
}

TEST_F(DrawStateTest, FlatColourMarksItselfAndClampsFloatComponents) {
    EXPECT_FALSE(DrawFlatColorActive());
    EXPECT_EQ(DrawSetFlatColor(0x80402010u), 0xFFFFFFFFu);
    EXPECT_TRUE(DrawFlatColorActive());
    EXPECT_EQ(HostGXState().front.matColor[0].g, 0x40);
    EXPECT_EQ(raster().tevRegs[GX_TEVREG0].g, 0x40);  // red and green in C0
    EXPECT_EQ(raster().tevRegs[GX_TEVREG1].b, 0x20);  // blue and alpha in C1

    const s_Vector4 bright = {2.0f, -1.0f, 0.5f, 1.0f};
    DrawSetFlatColorV(&bright);
    EXPECT_EQ(DrawContext.color, 0xFF007FFFu);
    DrawSetFlatColor(0xFFFFFFFFu);
    EXPECT_FALSE(DrawFlatColorActive());
}

TEST_F(DrawStateTest, RgbaMaskSwitchesAlphaWritesAndContextSettersRecord) {
    DrawSetRgbaMask(0);
    EXPECT_TRUE(raster().alphaUpdate);
    EXPECT_FALSE(raster().dstAlphaEnable);
    DrawSetRgbaMask(255);
    EXPECT_FALSE(raster().alphaUpdate);

    EXPECT_EQ(DrawEnableTexture(0), 1);
    EXPECT_EQ(DrawEnableTexture(1), 0);
    EXPECT_EQ(DrawSetTextureWrapMode(DC_TEXTURE_WRAP_CLAMP), DC_TEXTURE_WRAP_TILE);
    EXPECT_EQ(DrawContext.samplerStateList[0].wrapMode[2], DC_TEXTURE_WRAP_CLAMP);
    EXPECT_EQ(DrawSetScissor(7), 63u);
}

}  // namespace
