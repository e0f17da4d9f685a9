// The texture environment's registers: stages, their inputs and operations,
// colour and konst registers, swap tables.
#include "console/gx.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/os.h"

using namespace console::gx;

namespace {

TevStage& Stage(GXTevStageID stage, const char* call) {
    if (stage >= GX_MAX_TEVSTAGE)
        OSPanic(__FILE_NAME__, __LINE__, "%s: no stage %u\n", call, stage);
    return RasterStateCurrent().tevStages[stage];
}

void SetOp(TevCombiner& combiner, GXTevOp op, GXTevBias bias, GXTevScale scale, GXBool clamp,
           GXTevRegID out) {
    combiner.op = TevOp(op);
    combiner.bias = TevBias(bias);
    combiner.scale = TevScale(scale);
    combiner.clamp = clamp != GX_FALSE;
    combiner.out = TevReg(out);
}

}  // namespace

void GXSetNumTevStages(u8 nStages) {
    LogCall("GXSetNumTevStages", "%u", nStages);
    if (nStages == 0 || nStages > GX_MAX_TEVSTAGE)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetNumTevStages: %u stages\n", nStages);
    RasterStateCurrent().numTevStages = nStages;
}

// The classic modes, over the rasterised colour at stage 0 and the previous
// stage's output after it.
void GXSetTevOp(GXTevStageID stage, GXTevMode mode) {
    const GXTevColorArg c = stage == GX_TEVSTAGE0 ? GX_CC_RASC : GX_CC_CPREV;
    const GXTevAlphaArg a = stage == GX_TEVSTAGE0 ? GX_CA_RASA : GX_CA_APREV;
    switch (mode) {
        case GX_MODULATE:
            GXSetTevColorIn(stage, GX_CC_ZERO, GX_CC_TEXC, c, GX_CC_ZERO);
            GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_TEXA, a, GX_CA_ZERO);
            break;
        case GX_DECAL:
            GXSetTevColorIn(stage, c, GX_CC_TEXC, GX_CC_TEXA, GX_CC_ZERO);
            GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, a);
            break;
        case GX_BLEND:
            GXSetTevColorIn(stage, c, GX_CC_ONE, GX_CC_TEXC, GX_CC_ZERO);
            GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_TEXA, a, GX_CA_ZERO);
            break;
        case GX_REPLACE:
            GXSetTevColorIn(stage, GX_CC_ZERO, GX_CC_ZERO, GX_CC_ZERO, GX_CC_TEXC);
            GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, GX_CA_TEXA);
            break;
        default:  // GX_PASSCLR
            GXSetTevColorIn(stage, GX_CC_ZERO, GX_CC_ZERO, GX_CC_ZERO, c);
            GXSetTevAlphaIn(stage, GX_CA_ZERO, GX_CA_ZERO, GX_CA_ZERO, a);
            break;
    }
    GXSetTevColorOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
    GXSetTevAlphaOp(stage, GX_TEV_ADD, GX_TB_ZERO, GX_CS_SCALE_1, GX_TRUE, GX_TEVPREV);
}

void GXSetTevOrder(GXTevStageID stage, GXTexCoordID coord, GXTexMapID map, GXChannelID color) {
    LogCall("GXSetTevOrder", "%u, %u, %u, %u", stage, coord, map, color);
    TevStage& s = Stage(stage, "GXSetTevOrder");
    s.texCoord = coord;
    s.texMap = u8(map);
    s.channel = color;
}

void GXSetTevColorIn(GXTevStageID stage, GXTevColorArg a, GXTevColorArg b, GXTevColorArg c, GXTevColorArg d) {
    LogCall("GXSetTevColorIn", "%u, %u, %u, %u, %u", stage, a, b, c, d);
    TevCombiner& combiner = Stage(stage, "GXSetTevColorIn").color;
    combiner.in[0] = a;
    combiner.in[1] = b;
    combiner.in[2] = c;
    combiner.in[3] = d;
}

