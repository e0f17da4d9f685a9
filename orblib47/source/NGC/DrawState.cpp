// The render-state setters that program the hardware.
#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/NGC/DrawLights.h"

namespace {

bool Locked(u32 lockBits) {
    return (DrawContext.flags & lockBits) != 0;
}

GXCompare DepthCompareOf(e_ZBUF_MODE mode) {
    switch (mode) {
        case DC_ZMODE_LESS:
            return GX_LESS;
        case DC_ZMODE_LESS_EQUAL:
            return GX_LEQUAL;
        default:
            return GX_ALWAYS;
    }
}

// Passes every pixel, or only those of alpha >= minAlpha; the destination alpha test
// owns the compare while the stencil mode is locked.
void SetAlphaCompare(u8 minAlpha) {
    if (!Locked(u_draw_flags::Stencil_Mode_Locked))
        GXSetAlphaCompare(GX_GEQUAL, minAlpha, GX_AOP_AND, GX_LEQUAL, 255);
}

void SetBlend(GXBlendMode type, GXBlendFactor src, GXBlendFactor dst) {
    SetAlphaCompare(0);
    GXSetBlendMode(type, src, dst, GX_LO_CLEAR);
}

bool FlatColorActive = false;

}  // namespace

e_COMBINE_MODE DrawSetCombineMode(e_COMBINE_MODE mode) {
    e_COMBINE_MODE previous = DrawContext.combineMode;
    if (Locked(u_draw_flags::Combine_Mode_Locked) || mode == previous)
        return previous;
    switch (mode) {
        case DC_COMBINE_OVERWRITE:
            SetBlend(GX_BM_NONE, GX_BL_ONE, GX_BL_ZERO);
            break;
        case DC_COMBINE_ALPHA:
            SetBlend(GX_BM_BLEND, GX_BL_SRCALPHA, GX_BL_INVSRCALPHA);
            break;
        case DC_COMBINE_ALPHA_ADD:
            SetBlend(GX_BM_BLEND, GX_BL_SRCALPHA, GX_BL_ONE);
            break;
        case DC_COMBINE_ADD:
            SetBlend(GX_BM_BLEND, GX_BL_ONE, GX_BL_ONE);
            break;
        case DC_COMBINE_SUBTRACT:
            SetBlend(GX_BM_BLEND, GX_BL_DSTCLR, GX_BL_ZERO);
            break;
        case DC_COMBINE_ALPHA_SUBTRACT:
            SetBlend(GX_BM_BLEND, GX_BL_ZERO, GX_BL_INVSRCALPHA);
            break;
        case DC_COMBINE_STENCIL:
            SetAlphaCompare(1);
            break;
        default:  // recorded only: the material system programs these itself
            break;
    }
    DrawContext.combineMode = mode;
    return previous;
}

e_ZBUF_MODE DrawSetZBufferMode(e_ZBUF_MODE mode) {
    e_ZBUF_MODE previous = DrawContext.zBufferMode;
    if (Locked(u_draw_flags::ZBuffer_Mode_Locked) || mode == previous)
        return previous;
    DrawContext.zBufferMode = mode;
    GXSetZMode(GX_TRUE, DepthCompareOf(mode), GXBool(DrawContext.zBufferWriteEnable != 0));
    return previous;
}

s32 DrawSetZBufferWrite(s32 on) {
    s32 previous = DrawContext.zBufferWriteEnable;
    on = on != 0;
    if (Locked(u_draw_flags::ZbufferWriteLocked | u_draw_flags::ZBuffer_Write_Mode_Locked) || on == previous)
        return previous;
    DrawContext.zBufferWriteEnable = on;
    GXSetZMode(GX_TRUE, DepthCompareOf(DrawContext.zBufferMode), GXBool(on));
    return previous;
}

