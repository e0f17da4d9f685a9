#include "console/gx/gx_transform.h"

#include <cstring>
#include <vector>

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_scratch.h"
#include "console/gx/gx_texgen.h"

namespace console::gx {
namespace {

std::vector<u32> s_shaded;  // the indexes of the vertices ShadeVertices takes

}  // namespace

// The projection keeps six elements: perspective x' = p0 x + p1 z,
// y' = p2 y + p3 z, w' = -z; orthographic x' = p0 x + p1, y' = p2 y + p3, w' = 1;
// both z' = p4 z + p5.
void PositionVertices(const VertexLayout& layout, const u8* data, u32 count, EyeVertex* eye,
                      RasterVertex* out) {
    const FrontState& state = FrontStateCurrent();
    // Copies: the stores below might alias the state, which every vertex would
    // then read again.
    Mtx m;
    std::memcpy(m, state.posMtx[state.currentMtx / 3], sizeof m);
    f32 p[6];
    std::memcpy(p, state.projection.p, sizeof p);
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
    u32* which = Scratch(s_shaded, count);
    u32 shaded = 0;
    for (u32 i = 0; i < count; ++i)
        if (shade == nullptr || shade[i] != 0)
            which[shaded++] = i;
    GenerateTexCoords(PlanTexGens(), eye, which, shaded, out);
    LightVertices(PlanLights(), eye, which, shaded, out);
}

}  // namespace console::gx
