#include <cmath>

#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/HModelInternal.h"
#include "orblib47/source/NGC/FrameClock.h"

namespace {

// An hmodel moves at most once per game time; a new one always takes its first update.
bool Due(const s_hmodel* hmodel) {
    return hmodel->lastTime != GameTime || (hmodel->flags & HMODEL_FLAG_NEW) != 0;
}

s_Matrix4 ScaleMatrix(const s_Vector3* scale) {
    s_Matrix4 m;
    Matrix4CreateScale(&m, scale->x, scale->y, scale->z, 1.0f);
    return m;
}

s_Matrix4 PosRot(const s_Vector3* pos, const s_Vector3* rot) {
    s_Matrix4 m = IDMatrix4;
    Matrix4CreateXYZ(&m, rot->x, rot->y, rot->z);
    m.element[3] = pos->x;
    m.element[7] = pos->y;
    m.element[11] = pos->z;
    return m;
}

void UpdateAnimLayer(s_hmodel* hmodel, s32 layerId) {
    const s_hanim_layer& layer = hmodel->layer[layerId];
    if (layer.hanim != nullptr && (layer.flags[1] & HANIM_LAYER_MANUAL_UPDATE) == 0)
        HAnimUpdate(layer.hanim, hmodel->hmatrix, hmodel->fmatrix);
}

// The sets that follow the bones once they are posed.
void UpdateCollision(s_hmodel* hmodel) {
    if (hmodel->collisionInfo != nullptr)
        CollisionUpdate(hmodel->collisionInfo, hmodel->hmatrix, &hmodel->worldMatrix);
    if (hmodel->linkInfo != nullptr)
        LinkPointsUpdate(hmodel->linkInfo, hmodel->hmatrix, &hmodel->worldMatrix);
}

}  // namespace

void HModelUpdateMatrix(s_hmodel* hmodel, const s_Matrix4* matrix) {
    if (!Due(hmodel))
        return;
    hmodel->worldMatrix = *matrix;
    HModelUpdate(hmodel);
}

void HModelUpdateMatrixAndScale(s_hmodel* hmodel, const s_Matrix4* matrix, const s_Vector3* scale) {
    if (!Due(hmodel))
        return;
    constexpr f32 kUnscaled = 0.001f;
    const bool unscaled = std::fabs(scale->x - 1.0f) <= kUnscaled &&
                          std::fabs(scale->y - 1.0f) <= kUnscaled && std::fabs(scale->z - 1.0f) <= kUnscaled;
    if (unscaled)
        hmodel->flags &= ~HMODEL_FLAG_SCALED;
    else
        hmodel->flags |= HMODEL_FLAG_SCALED;
    const s_Matrix4 s = ScaleMatrix(scale);
    hmodel->worldMatrix = *matrix;
    Matrix4MultMatrix3x3(&hmodel->worldMatrix, &s, matrix);
    HModelUpdate(hmodel);
}

void HModelUpdatePosRot(s_hmodel* hmodel, const s_Vector3* pos, const s_Vector3* rot) {
    if (!Due(hmodel))
        return;
    hmodel->worldMatrix = PosRot(pos, rot);
    HModelUpdate(hmodel);
}

void HModelUpdatePosRotScale(s_hmodel* hmodel, const s_Vector3* pos, const s_Vector3* rot,
                             const s_Vector3* scale) {
    if (!Due(hmodel))
        return;
    const s_Matrix4 s = ScaleMatrix(scale);
    hmodel->worldMatrix = PosRot(pos, rot);
    Matrix4MultMatrix3x3(&hmodel->worldMatrix, &s, &hmodel->worldMatrix);
    HModelUpdate(hmodel);
}

void HModelInitMatrix(s_hmodel* hmodel, const s_Matrix4* matrix) {
    hmodel->worldMatrix = *matrix;
    HMatrixUpdateMatrix(hmodel->hmatrix, &hmodel->worldMatrix);
    UpdateCollision(hmodel);
    hmodel->physicsPrim.Update(hmodel->hmatrix);
}

void HModelUpdate(s_hmodel* hmodel) {
    if (hmodel == nullptr || !Due(hmodel))
        return;
    hmodel->lastTime = GameTime;
    if (hmodel->modelGroup != nullptr)
        HModelChooseLod(hmodel);
    if (hmodel->model == nullptr)
        return;
    UpdateAnimLayer(hmodel, ANIM_LAYER_PRIMARY);
    UpdateAnimLayer(hmodel, ANIM_LAYER_SECONDARY);
    HMatrixUpdateMatrix(hmodel->hmatrix, &hmodel->worldMatrix);
    UpdateCollision(hmodel);
    if (hmodel->updateFunc != nullptr)
        hmodel->updateFunc(hmodel, hmodel->updateParm);
    hmodel->physicsPrim.Update(hmodel->hmatrix);
    HModelUpdateVerts(hmodel);
    // The additive layer's contribution comes out again before the next frame.
    if (s_hanim* add = hmodel->layer[ANIM_LAYER_SECONDARY].hanim)
        HAnimResetAdd(add, hmodel->hmatrix);
    hmodel->flags &= ~HMODEL_FLAG_NEW;
}
