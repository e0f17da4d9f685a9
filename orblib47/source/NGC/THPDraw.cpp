// The movie picture on the GPU. Four texture-environment stages compute
//   R = Y + 1.402 (V - 128), G = Y - 0.344 (U - 128) - 0.714 (V - 128),
//   B = Y + 1.772 (U - 128)
// with the constants below: stages 0 and 1 build the chroma terms of R and B in
// the colour and that of G in the alpha, stage 2 adds Y, stage 3 moves G from the
// alpha into the green channel.
#include "orblib47/source/NGC/THPDraw.h"

#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/GpuFrame.h"

namespace {

constexpr GXColor kK0 = {0x00, 0x00, 0xE2, 0x58};
constexpr GXColor kK1 = {0xB3, 0x00, 0x00, 0xB6};
constexpr GXColor kK2 = {0xFF, 0x00, 0xFF, 0x80};
constexpr GXColorS10 kC0 = {-90, 0, -114, 135};

s32 thpGraphicsInit;
s32 thpOldPixelFormat;
// The picture's quad winds clockwise on the screen, which the draw layer's
// culling may drop; culling is off while it is drawn.
e_CULL_MODE thpOldCullMode;

struct Stage {
    GXTexCoordID coord;
    GXTexMapID map;
    GXTevColorArg color[4];
    GXTevOp colorOp;
    GXTevScale colorScale;
    GXBool colorClamp;
    GXTevAlphaArg alpha[4];
    GXTevOp alphaOp;
    GXBool alphaClamp;
    GXTevKColorSel kColor;
    GXTevKAlphaSel kAlpha;
};

constexpr Stage kStages[4] = {
    {GX_TEXCOORD1,
     GX_TEXMAP1,
     {GX_CC_ZERO, GX_CC_TEXC, GX_CC_KONST, GX_CC_C0},
     GX_TEV_ADD,
     GX_CS_SCALE_1,
     GX_FALSE,
     {GX_CA_ZERO, GX_CA_TEXA, GX_CA_KONST, GX_CA_A0},
     GX_TEV_SUB,
     GX_FALSE,
     GX_TEV_KCSEL_K0,
     GX_TEV_KASEL_K0_A},
    {GX_TEXCOORD1,
     GX_TEXMAP2,
     {GX_CC_ZERO, GX_CC_TEXC, GX_CC_KONST, GX_CC_CPREV},
     GX_TEV_ADD,
     GX_CS_SCALE_2,
     GX_FALSE,
     {GX_CA_ZERO, GX_CA_TEXA, GX_CA_KONST, GX_CA_APREV},
     GX_TEV_SUB,
     GX_FALSE,
     GX_TEV_KCSEL_K1,
     GX_TEV_KASEL_K1_A},
    {GX_TEXCOORD0,
     GX_TEXMAP0,
     {GX_CC_ZERO, GX_CC_TEXC, GX_CC_ONE, GX_CC_CPREV},
     GX_TEV_ADD,
     GX_CS_SCALE_1,
     GX_TRUE,
     {GX_CA_TEXA, GX_CA_ZERO, GX_CA_ZERO, GX_CA_APREV},
     GX_TEV_ADD,
     GX_TRUE,
     GX_TEV_KCSEL_1,
     GX_TEV_KASEL_1},
    {GX_TEXCOORD_NULL,
     GX_TEXMAP_NULL,
     {GX_CC_APREV, GX_CC_CPREV, GX_CC_KONST, GX_CC_ZERO},
     GX_TEV_ADD,
     GX_CS_SCALE_1,
     GX_TRUE,
     {GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO},
     GX_TEV_ADD,
     GX_TRUE,
     GX_TEV_KCSEL_K2,
     GX_TEV_KASEL_1},
};

void LoadPlane(u8* texels, u16 width, u16 height, GXTexMapID map) {
    GXTexObj texture;
    GXInitTexObj(&texture, texels, width, height, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXInitTexObjLOD(&texture, GX_NEAR, GX_NEAR, 0.0f, 0.0f, 0.0f, GX_FALSE, GX_FALSE, GX_ANISO_1);
    GXLoadTexObj(&texture, map);
}

}  // namespace

void THPDrawInit() {
    if (thpGraphicsInit)
        return;
    thpOldPixelFormat = DrawSetGXPixelFormat(GX_PF_RGB8_Z24);
    thpGraphicsInit = 1;
}

void THPDrawRestore() {
    if (!thpGraphicsInit)
        return;
    DrawSetGXPixelFormat(thpOldPixelFormat);
    thpGraphicsInit = 0;
}

void THPGXYuv2RgbSetup(const GXRenderModeObj* renderMode) {
    const f32 width = renderMode->fbWidth, height = renderMode->efbHeight;
    // Orthographic over the picture: top 0, bottom height, left 0, right width,
    // near 0, far -1.
    Mtx44 projection = {{2.0f / width, 0.0f, 0.0f, -1.0f},
                        {0.0f, -2.0f / height, 0.0f, 1.0f},
                        {0.0f, 0.0f, 1.0f, -1.0f},
                        {0.0f, 0.0f, 0.0f, 1.0f}};
    GXSetProjection(projection, GX_ORTHOGRAPHIC);
    GXSetViewport(0.0f, 0.0f, width, height, 0.0f, 1.0f);
    GXSetScissor(0, 0, u32(width), u32(height));
    const Mtx identity = {{1.0f, 0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f, 0.0f}};
    GXLoadPosMtxImm(identity, GX_PNMTX0);
    GXSetCurrentMtx(GX_PNMTX0);

    thpOldCullMode = DrawSetCullMode(DC_CULL_NONE);
    GXSetZMode(GX_TRUE, GX_ALWAYS, GX_FALSE);
    GXSetBlendMode(GX_BM_NONE, GX_BL_ONE, GX_BL_ZERO, GX_LO_CLEAR);
    GXSetColorUpdate(GX_TRUE);
    GXSetAlphaUpdate(GX_FALSE);
    GXSetDispCopyGamma(GX_GM_1_0);
    GXSetNumChans(0);
    GXSetNumTexGens(2);
    // Both coordinates come from the one texture coordinate sent.
    GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_IDENTITY);
    GXSetTexCoordGen(GX_TEXCOORD1, GX_TG_MTX2x4, GX_TG_TEX0, GX_IDENTITY);
    GXInvalidateTexAll();

    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_TEX0, GX_DIRECT);
    GXSetVtxAttrFmt(GX_VTXFMT7, GX_VA_POS, GX_POS_XYZ, GX_S16, 0);
    GXSetVtxAttrFmt(GX_VTXFMT7, GX_VA_TEX0, GX_TEX_ST, GX_U16, 0);

    GXSetNumTevStages(4);
    for (u32 i = 0; i < 4; ++i) {
        const Stage& s = kStages[i];
        const GXTevStageID stage = GXTevStageID(GX_TEVSTAGE0 + i);
        GXSetTevOrder(stage, s.coord, s.map, GX_COLOR_NULL);
        GXSetTevColorIn(stage, s.color[0], s.color[1], s.color[2], s.color[3]);
        GXSetTevColorOp(stage, s.colorOp, GX_TB_ZERO, s.colorScale, s.colorClamp, GX_TEVPREV);
        GXSetTevAlphaIn(stage, s.alpha[0], s.alpha[1], s.alpha[2], s.alpha[3]);
        GXSetTevAlphaOp(stage, s.alphaOp, GX_TB_ZERO, GX_CS_SCALE_1, s.alphaClamp, GX_TEVPREV);
        GXSetTevKColorSel(stage, s.kColor);
        GXSetTevKAlphaSel(stage, s.kAlpha);
        GXSetTevSwapMode(stage, GX_TEV_SWAP0, GX_TEV_SWAP0);
    }
    GXSetTevSwapModeTable(GX_TEV_SWAP0, GX_CH_RED, GX_CH_GREEN, GX_CH_BLUE, GX_CH_ALPHA);
    GXSetTevKColor(GX_KCOLOR0, kK0);
    GXSetTevKColor(GX_KCOLOR1, kK1);
    GXSetTevKColor(GX_KCOLOR2, kK2);
    GXSetTevColorS10(GX_TEVREG0, kC0);
}

