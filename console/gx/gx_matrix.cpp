// Viewport, scissor, projection and the matrix memory.
#include <cstring>

#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"
#include "console/os.h"

using namespace console::gx;

namespace {

// Position/normal matrices sit at ids 0, 3, .. 27; texture matrices at 30 .. 57;
// post-transform matrices at 64 .. 121.
bool SlotOf(u32 id, u32 first, u32 count, u32* slot) {
    if (id < first || (id - first) % 3 != 0 || (id - first) / 3 >= count)
        return false;
    *slot = (id - first) / 3;
    return true;
}

u32 PosSlot(u32 id, const char* call) {
    u32 slot;
    if (!SlotOf(id, GX_PNMTX0, kPosMtxCount, &slot))
        OSPanic(__FILE_NAME__, __LINE__, "%s: %u is not a position matrix\n", call, id);
    return slot;
}

void LogMtx(const char* call, const Mtx m, u32 id) {
    LogCall(call, "[%g %g %g %g; %g %g %g %g; %g %g %g %g], %u", m[0][0], m[0][1], m[0][2], m[0][3], m[1][0],
            m[1][1], m[1][2], m[1][3], m[2][0], m[2][1], m[2][2], m[2][3], id);
}

}  // namespace

void GXSetViewport(f32 left, f32 top, f32 width, f32 height, f32 nearZ, f32 farZ) {
    LogCall("GXSetViewport", "%g, %g, %g, %g, %g, %g", left, top, width, height, nearZ, farZ);
    RasterStateCurrent().viewport = Viewport{left, top, width, height, nearZ, farZ};
}

void GXSetViewportJitter(f32 left, f32 top, f32 width, f32 height, f32 nearZ, f32 farZ, u32 field) {
    GXSetViewport(left, field == 0 ? top - 0.5f : top, width, height, nearZ, farZ);
}

void GXSetScissor(u32 left, u32 top, u32 width, u32 height) {
    LogCall("GXSetScissor", "%u, %u, %u, %u", left, top, width, height);
    RasterStateCurrent().scissor = Scissor{left, top, width, height};
}

void GXSetProjection(const Mtx44 m, GXProjectionType type) {
    LogCall("GXSetProjection", "[%g %g %g %g; %g %g %g %g; %g %g %g %g; %g %g %g %g], %u", m[0][0], m[0][1],
            m[0][2], m[0][3], m[1][0], m[1][1], m[1][2], m[1][3], m[2][0], m[2][1], m[2][2], m[2][3], m[3][0],
            m[3][1], m[3][2], m[3][3], type);
    // Perspective keeps the z column of x and y, orthographic their translation.
    const int xy = type == GX_PERSPECTIVE ? 2 : 3;
    FrontStateCurrent().projection =
        Projection{type, {m[0][0], m[0][xy], m[1][1], m[1][xy], m[2][2], m[2][3]}};
}

void GXLoadPosMtxImm(const Mtx m, u32 id) {
    LogMtx("GXLoadPosMtxImm", m, id);
    std::memcpy(FrontStateCurrent().posMtx[PosSlot(id, "GXLoadPosMtxImm")], m, sizeof(Mtx));
}

void GXLoadNrmMtxImm(const Mtx m, u32 id) {
    LogMtx("GXLoadNrmMtxImm", m, id);
    auto& n = FrontStateCurrent().nrmMtx[PosSlot(id, "GXLoadNrmMtxImm")];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            n[r][c] = m[r][c];
    }
}

void GXLoadTexMtxImm(const Mtx m, u32 id, GXTexMtxType type) {
    LogMtx("GXLoadTexMtxImm", m, id);
    FrontState& state = FrontStateCurrent();
    u32 slot;
    if (SlotOf(id, GX_TEXMTX0, kTexMtxCount, &slot)) {
        std::memcpy(state.texMtx[slot].m, m, sizeof(Mtx));
        state.texMtx[slot].type = type;
    } else if (SlotOf(id, GX_PTTEXMTX0, kPostMtxCount, &slot) && type == GX_MTX3x4) {
        std::memcpy(state.postMtx[slot], m, sizeof(Mtx));
    } else {
        OSPanic(__FILE_NAME__, __LINE__, "GXLoadTexMtxImm: %u is not a texture matrix of type %u\n", id,
                type);
    }
}

void GXSetCurrentMtx(u32 id) {
    LogCall("GXSetCurrentMtx", "%u", id);
    PosSlot(id, "GXSetCurrentMtx");
    FrontStateCurrent().currentMtx = id;
}
