// One vertex of a mesh primitive, sent straight into the open GX primitive.
#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"

bool ModelDeclareVertex() {
    const bool textured = (DrawContext.flags & u_draw_flags::TextureOn) != 0;
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
    GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    if (textured)
        GXSetVtxDesc(GX_VA_TEX0, GX_DIRECT);
    return textured;
}

void ModelSendStaticVertex(const s_model& model, u16 index, const s_quant_load& q, bool textured) {
    if (!model.quantVertices.empty()) {
        const s_model_vertex_quant& v = model.quantVertices[index];
        GXPosition3f32(QuantLoad16(q, v.coord[0]), QuantLoad16(q, v.coord[1]), QuantLoad16(q, v.coord[2]));
        GXNormal3s8(v.normal[0], v.normal[1], v.normal[2]);
        GXColor1u32(v.color);
        if (textured)
            GXTexCoord2s16(v.u, v.v);
        return;
    }
    const s_model_vertex_float& v = model.floatVertices[index];
    GXPosition3f32(v.coord[0], v.coord[1], v.coord[2]);
    GXNormal3s8(v.normal[0], v.normal[1], v.normal[2]);
    GXColor1u32(v.color);
    if (textured)
        GXTexCoord2s16(v.u, v.v);
}

void ModelSendWeightedVertex(const s_model& model, u16 index, bool textured) {
    const s_vert_pair& p = model.outVertNormBuffer[index];
    const s_model_vertex_skinned& v = model.skinnedVertices[index];
    GXPosition3f32(p.x, p.y, p.z);
    GXNormal3f32(p.nx, p.ny, p.nz);
    GXColor1u32(v.color);
    if (textured)
        GXTexCoord2s16(v.u, v.v);
}
