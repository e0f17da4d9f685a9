// A whole model: weighted once a frame when skinned, then mesh by mesh under the
// world matrix, or bone by bone under each bone's matrix.
#include <algorithm>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"

namespace {

constexpr u32 kMeshTimer = 2;

// The materials read the world matrices through pointers, also after the draw.
s_Matrix4 ObjectWorld;
s_Matrix4 BoneWorld;

// The bone's world matrix as the materials see it: re-normalised for a model drawn
// scaled.
void SetBoneWorld(const s_model& model, const s_Matrix4& world) {
    if (model.flags & MODEL_FLAG_SCALED)
        Matrix4Unitize(&BoneWorld, &world);
    else
        BoneWorld = world;
    OrbMaterial.m_BoneWorldMatrix = &BoneWorld;
}

void DrawBoneMesh(s_model* model, s32 meshId, const s_Matrix4& boneMatrix, const s_Matrix4& world,
                  s_hmatrix* header) {
    DrawLightsOn();
    DrawPushMatrix(&boneMatrix);
    SetBoneWorld(*model, world);
    ModelDrawMesh(model, &model->meshList[meshId], 0, header);
    DrawPopMatrix();
}

}  // namespace

void ModelDraw(s_model* model, const s_Matrix4* world, s_hmatrix* header, s_flat_matrix* texMatrix) {
    ClockResetTimer(kMeshTimer);
    DrawLightsOn();
    DrawPushMatrix(world);
    OrbMaterial.SetList(model->orbMaterialList, model->numOrbMaterials);
    ObjectWorld = *world;
    OrbMaterial.m_ObjectWorldMatrix = &ObjectWorld;
    OrbMaterial.SetMatrixList(texMatrix);

    if (model->flags & MODEL_FLAG_SKINNED) {
        if (!(model->flags & MODEL_FLAG_VERTS_WEIGHTED)) {
            ModelWeightVertices(ModelSkinView(*model), header);
            ModelSetVertsWeighted(model);
        }
        OrbMaterial.m_BoneWorldMatrix = &ObjectWorld;
        DrawLightsOn();
        ModelDrawSkinned(model, header);
    } else if (model->numBones == 0) {
        DrawLightsOn();
        u32 state = 0;
        for (s32 m = 0; m < model->numMeshes; ++m)
            state = ModelDrawMesh(model, &model->meshList[m], state, nullptr);
    } else if (header != nullptr) {
        const s32 numBones = std::min<s32>(model->numBones, header->numBones);
        for (s32 b = 0; b < numBones; ++b) {
            const s_hmatrix_bone& bone = header->boneList[b];
            const s32 meshId = model->boneList[b].meshId;
            if (meshId == -1 || (bone.flags & HBONE_FLAG_NO_DRAW))
                continue;
            DrawBoneMesh(model, meshId, bone.modelMatrix, bone.worldMatrix, header);
        }
    } else {
        for (s32 b = 0; b < model->numBones; ++b) {
            const s_hmatrix_bone_def& def = model->boneList[b];
            if (def.meshId == -1)
                continue;
            s_Matrix4 local;
            Matrix4MultMatrix4x4(&local, &def.localMatrix, world);
            DrawBoneMesh(model, def.meshId, def.localMatrix, local, nullptr);
        }
    }

    DrawPopMatrix();
    DrawLightsOff();
    OrbMaterial.SetMatrixList(nullptr);
    MSHTime += ClockGetHiresTimer(kMeshTimer);
}

void ModelDrawSkinned(s_model* model, s_hmatrix* header) {
    if (header == nullptr || ModelMatrixList == nullptr)
        return;
    const s32 count = std::min<s32>(header->numBones, s32(MODEL_MAX_BONES));
    for (s32 b = 0; b < count; ++b)
        ModelMatrixList[b] = header->boneList[b].modelMatrixInv;
    u32 state = 0;
    for (s32 m = 0; m < model->numMeshes; ++m)
        state = ModelDrawMesh(model, &model->meshList[m], state, header);
}