e_CULL_MODE DrawSetCullMode(e_CULL_MODE mode) {
    e_CULL_MODE previous = DrawContext.cullMode;
    if (Locked(u_draw_flags::Cull_Mode_Locked) || mode == previous)
        return previous;
    DrawContext.cullMode = mode;
    // The engine's front faces are GX's back faces (opposite winding).
    switch (mode) {
        case DC_CULL_FRONT:
            GXSetCullMode(GX_CULL_BACK);
            break;
        case DC_CULL_BACK:
            GXSetCullMode(GX_CULL_FRONT);
            break;
        default:
            GXSetCullMode(GX_CULL_NONE);
            break;
    }
    return previous;
}

e_STENCIL_MODE DrawSetStencilMode(e_STENCIL_MODE mode) {
    e_STENCIL_MODE previous = DrawContext.stencilMode;
    if (Locked(u_draw_flags::Stencil_Mode_Locked) || mode == previous)
        return previous;
    DrawContext.stencilMode = mode;
    DrawSetRgbaMask(u32(mode));
    return previous;
}

u32 DrawSetRgbaMask(u32 mask) {
    u32 previous = DrawContext.rgbaMask;
    DrawContext.rgbaMask = mask;
    if ((mask & 0xFF) < 255) {
        GXSetDstAlpha(GX_TRUE, 0);
        GXSetAlphaUpdate(GX_TRUE);
        GXSetDstAlpha(GX_FALSE, 0);
    } else {
        GXSetAlphaUpdate(GX_FALSE);
    }
    return previous;
}

s32 DrawSetDestinationAlphaTest(s32 on) {
    s32 previous = DrawContext.stencilMode != DC_STENCIL_OFF;
    on = on != 0;
    if (on == previous)
        return previous;
    DrawContext.stencilMode = on ? DC_STENCIL_ON : DC_STENCIL_OFF;
    GXSetAlphaCompare(GX_GEQUAL, u8(on), GX_AOP_AND, GX_LEQUAL, 255);
    return previous;
}

u32 DrawSetFlatColor(u32 rgba) {
    u32 previous = DrawContext.color;
    DrawContext.color = rgba;
    DrawContext.colorVect = UnpackColorV(rgba);
    FlatColorActive = rgba != 0xFFFFFFFFu;
    GXColor c = GXColorOf(rgba);
    // The halves that the palettised-texture stages add together.
    GXSetTevColor(GX_TEVREG0, GXColor{c.r, c.g, 0, 0});
    GXSetTevColor(GX_TEVREG1, GXColor{0, 0, c.b, c.a});
    GXSetChanMatColor(GX_COLOR0A0, c);
    GXSetChanAmbColor(GX_COLOR0A0, DrawGXWhite);
    GXSetChanCtrl(GX_COLOR0A0, GX_TRUE, GX_SRC_VTX, GX_SRC_REG, GX_LIGHT_NULL, GX_DF_CLAMP, GX_AF_NONE);
    GXSetNumChans(1);
    GXSetChanCtrl(GX_COLOR1A1, GX_FALSE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT_NULL, GX_DF_NONE, GX_AF_NONE);
    specularStage = 0;
    return previous;
}

u32 DrawSetFlatColorV(const s_Vector4* rgba) {
    return DrawSetFlatColor(PackColorV(*rgba));
}

bool DrawFlatColorActive() {
    return FlatColorActive;
}

u32 DrawSetFog(u32 rgba, f32 nearZ, f32 farZ) {
    u32 previous = DrawContext.fogColor;
    DrawContext.fogColor = rgba;
    DrawContext.fogNearZ = nearZ;
    DrawContext.fogFarZ = farZ;
    const s_viewport* viewport = DrawContext.viewport;
    GXSetFog(GX_FOG_LIN, nearZ, farZ, viewport != nullptr ? viewport->nearZ : 0.0f,
             viewport != nullptr ? viewport->farZ : 0.0f, GXColorOf(rgba));
    return previous;
}

e_STENCIL_MODE DrawFrameFilterEnable(s32 on) {
    return DrawSetStencilMode(on ? DC_STENCIL_OFF : DC_STENCIL_ON);
}
