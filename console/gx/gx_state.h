// The registers of the front half of the pipeline: vertex descriptor and formats,
// the matrix memory, projection, colour channels, lights, texture-coordinate
// generators, and the FIFO, sync and copy settings that no pixel reads. The
// registers after the transform live in RasterState (gx_raster.h).
#pragma once

#include "console/gx.h"

namespace console::gx {

// Vertex attributes, indexed from GX_VA_POS: position, normal, colours 0 and 1,
// texture coordinates 0..7.
constexpr u32 kAttrCount = 12;
constexpr u32 kAttrPos = 0;
constexpr u32 kAttrNrm = 1;
constexpr u32 kAttrClr0 = 2;
constexpr u32 kAttrTex0 = 4;

constexpr u32 kPosMtxCount = 10;
constexpr u32 kTexMtxCount = 10;
constexpr u32 kPostMtxCount = 20;
constexpr u32 kLightCount = 8;

struct AttrFormat {
    GXCompCnt cnt;
    GXCompType type;
    u8 frac;
};

struct ChanCtrl {
    bool enable = false;
    GXColorSrc ambSrc = GX_SRC_REG;
    GXColorSrc matSrc = GX_SRC_VTX;
    u8 lightMask = 0;
    GXDiffuseFn diffFn = GX_DF_NONE;
    GXAttnFn attnFn = GX_AF_NONE;
};

struct TexGen {
    GXTexGenType func = GX_TG_MTX2x4;
    GXTexGenSrc src = GX_TG_TEX0;
    u32 mtx = GX_IDENTITY;
    bool normalize = false;
    u32 postMtx = GX_PTIDENTITY;
};

struct TexMatrix {
    Mtx m;
    GXTexMtxType type;
};

struct Projection {
    GXProjectionType type = GX_ORTHOGRAPHIC;
    f32 p[6] = {1, 0, 1, 0, 1, 0};
};

struct FrontState {
    GXAttrType desc[kAttrCount] = {};
    AttrFormat vtxFmt[GX_MAX_VTXFMT][kAttrCount];

    Mtx posMtx[kPosMtxCount];
    f32 nrmMtx[kPosMtxCount][3][3];
    TexMatrix texMtx[kTexMtxCount];
    Mtx postMtx[kPostMtxCount];
    u32 currentMtx = GX_PNMTX0;
    Projection projection;

    // COLOR0, COLOR1, ALPHA0, ALPHA1.
    ChanCtrl chanCtrl[4];
    GXColor ambColor[2] = {};
    GXColor matColor[2] = {};
    GXLightObj lights[kLightCount] = {};

    TexGen texGens[GX_MAX_TEXCOORD];

    u16 drawSyncToken = 0;
    GXDrawDoneCallback drawDoneCallback = nullptr;

    GXFifoObj* cpuFifo = nullptr;
    GXFifoObj* gpFifo = nullptr;
    void* breakPt = nullptr;

    GXZFmt16 zFormat = GX_ZC_LINEAR;  // compression of 16-bit depth
    bool copyAntiAlias = false;
    u8 copySamplePattern[12][2] = {};
    GXGamma copyGamma = GX_GM_1_0;

    FrontState();
};

// For writing: every call counts as a change of the registers.
FrontState& FrontStateCurrent();
const FrontState& FrontStateView();
// Changes with every FrontStateCurrent call: what was worked out from the
// registers at one version holds while it stands.
u32 FrontStateVersion();

// GXInit's reset: every register of both halves to its default (the installed
// texture sampler is kept).
void ResetRegisters();
// Power-on: the registers, the embedded frame buffer, no call log.
void GXReset();

}  // namespace console::gx
