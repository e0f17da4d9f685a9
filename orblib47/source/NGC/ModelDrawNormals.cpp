// Debug lines along the weighted vertex normals of a skinned model.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"

namespace {

constexpr f32 kNormalLength = 0.125f;

}  // namespace

void ModelDebugDrawNormals(s_model* model, s_hmatrix* header) {
    if (!(model->flags & MODEL_FLAG_SKINNED) || header == nullptr)
        return;
    const s32 texture = DrawEnableTexture(0);
    const u32 flatColor = DrawSetFlatColor(0xFFFFFFFFu);
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    DrawBegin(PRIM_LINE);
    for (s32 i = 0; i < model->numVertex; ++i) {
        s_Vector4 coord, normal;
        ModelGetTransformedVertexCoordNormal(model, header, i, &coord, &normal);
        vertex.coord = coord;
        DrawVertex(&vertex);
        vertex.coord = {coord.x + kNormalLength * normal.x, coord.y + kNormalLength * normal.y,
                        coord.z + kNormalLength * normal.z, 1.0f};
        DrawVertex(&vertex);
    }
    DrawEnd();
    DrawSetFlatColor(flatColor);
    DrawEnableTexture(texture);
}
