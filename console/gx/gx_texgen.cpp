#include "console/gx/gx_texgen.h"

#include <cmath>
#include <cstring>

#include "console/gx/gx_log.h"
#include "console/gx/gx_transform.h"
#include "console/os.h"

namespace console::gx {
namespace {

// The generator's input row: (x, y, z, 1) for position and normal, (s, t, 1, 1)
// for a texture coordinate.
void Input(const DecodedVertex& v, GXTexGenSrc src, f32 in[3]) {
    const f32* from = src == GX_TG_POS ? v.pos : src == GX_TG_NRM ? v.nrm : nullptr;
    if (from != nullptr) {
        in[0] = from[0];
        in[1] = from[1];
        in[2] = from[2];
    } else {
        const f32* st = v.tex[src - GX_TG_TEX0];
        in[0] = st[0];
        in[1] = st[1];
        in[2] = 1.0f;
    }
}

void Generate(const TexGenPlan::Gen& gen, const DecodedVertex& v, float out[3]) {
    f32 in[3];
    Input(v, gen.src, in);
    f32 stq[3] = {in[0], in[1], in[2]};
    if (gen.mtx != nullptr)
        MulPoint(*gen.mtx, in, stq);
    if (gen.st)
        stq[2] = 1.0f;
    if (gen.normalize) {
        const f32 length = std::sqrt(stq[0] * stq[0] + stq[1] * stq[1] + stq[2] * stq[2]);
        if (length > 0) {
            for (f32& c : stq)
                c /= length;
        }
    }
    if (gen.postMtx != nullptr) {
        const f32 pre[3] = {stq[0], stq[1], stq[2]};
        MulPoint(*gen.postMtx, pre, stq);
    }
    for (int i = 0; i < 3; ++i)
        out[i] = stq[i];
}

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
    const FrontState& state = FrontStateCurrent();
    TexGenPlan plan;
    plan.count = RasterStateCurrent().numTexGens;
    for (u32 i = 0; i < plan.count; ++i) {
        const TexGen& gen = state.texGens[i];
        plan.gens[i] = {
            gen.src, gen.mtx == GX_IDENTITY ? nullptr : &state.texMtx[(gen.mtx - GX_TEXMTX0) / 3].m,
            gen.func == GX_TG_MTX2x4, gen.normalize,
            gen.postMtx == GX_PTIDENTITY ? nullptr : &state.postMtx[(gen.postMtx - GX_PTTEXMTX0) / 3]};
    }
    return plan;
}

void GenerateTexCoords(const TexGenPlan& plan, const DecodedVertex& v, float out[kMaxTexCoords][3]) {
    // All zero first, half at a time: cheaper than the unused ones one by one,
    // and than the string store one fill of the whole becomes.
    constexpr u32 kHalf = kMaxTexCoords / 2;
    std::memset(out, 0, kHalf * sizeof out[0]);
    std::memset(out + kHalf, 0, kHalf * sizeof out[0]);
    for (u32 i = 0; i < plan.count; ++i)
        Generate(plan.gens[i], v, out[i]);
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