void GXSetTevAlphaIn(GXTevStageID stage, GXTevAlphaArg a, GXTevAlphaArg b, GXTevAlphaArg c, GXTevAlphaArg d) {
    LogCall("GXSetTevAlphaIn", "%u, %u, %u, %u, %u", stage, a, b, c, d);
    TevCombiner& combiner = Stage(stage, "GXSetTevAlphaIn").alpha;
    combiner.in[0] = a;
    combiner.in[1] = b;
    combiner.in[2] = c;
    combiner.in[3] = d;
}

void GXSetTevColorOp(GXTevStageID stage, GXTevOp op, GXTevBias bias, GXTevScale scale, GXBool clamp,
                     GXTevRegID out) {
    LogCall("GXSetTevColorOp", "%u, %u, %u, %u, %u, %u", stage, op, bias, scale, clamp, out);
    SetOp(Stage(stage, "GXSetTevColorOp").color, op, bias, scale, clamp, out);
}

void GXSetTevAlphaOp(GXTevStageID stage, GXTevOp op, GXTevBias bias, GXTevScale scale, GXBool clamp,
                     GXTevRegID out) {
    LogCall("GXSetTevAlphaOp", "%u, %u, %u, %u, %u, %u", stage, op, bias, scale, clamp, out);
    SetOp(Stage(stage, "GXSetTevAlphaOp").alpha, op, bias, scale, clamp, out);
}

void GXSetTevColor(GXTevRegID reg, GXColor color) {
    GXSetTevColorS10(reg, GXColorS10{color.r, color.g, color.b, color.a});
}

void GXSetTevColorS10(GXTevRegID reg, GXColorS10 color) {
    LogCall("GXSetTevColorS10", "%u, {%d, %d, %d, %d}", reg, color.r, color.g, color.b, color.a);
    if (reg > GX_TEVREG2)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetTevColorS10: no register %u\n", reg);
    RasterStateCurrent().tevRegs[reg] = Rgba16{color.r, color.g, color.b, color.a};
}

void GXSetTevKColor(GXTevKColorID id, GXColor color) {
    LogCall("GXSetTevKColor", "%u, {%u, %u, %u, %u}", id, color.r, color.g, color.b, color.a);
    if (id > GX_KCOLOR3)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetTevKColor: no konst colour %u\n", id);
    RasterStateCurrent().konst[id] = Rgba8{color.r, color.g, color.b, color.a};
}

void GXSetTevKColorSel(GXTevStageID stage, GXTevKColorSel sel) {
    LogCall("GXSetTevKColorSel", "%u, %u", stage, sel);
    Stage(stage, "GXSetTevKColorSel").kColorSel = sel;
}

void GXSetTevKAlphaSel(GXTevStageID stage, GXTevKAlphaSel sel) {
    LogCall("GXSetTevKAlphaSel", "%u, %u", stage, sel);
    Stage(stage, "GXSetTevKAlphaSel").kAlphaSel = sel;
}

void GXSetTevSwapMode(GXTevStageID stage, GXTevSwapSel rasSel, GXTevSwapSel texSel) {
    LogCall("GXSetTevSwapMode", "%u, %u, %u", stage, rasSel, texSel);
    TevStage& s = Stage(stage, "GXSetTevSwapMode");
    s.rasSwap = rasSel;
    s.texSwap = texSel;
}

void GXSetTevSwapModeTable(GXTevSwapSel table, GXTevColorChan red, GXTevColorChan green, GXTevColorChan blue,
                           GXTevColorChan alpha) {
    LogCall("GXSetTevSwapModeTable", "%u, %u, %u, %u, %u", table, red, green, blue, alpha);
    if (table > GX_TEV_SWAP3)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetTevSwapModeTable: no table %u\n", table);
    RasterStateCurrent().swapTables[table] = SwapTable{red, green, blue, alpha};
}
