// The pixel engine's registers: culling, alpha compare, depth, blending, write
// masks, fog and the pixel format.
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"

using namespace console::gx;

void GXSetCullMode(GXCullMode mode) {
    LogCall("GXSetCullMode", "%u", mode);
    RasterStateCurrent().cull = Cull(mode);
}

void GXSetAlphaCompare(GXCompare comp0, u8 ref0, GXAlphaOp op, GXCompare comp1, u8 ref1) {
    LogCall("GXSetAlphaCompare", "%u, %u, %u, %u, %u", comp0, ref0, op, comp1, ref1);
    RasterState& state = RasterStateCurrent();
    state.alphaComp0 = Compare(comp0);
    state.alphaRef0 = ref0;
    state.alphaOp = AlphaOp(op);
    state.alphaComp1 = Compare(comp1);
    state.alphaRef1 = ref1;
}

void GXSetZMode(GXBool compareEnable, GXCompare func, GXBool updateEnable) {
    LogCall("GXSetZMode", "%u, %u, %u", compareEnable, func, updateEnable);
    RasterState& state = RasterStateCurrent();
    state.zCompare = compareEnable != GX_FALSE;
    state.zFunc = Compare(func);
    state.zUpdate = updateEnable != GX_FALSE;
}

void GXSetZCompLoc(GXBool beforeTex) {
    LogCall("GXSetZCompLoc", "%u", beforeTex);
    RasterStateCurrent().zCompBeforeTex = beforeTex != GX_FALSE;
}

void GXSetBlendMode(GXBlendMode type, GXBlendFactor srcFactor, GXBlendFactor dstFactor, GXLogicOp op) {
    LogCall("GXSetBlendMode", "%u, %u, %u, %u", type, srcFactor, dstFactor, op);
    RasterState& state = RasterStateCurrent();
    state.blendType = BlendType(type);
    state.blendSrc = BlendFactor(srcFactor);
    state.blendDst = BlendFactor(dstFactor);
    state.logicOp = LogicOp(op);
}

void GXSetColorUpdate(GXBool enable) {
    LogCall("GXSetColorUpdate", "%u", enable);
    RasterStateCurrent().colorUpdate = enable != GX_FALSE;
}

void GXSetAlphaUpdate(GXBool enable) {
    LogCall("GXSetAlphaUpdate", "%u", enable);
    RasterStateCurrent().alphaUpdate = enable != GX_FALSE;
}

void GXSetDstAlpha(GXBool enable, u8 alpha) {
    LogCall("GXSetDstAlpha", "%u, %u", enable, alpha);
    RasterState& state = RasterStateCurrent();
    state.dstAlphaEnable = enable != GX_FALSE;
    state.dstAlpha = alpha;
}

void GXSetFog(GXFogType type, f32 startZ, f32 endZ, f32 nearZ, f32 farZ, GXColor color) {
    LogCall("GXSetFog", "%u, %g, %g, %g, %g, {%u, %u, %u, %u}", type, startZ, endZ, nearZ, farZ, color.r,
            color.g, color.b, color.a);
    RasterState& state = RasterStateCurrent();
    state.fogType = FogType(type);
    state.fogStartZ = startZ;
    state.fogEndZ = endZ;
    state.fogNearZ = nearZ;
    state.fogFarZ = farZ;
    state.fogColor = Rgba8{color.r, color.g, color.b, color.a};
}

void GXSetPixelFmt(GXPixelFmt pixelFmt, GXZFmt16 zFmt) {
    LogCall("GXSetPixelFmt", "%u, %u", pixelFmt, zFmt);
    RasterStateCurrent().pixelFormat = PixelFormat(pixelFmt);
    FrontStateCurrent().zFormat = zFmt;
}
