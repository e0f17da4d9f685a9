// GX state calls: the mirror, the call log, GXInit's reset and misuse.
#include "console/gx/gx_raster.h"
#include "tests/console/gx_front_support.h"

namespace {

using namespace console::gx;
using GXStateTest = gxtest::GXFrontTest;

TEST_F(GXStateTest, CallsUpdateTheMirror) {
    GXSetCullMode(GX_CULL_FRONT);
    GXSetChanCtrl(GX_COLOR0A0, GX_TRUE, GX_SRC_REG, GX_SRC_VTX, GX_LIGHT2 | GX_LIGHT5, GX_DF_CLAMP,
                  GX_AF_SPOT);
    GXSetChanMatColor(GX_COLOR0, GXColor{1, 2, 3, 4});
    GXSetChanMatColor(GX_ALPHA0, GXColor{9, 9, 9, 200});
    GXSetTevOrder(GX_TEVSTAGE2, GX_TEXCOORD1, GX_TEXMAP7, GX_COLOR0A0);
    GXSetTevSwapModeTable(GX_TEV_SWAP1, GX_CH_RED, GX_CH_ALPHA, GX_CH_ALPHA, GX_CH_ALPHA);

    const GXStateMirror state = HostGXState();
    EXPECT_EQ(state.raster.cull, Cull::Front);
    for (u32 part : {0u, 2u}) {  // colour 0 and alpha 0
        EXPECT_TRUE(state.front.chanCtrl[part].enable);
        EXPECT_EQ(state.front.chanCtrl[part].lightMask, 0x24);
        EXPECT_EQ(state.front.chanCtrl[part].attnFn, GX_AF_SPOT);
    }
    EXPECT_FALSE(state.front.chanCtrl[1].enable);
    const GXColor mat = state.front.matColor[0];
    EXPECT_EQ((std::vector<u8>{mat.r, mat.g, mat.b, mat.a}), (std::vector<u8>{1, 2, 3, 200}));
    EXPECT_EQ(state.raster.tevStages[2].texCoord, 1);
    EXPECT_EQ(state.raster.tevStages[2].texMap, 7);
    EXPECT_EQ(state.raster.swapTables[1].g, 3);

    alignas(32) u8 fifo[64];
    GXInit(fifo, sizeof fifo);  // back to the defaults
    EXPECT_EQ(HostGXState().raster.cull, Cull::Back);
    EXPECT_FALSE(HostGXState().front.chanCtrl[0].enable);
}

TEST_F(GXStateTest, MatricesLandInTheirSlots) {
    Mtx m = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
    GXLoadTexMtxImm(m, 57, GX_MTX3x4);  // the tenth texture matrix
    GXLoadNrmMtxImm(m, GX_PNMTX3);
    const FrontState& front = HostGXState().front;
    EXPECT_EQ(front.texMtx[9].m[2][3], 12);
    EXPECT_EQ(front.nrmMtx[3][1][2], 7);

    const Mtx44 persp = {{1, 0, 0.5f, 0}, {0, 2, 0.25f, 0}, {0, 0, -0.1f, -1.1f}, {0, 0, -1, 0}};
    GXSetProjection(persp, GX_PERSPECTIVE);
    EXPECT_EQ((std::vector<f32>(front.projection.p, front.projection.p + 6)),
              (std::vector<f32>{1, 0.5f, 2, 0.25f, -0.1f, -1.1f}));
}

TEST_F(GXStateTest, CallLogKeepsNamesAndArguments) {
    GXSetCullMode(GX_CULL_NONE);  // before the log is on
    HostGXSetCallLog(true);
    GXSetCullMode(GX_CULL_FRONT);
    GXSetZMode(GX_TRUE, GX_LEQUAL, GX_FALSE);
    GXSetDrawSync(0xBEEF);
    EXPECT_EQ(HostGXCallLog(),
              (std::vector<std::string>{"GXSetCullMode(1)", "GXSetZMode(1, 3, 0)", "GXSetDrawSync(0xBEEF)"}));
    HostGXSetCallLog(false);
    EXPECT_TRUE(HostGXCallLog().empty());
}

TEST_F(GXStateTest, TevOpModulateReadsTheRasterisedColourAtStageZero) {
    GXSetTevOp(GX_TEVSTAGE0, GX_MODULATE);
    GXSetTevOp(GX_TEVSTAGE1, GX_MODULATE);
    const RasterState& raster = HostGXState().raster;
    EXPECT_EQ(raster.tevStages[0].color.in[2], GX_CC_RASC);
    EXPECT_EQ(raster.tevStages[1].color.in[2], GX_CC_CPREV);
    EXPECT_EQ(raster.tevStages[1].alpha.in[1], GX_CA_TEXA);
}

TEST_F(GXStateTest, OverscanTrimsTheRenderMode) {
    GXRenderModeObj mode;
    GXAdjustForOverscan(&GXNtsc480IntDf, &mode, 0, 16);
    EXPECT_EQ(mode.fbWidth, 640);
    EXPECT_EQ(mode.efbHeight, 448);
    EXPECT_EQ(mode.xfbHeight, 448);
    EXPECT_EQ(mode.viHeight, 448);
    EXPECT_EQ(mode.viYOrigin, 16);
    EXPECT_FLOAT_EQ(GXGetYScaleFactor(448, 528), 528.0f / 448.0f);
}

TEST_F(GXStateTest, MisuseIsFatal) {
    Mtx m = {};
    EXPECT_DEATH(GXLoadPosMtxImm(m, 4), "not a position matrix");
    EXPECT_DEATH(GXSetCurrentMtx(GX_TEXMTX0), "not a position matrix");
    EXPECT_DEATH(GXSetVtxAttrFmt(GX_VTXFMT0, GX_VA_NRM, GX_NRM_XYZ, GX_U8, 0), "unsupported format");
    EXPECT_DEATH(GXSetChanCtrl(GX_COLOR_ZERO, 0, GX_SRC_REG, GX_SRC_REG, 0, GX_DF_NONE, GX_AF_NONE),
                 "channel");
}

}  // namespace
