// The combine (TEV) stages for no texture, an ordinary texture and a palettised one.
#include "orblib47/source/NGC/DrawCombine.h"

#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/DrawLights.h"

namespace {

GXTevStageID Stage(s32 index) {
    return GXTevStageID(GX_TEVSTAGE0 + index);
}

void StraightSwap(GXTevStageID stage) {
    GXSetTevSwapMode(stage, GX_TEV_SWAP0, GX_TEV_SWAP0);
}

// Stage 0 without texture: the rasterised colour of channel 0.
void RasterisedColourStage() {
    GXSetTevOrder(GX_TEVSTAGE0, GX_TEXCOORD_NULL, GX_TEXMAP_NULL, GX_COLOR0A0);
    GXSetTevOp(GX_TEVSTAGE0, GX_PASSCLR);
    StraightSwap(GX_TEVSTAGE0);
}

// Stage 0 with texture: the texel times the rasterised colour.
void ModulatedTextureStage() {
    GXSetTevOrder(GX_TEVSTAGE0, GX_TEXCOORD0, GX_TEXMAP0, GX_COLOR0A0);
    GXSetTevOp(GX_TEVSTAGE0, GX_MODULATE);
    StraightSwap(GX_TEVSTAGE0);
}

// The specular lights' channel 1 combined with the colour so far.
void SpecularStage(GXTevStageID stage) {
    GXSetTevOrder(stage, GX_TEXCOORD_NULL, GX_TEXMAP_NULL, GX_COLOR1A1);
    GXSetTevColorIn(stage, GX_CC_CPREV, GX_CC_RASC, GX_CC_CPREV, GX_CC_RASC);
    GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, GX_CA_APREV);
    GXSetTevColorOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevAlphaOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    StraightSwap(stage);
}

void SetGenerators(s32 count) {
    GXSetNumTexGens(u8(count));
    GXSetNumChans(u8(1 + specularStage));
}

// Coordinate 1 from the vertex position through texture matrix 9, for the stencil
// map the extra stage reads.
void StencilCoordinates() {
    GXSetTexCoordGen2(GX_TEXCOORD1, GX_TG_MTX3x4, GX_TG_POS, GX_TEXMTX9, GX_FALSE, GX_PTIDENTITY);
}

void StencilStage(GXTevStageID stage) {
    GXSetTevOrder(stage, GX_TEXCOORD1, GX_TEXMAP7, GX_COLOR0A0);
    GXSetTevOp(stage, GX_MODULATE);
    GXSetTevSwapMode(stage, GX_TEV_SWAP3, GX_TEV_SWAP3);
}

void SetUntextured() {
    SetGenerators(0);
    GXSetNumTevStages(u8(1 + specularStage));
    RasterisedColourStage();
    if (specularStage != 0)
        SpecularStage(GX_TEVSTAGE1);
}

void SetOrdinary(bool stencil) {
    SetGenerators(stencil ? 2 : 1);
    GXSetTevSwapModeTable(GX_TEV_SWAP1, GX_CH_RED, GX_CH_GREEN, GX_CH_BLUE, GX_CH_ALPHA);
    GXSetTevSwapModeTable(GX_TEV_SWAP2, GX_CH_RED, GX_CH_GREEN, GX_CH_BLUE, GX_CH_ALPHA);
    GXSetNumTevStages(u8(1 + specularStage + (stencil ? 1 : 0)));
    ModulatedTextureStage();
    if (specularStage != 0)
        SpecularStage(GX_TEVSTAGE1);
    if (stencil) {
        StencilCoordinates();
        StencilStage(Stage(specularStage + 1));
    }
}

// The two halves of each palette entry are read from maps 0 and 1 through swap
// tables 1 and 2 (red and green from the first, blue and alpha from the second),
// each scaled by its half of the flat colour in registers 0 and 1 and joined;
// the last stage multiplies by the rasterised colour.
void SetPalettised(bool stencil) {
    SetGenerators(stencil ? 2 : 1);
    GXSetNumTevStages(3);
    GXSetTevSwapModeTable(GX_TEV_SWAP1, GX_CH_RED, GX_CH_ALPHA, GX_CH_ALPHA, GX_CH_ALPHA);
    GXSetTevSwapModeTable(GX_TEV_SWAP2, GX_CH_BLUE, GX_CH_BLUE, GX_CH_BLUE, GX_CH_ALPHA);
    GXSetTevSwapMode(GX_TEVSTAGE0, GX_TEV_SWAP0, GX_TEV_SWAP1);
    GXSetTevSwapMode(GX_TEVSTAGE1, GX_TEV_SWAP0, GX_TEV_SWAP2);
    GXSetTevColorIn(GX_TEVSTAGE0, GX_CC_ZERO, GX_CC_TEXC, GX_CC_C0, GX_CC_ZERO);
    GXSetTevColorIn(GX_TEVSTAGE1, GX_CC_ZERO, GX_CC_TEXC, GX_CC_C1, GX_CC_CPREV);
    GXSetTevColorIn(GX_TEVSTAGE2, GX_CC_ZERO, GX_CC_CPREV, GX_CC_RASC, GX_CC_ZERO);
    GXSetTevAlphaIn(GX_TEVSTAGE1, GX_CA_ZERO, GX_CA_RASA, GX_CA_TEXA, GX_CA_ZERO);
    GXSetTevAlphaIn(GX_TEVSTAGE2, GX_CA_ZERO, GX_CA_KONST, GX_CA_APREV, GX_CA_ZERO);
    GXSetTevColorOp(GX_TEVSTAGE0, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_FALSE, GX_TEVPREV);
    GXSetTevColorOp(GX_TEVSTAGE1, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevColorOp(GX_TEVSTAGE2, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevAlphaOp(GX_TEVSTAGE1, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevOrder(GX_TEVSTAGE0, GX_TEXCOORD0, GX_TEXMAP0, GX_COLOR_NULL);
    GXSetTevOrder(GX_TEVSTAGE1, GX_TEXCOORD0, GX_TEXMAP1, GX_COLOR0A0);
    if (stencil) {
        StencilCoordinates();
        GXSetTevOrder(GX_TEVSTAGE2, GX_TEXCOORD1, GX_TEXMAP7, GX_COLOR0A0);
        GXSetTevAlphaIn(GX_TEVSTAGE2, GX_CA_ZERO, GX_CA_TEXA, GX_CA_APREV, GX_CA_ZERO);
        GXSetTevSwapMode(GX_TEVSTAGE2, GX_TEV_SWAP3, GX_TEV_SWAP3);
    } else {
        GXSetTevOrder(GX_TEVSTAGE2, GX_TEXCOORD_NULL, GX_TEXMAP_NULL, GX_COLOR0A0);
        StraightSwap(GX_TEVSTAGE2);
    }
}

}  // namespace

void DrawSetCombineStages(e_bound_texture texture) {
    const bool stencil = DrawContext.stencilMode != DC_STENCIL_OFF;
    switch (texture) {
        case e_bound_texture::None:
            DrawContext.flags &= ~u_draw_flags::TextureOn;
            SetUntextured();
            return;
        case e_bound_texture::Ordinary:
            SetOrdinary(stencil);
            break;
        case e_bound_texture::Palettised:
            SetPalettised(stencil);
            break;
    }
    DrawContext.flags |= u_draw_flags::TextureOn;
}
