#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Material.h"

namespace {

// Draws the hmodel's model on `world` and `header` in its texture variant.
void DrawWith(s_hmodel* hmodel, const s_Matrix4* world, s_hmatrix* header) {
    s_model* model = hmodel->model;
    ModelClearVertsWeighted(model);
    ModelStartInstance(&hmodel->modelInstance);
    const u8 variant = OrbMaterial.SetTextureVariant(hmodel->textureVariant);
    ModelMatrixIsScaled(model, (hmodel->flags & HMODEL_FLAG_SCALED) != 0);
    ModelDraw(model, world, header, hmodel->fmatrix);
    OrbMaterial.SetTextureVariant(variant);
    ModelEndInstance(&hmodel->modelInstance);
}

}  // namespace

void HModelDraw(s_hmodel* hmodel) {
    if (hmodel == nullptr || hmodel->model == nullptr)
        return;
    DrawWith(hmodel, &hmodel->worldMatrix, hmodel->hmatrix);
}

void HModelDrawAttachment(s_hmodel* hmodel, s_hmodel* parent) {
    if (hmodel == nullptr || hmodel->model == nullptr || parent == nullptr)
        return;
    DrawWith(hmodel, &parent->worldMatrix, parent->hmatrix);
}

void HModelReDraw(s_hmodel* hmodel, const s_Matrix4* world) {
    if (hmodel == nullptr || hmodel->model == nullptr)
        return;
    const bool dynamic = (hmodel->flags & HMODEL_FLAG_DYNAMIC_VERTS) != 0;
    if (dynamic)
        ModelStartInstance(&hmodel->modelInstance);
    ModelMatrixIsScaled(hmodel->model, (hmodel->flags & HMODEL_FLAG_SCALED) != 0);
    ModelDraw(hmodel->model, world, hmodel->hmatrix, nullptr);
    if (dynamic)
        ModelEndInstance(&hmodel->modelInstance);
}

void HModelUpdateVerts(s_hmodel* hmodel) {
    if (hmodel->model == nullptr)
        return;
    ModelStartInstance(&hmodel->modelInstance);
    ModelCalculateVertices(hmodel->model, hmodel->hmatrix);
    ModelUpdateVerts(hmodel->model);
    ModelEndInstance(&hmodel->modelInstance);
}

void HModelDebugDrawNormals(s_hmodel* hmodel) {
    if (hmodel->model != nullptr)
        ModelDebugDrawNormals(hmodel->model, hmodel->hmatrix);
}

void HModelDebugDrawBones(s_hmodel* hmodel) {
    constexpr f32 kMarkerSize = 0.05f;
    for (s32 i = 0; i < hmodel->hmatrix->numBones; ++i) {
        const s_hmatrix_bone& bone = hmodel->hmatrix->boneList[i];
        const s_Vector3 at{bone.worldMatrix.element[3], bone.worldMatrix.element[7],
                           bone.worldMatrix.element[11], 0};
        DrawCrossHair(&at, kMarkerSize);
        if (const s_hmatrix_bone* parent = bone.parent) {
            const s_Vector3 to{parent->worldMatrix.element[3], parent->worldMatrix.element[7],
                               parent->worldMatrix.element[11], 0};
            DrawLine(&at, &to);
        }
    }
}
