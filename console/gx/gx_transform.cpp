#include "console/gx/gx_transform.h"

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_texgen.h"

namespace console::gx {

// The projection keeps six elements: perspective x' = p0 x + p1 z,
// y' = p2 y + p3 z, w' = -z; orthographic x' = p0 x + p1, y' = p2 y + p3, w' = 1;
// both z' = p4 z + p5.
void PositionVertices(const VertexLayout& layout, const u8* data, u32 count, EyeVertex* eye,
                      RasterVertex* out) {
    const FrontState& state = FrontStateCurrent();
    const auto& m = state.posMtx[state.currentMtx / 3];
    const f32* p = state.projection.p;
    const bool perspective = state.projection.type == GX_PERSPECTIVE;
    for (u32 i = 0; i < count; ++i) {
        EyeVertex& v = eye[i];
        DecodeVertex(layout, data + i * layout.size, &v.decoded);
        MulPoint(m, v.decoded.pos, v.eye);
        const f32* e = v.eye;
        float* clip = out[i].pos;
        if (perspective) {
            clip[0] = p[0] * e[0] + p[1] * e[2];
            clip[1] = p[2] * e[1] + p[3] * e[2];
            clip[3] = -e[2];
        } else {
            clip[0] = p[0] * e[0] + p[1];
            clip[1] = p[2] * e[1] + p[3];
            clip[3] = 1.0f;
        }
        clip[2] = p[4] * e[2] + p[5];
    }
}

void ShadeVertices(const EyeVertex* eye, const u8* shade, u32 count, RasterVertex* out) {
    const FrontState& state = FrontStateCurrent();
    const auto& n = state.nrmMtx[state.currentMtx / 3];
    const LightPlan plan = PlanLights();
    // Four at a time, the last group filled up with its last vertex again.
    u32 next = 0;
    auto take = [&](u32* index) {
        while (next < count && shade != nullptr && shade[next] == 0)
            ++next;
        if (next == count)
            return false;
        *index = next++;
        return true;
    };
    for (;;) {
        u32 group[4];
        u32 used = 0;
        while (used < 4 && take(&group[used]))
            ++used;
        if (used == 0)
            break;
        for (u32 lane = used; lane < 4; ++lane)
            group[lane] = group[used - 1];
        for (u32 lane = 0; lane < used; ++lane)
            GenerateTexCoords(eye[group[lane]].decoded, out[group[lane]].tex);
        LightLanes in;
        for (int lane = 0; lane < 4; ++lane) {
            const EyeVertex& v = eye[group[lane]];
            for (int r = 0; r < 3; ++r)
                in.eye[r][lane] = v.eye[r];
            for (int r = 0; r < 3; ++r)
                in.normal[r][lane] = v.decoded.nrm[r];
            for (int c = 0; c < 2; ++c) {
                const GXColor clr = v.decoded.clr[c];
                const u8 k[] = {clr.r, clr.g, clr.b, clr.a};
                for (int j = 0; j < 4; ++j)
                    in.color[c][j][lane] = k[j];
            }
        }
        if (plan.lit) {
            const simd::V4f model[3] = {in.normal[0], in.normal[1], in.normal[2]};
            for (int r = 0; r < 3; ++r)
                in.normal[r] = n[r][0] * model[0] + n[r][1] * model[1] + n[r][2] * model[2];
        }
        for (auto& channel : in.color)
            for (simd::V4f& k : channel)
                k /= 255.0f;
        simd::V4f colors[2][4];
        LightVertices(plan, in, colors);
        for (u32 lane = 0; lane < used; ++lane)
            for (int c = 0; c < 2; ++c)
                for (int k = 0; k < 4; ++k)
                    out[group[lane]].color[c][k] = colors[c][k][lane];
    }
}

}  // namespace console::gx
