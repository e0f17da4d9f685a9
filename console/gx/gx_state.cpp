#include "console/gx/gx_state.h"

#include "console/gx/gx_control.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_displaylist.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_submit.h"
#include "console/gx/gx_texcache.h"

namespace console::gx {
namespace {

FrontState s_front;
u32 s_frontVersion = 0;

void SetIdentity(Mtx m) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c)
            m[r][c] = r == c ? 1.0f : 0.0f;
    }
}

}  // namespace

FrontState::FrontState() {
    for (auto& fmt : vtxFmt) {
        fmt[kAttrPos] = {GX_POS_XYZ, GX_F32, 0};
        fmt[kAttrNrm] = {GX_NRM_XYZ, GX_F32, 0};
        fmt[kAttrClr0] = fmt[kAttrClr0 + 1] = {GX_CLR_RGBA, GX_RGBA8, 0};
        for (u32 i = kAttrTex0; i < kAttrCount; ++i)
            fmt[i] = {GX_TEX_ST, GX_F32, 0};
    }
    for (u32 i = 0; i < kPosMtxCount; ++i) {
        SetIdentity(posMtx[i]);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                nrmMtx[i][r][c] = r == c ? 1.0f : 0.0f;
        }
    }
    for (auto& tex : texMtx) {
        SetIdentity(tex.m);
        tex.type = GX_MTX3x4;
    }
    for (auto& post : postMtx)
        SetIdentity(post);
}

FrontState& FrontStateCurrent() {
    ++s_frontVersion;
    return s_front;
}

const FrontState& FrontStateView() {
    return s_front;
}

u32 FrontStateVersion() {
    return s_frontVersion;
}

void ResetRegisters() {
    FrontStateCurrent() = FrontState{};
    RasterState& raster = RasterStateCurrent();
    const TextureSampler sampler = raster.sampler;
    const TextureViewer viewer = raster.viewer;
    const TextureCapture capture = raster.capture;
    const TexturesReady texturesReady = raster.texturesReady;
    void* const samplerContext = raster.samplerContext;
    raster = RasterState{};
    raster.sampler = sampler;
    raster.viewer = viewer;
    raster.capture = capture;
    raster.texturesReady = texturesReady;
    raster.samplerContext = samplerContext;
}

void GXReset() {
    ResetRegisters();
    SubmissionReset();
    DisplayListReset();
    EfbReset();
    CopyRecordReset();
    TexturesReset();
    HostGXSetCallLog(false);
    StageTimingReset();
}

}  // namespace console::gx

GXStateMirror HostGXState() {
    return GXStateMirror{console::gx::FrontStateView(), console::gx::RasterStateCurrent()};
}
