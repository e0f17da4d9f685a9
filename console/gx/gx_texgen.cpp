#include "console/gx/gx_texgen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "console/gx/gx_log.h"
#include "console/gx/gx_raster_simd.h"
#include "console/os.h"

namespace console::gx {
namespace {

using VF = simd::V4f;
constexpr int kLanes = 4;

#include "console/gx/gx_lanes_kernel.h"
#include "console/gx/gx_texgen_kernel.h"

bool IsTexMtx(u32 mtx) {
    return mtx == GX_IDENTITY || (mtx >= GX_TEXMTX0 && mtx <= GX_TEXMTX9 && (mtx - GX_TEXMTX0) % 3 == 0);
}

bool IsPostMtx(u32 mtx) {
    return mtx == GX_PTIDENTITY ||
           (mtx >= GX_PTTEXMTX0 && mtx <= GX_PTTEXMTX19 && (mtx - GX_PTTEXMTX0) % 3 == 0);
}

bool IsSource(GXTexGenSrc src) {
    return src == GX_TG_POS || src == GX_TG_NRM || (src >= GX_TG_TEX0 && src <= GX_TG_TEX7);
}

}  // namespace

TexGenPlan PlanTexGens() {
    const FrontState& state = FrontStateView();
    TexGenPlan plan{};
    plan.count = RasterStateCurrent().numTexGens;
    for (u32 i = 0; i < plan.count; ++i) {
        const TexGen& gen = state.texGens[i];
        TexGenPlan::Gen& out = plan.gens[i];
        out.src = gen.src;
        out.st = gen.func == GX_TG_MTX2x4;
        out.normalize = gen.normalize;
        out.useMtx = gen.mtx != GX_IDENTITY;
        if (out.useMtx)
            std::memcpy(out.mtx, state.texMtx[(gen.mtx - GX_TEXMTX0) / 3].m, sizeof out.mtx);
        out.usePostMtx = gen.postMtx != GX_PTIDENTITY;
        if (out.usePostMtx)
            std::memcpy(out.postMtx, state.postMtx[(gen.postMtx - GX_PTTEXMTX0) / 3], sizeof out.postMtx);
    }
    return plan;
}

void TexCoordsBy4(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                  RasterVertex* out) {
    const u32 whole = WholeGroups<TexCoordGroup>(plan, eye, which, count, out);
    if (whole < count)
        TexCoordGroup(plan, eye, which + whole, count - whole, out);
}

void GenerateTexCoords(const TexGenPlan& plan, const EyeVertex* eye, const u32* which, u32 count,
                       RasterVertex* out) {
    u32 done = TexCoordsBy16(plan, eye, which, count, out);
    done += TexCoordsBy8(plan, eye, which + done, count - done, out);
    TexCoordsBy4(plan, eye, which + done, count - done, out);
}

}  // namespace console::gx

using namespace console::gx;

void GXSetNumTexGens(u8 nTexGens) {
    LogCall("GXSetNumTexGens", "%u", nTexGens);
    if (nTexGens > GX_MAX_TEXCOORD)
        OSPanic(__FILE_NAME__, __LINE__, "GXSetNumTexGens: %u generators\n", nTexGens);
    RasterStateCurrent().numTexGens = nTexGens;
}

void GXSetTexCoordGen(GXTexCoordID dst, GXTexGenType func, GXTexGenSrc src, u32 mtx) {
    GXSetTexCoordGen2(dst, func, src, mtx, GX_FALSE, GX_PTIDENTITY);
}

void GXSetTexCoordGen2(GXTexCoordID dst, GXTexGenType func, GXTexGenSrc src, u32 mtx, GXBool normalize,
                       u32 postMtx) {
    LogCall("GXSetTexCoordGen2", "%u, %u, %u, %u, %u, %u", dst, func, src, mtx, normalize, postMtx);
    if (dst >= GX_MAX_TEXCOORD || func > GX_TG_MTX2x4 || !IsSource(src) || !IsTexMtx(mtx) ||
        !IsPostMtx(postMtx))
        OSPanic(__FILE_NAME__, __LINE__, "GXSetTexCoordGen2: unsupported generator %u (%u, %u, %u, %u)\n",
                dst, func, src, mtx, postMtx);
    FrontStateCurrent().texGens[dst] = TexGen{func, src, mtx, normalize != GX_FALSE, postMtx};
}