void THPGXYuv2RgbDraw(u8* yPlane, u8* uPlane, u8* vPlane, s16 x, s16 y, s16 textureWidth, s16 textureHeight,
                      s16 width, s16 height) {
    LoadPlane(yPlane, u16(textureWidth), u16(textureHeight), GX_TEXMAP0);
    LoadPlane(uPlane, u16(textureWidth / 2), u16(textureHeight / 2), GX_TEXMAP1);
    LoadPlane(vPlane, u16(textureWidth / 2), u16(textureHeight / 2), GX_TEXMAP2);
    GXBegin(GX_QUADS, GX_VTXFMT7, 4);
    GXPosition3s16(x, y, 0);
    GXTexCoord2u16(0, 0);
    GXPosition3s16(s16(x + width), y, 0);
    GXTexCoord2u16(1, 0);
    GXPosition3s16(s16(x + width), s16(y + height), 0);
    GXTexCoord2u16(1, 1);
    GXPosition3s16(x, s16(y + height), 0);
    GXTexCoord2u16(0, 1);
    GXEnd();
}

void THPGXRestore() {
    DrawSetCullMode(thpOldCullMode);
    GXSetZMode(GX_TRUE, GX_ALWAYS, GX_FALSE);
    GXSetBlendMode(GX_BM_NONE, GX_BL_ONE, GX_BL_ZERO, GX_LO_CLEAR);
    GXSetNumTexGens(1);
    GXSetNumChans(0);
    GXSetNumTevStages(1);
    for (u32 i = 0; i < 4; ++i) {
        const GXTevStageID stage = GXTevStageID(GX_TEVSTAGE0 + i);
        GXSetTevOrder(stage, GX_TEXCOORD0, GX_TEXMAP0, GX_COLOR_NULL);
        GXSetTevOp(stage, GX_REPLACE);
        GXSetTevKColorSel(stage, GX_TEV_KCSEL_1);
        GXSetTevKAlphaSel(stage, GX_TEV_KASEL_1);
        GXSetTevSwapMode(stage, GX_TEV_SWAP0, GX_TEV_SWAP0);
    }
    GXSetTevSwapModeTable(GX_TEV_SWAP0, GX_CH_RED, GX_CH_GREEN, GX_CH_BLUE, GX_CH_ALPHA);
    GXSetTevSwapModeTable(GX_TEV_SWAP1, GX_CH_RED, GX_CH_RED, GX_CH_RED, GX_CH_ALPHA);
    GXSetTevSwapModeTable(GX_TEV_SWAP2, GX_CH_GREEN, GX_CH_GREEN, GX_CH_GREEN, GX_CH_ALPHA);
    GXSetTevSwapModeTable(GX_TEV_SWAP3, GX_CH_BLUE, GX_CH_BLUE, GX_CH_BLUE, GX_CH_ALPHA);
}
