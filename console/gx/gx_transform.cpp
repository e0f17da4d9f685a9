#include "console/gx/gx_transform.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "console/gx/gx_raster_simd.h"
#include "console/gx/gx_scratch.h"

namespace console::gx {
namespace {

using VF = simd::V4f;
constexpr int kLanes = 4;

#include "console/gx/gx_lanes_kernel.h"

// The vertices decoded and placed, and shaded, a run at a time: the coordinates
// then the colours of each, while it stays in the cache.
constexpr u32 kRun = 64;

thread_local std::vector<u32> s_shaded;  // the indexes of the vertices ShadeVertices takes

// The eye position m (x, y, z, 1) and the clip position of the vertices
// first[0 .. used), used <= kLanes, a lane each.
void PlaceGroup(const Mtx m, const f32 (&p)[6], bool perspective, EyeVertex* first, u32 used,
                RasterVertex* out) {
    VF pos[3], e[3];
    for (int r = 0; r < 3; ++r)
        pos[r] = FromLanes<VF>([&](int lane) { return first[u32(lane) < used ? lane : 0].decoded.pos[r]; });
    for (int r = 0; r < 3; ++r)
        e[r] = m[r][0] * pos[0] + m[r][1] * pos[1] + m[r][2] * pos[2] + m[r][3];
    for (u32 lane = 0; lane < used; ++lane)
        for (int r = 0; r < 3; ++r)
            first[lane].eye[r] = e[r][lane];
    VF clip[4];
    if (perspective) {
        clip[0] = p[0] * e[0] + p[1] * e[2];
        clip[1] = p[2] * e[1] + p[3] * e[2];
        clip[3] = -e[2];
    } else {
        clip[0] = p[0] * e[0] + p[1];
        clip[1] = p[2] * e[1] + p[3];
        clip[3] = VF{} + 1.0f;
    }
    clip[2] = p[4] * e[2] + p[5];
    float* to[kLanes];
    for (u32 lane = 0; lane < used; ++lane)
        to[lane] = out[lane].pos;
    StoreQuads(clip, to, used);
}

}  // namespace

VertexPlan PlanVertices() {
    const FrontState& state = FrontStateView();
    VertexPlan plan;
    std::memcpy(plan.posMtx, state.posMtx[state.currentMtx / 3], sizeof plan.posMtx);
    std::memcpy(plan.projection, state.projection.p, sizeof plan.projection);
    plan.perspective = state.projection.type == GX_PERSPECTIVE;
    plan.lights = PlanLights();
    plan.texGens = PlanTexGens();
    return plan;
}

void PositionVertices(const VertexPlan& plan, const VertexLayout& layout, const u8* data, u32 count,
                      EyeVertex* eye, RasterVertex* out) {
    // Copies: the stores below might alias the plan, which every vertex would
    // then read again.
    Mtx m;
    std::memcpy(m, plan.posMtx, sizeof m);
    f32 p[6];
    std::memcpy(p, plan.projection, sizeof p);
    const bool perspective = plan.perspective;
    // A run at a time, decoded then placed while it is in the cache.
    for (u32 from = 0; from < count; from += kRun) {
        const u32 end = std::min(count, from + kRun);
        DecodeVertices(layout, data + std::size_t(from) * layout.size, end - from, &eye[from].decoded,
                       sizeof(EyeVertex));
        for (u32 i = from; i < end; i += kLanes)
            PlaceGroup(m, p, perspective, &eye[i], std::min<u32>(kLanes, end - i), &out[i]);
    }
}

void ShadeVertices(const VertexPlan& plan, const EyeVertex* eye, const u8* shade, u32 count,
                   RasterVertex* out) {
    u32* which = Scratch(s_shaded, count);
    u32 shaded = 0;
    for (u32 i = 0; i < count; ++i)
        if (shade == nullptr || shade[i] != 0)
            which[shaded++] = i;
    for (u32 from = 0; from < shaded; from += kRun) {
        const u32 run = std::min(kRun, shaded - from);
        GenerateTexCoords(plan.texGens, eye, which + from, run, out);
        LightVertices(plan.lights, eye, which + from, run, out);
    }
}

}  // namespace console::gx
