#include "console/gx/gx_transform.h"

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_texgen.h"

namespace console::gx {
namespace {

// The projection keeps six elements: perspective x' = p0 x + p1 z,
// y' = p2 y + p3 z, w' = -z; orthographic x' = p0 x + p1, y' = p2 y + p3, w' = 1;
// both z' = p4 z + p5.
void Project(const Projection& proj, const f32 eye[3], float clip[4]) {
    const f32* p = proj.p;
    if (proj.type == GX_PERSPECTIVE) {
        clip[0] = p[0] * eye[0] + p[1] * eye[2];
        clip[1] = p[2] * eye[1] + p[3] * eye[2];
        clip[3] = -eye[2];
    } else {
        clip[0] = p[0] * eye[0] + p[1];
        clip[1] = p[2] * eye[1] + p[3];
        clip[3] = 1.0f;
    }
    clip[2] = p[4] * eye[2] + p[5];
}

}  // namespace

RasterVertex TransformVertex(const DecodedVertex& v) {
    const FrontState& state = FrontStateCurrent();
    const u32 slot = state.currentMtx / 3;
    f32 eye[3];
    MulPoint(state.posMtx[slot], v.pos, eye);
    const auto& n = state.nrmMtx[slot];
    f32 normal[3];
    for (int r = 0; r < 3; ++r)
        normal[r] = n[r][0] * v.nrm[0] + n[r][1] * v.nrm[1] + n[r][2] * v.nrm[2];

    RasterVertex out;
    Project(state.projection, eye, out.pos);
    LightVertex(eye, normal, v.clr, out.color);
    GenerateTexCoords(v, out.tex);
    return out;
}

}  // namespace console::gx
