#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/SymbolTrans.h"

namespace {

const s_hmatrix_bone& Bone(const s_hmodel* hmodel, u32 boneId, const char* caller) {
    ORB_ASSERT(hmodel != nullptr, "%s: hmodel == NULL!\n", caller);
    if ((boneId & 0x80000000u) != 0)
        SymbolTransLookup(boneId & 0x7FFFFFFFu, &boneId);
    ORB_ASSERT(boneId < u32(hmodel->hmatrix->numBones), "%s: boneId out of range!\n", caller);
    return hmodel->hmatrix->boneList[boneId];
}

}  // namespace

void HModelGetBonePosition(const s_hmodel* hmodel, u32 boneId, s_Vector3* pos) {
    const s_Matrix4& world = Bone(hmodel, boneId, "HModelGetBonePosition").worldMatrix;
    *pos = {world.element[3], world.element[7], world.element[11], 0.0f};
}

const s_Matrix4* HModelGetBoneMatrix(const s_hmodel* hmodel, u32 boneId) {
    return &Bone(hmodel, boneId, "HModelGetBoneMatrix").worldMatrix;
}

s32 HModelClip(const s_hmodel* hmodel) {
    const s_model* model = hmodel->model;
    const s_Matrix4& world = hmodel->worldMatrix;
    s_Vector3 centre{world.element[3] + model->centerOffset.x, world.element[7] + model->centerOffset.y,
                     world.element[11] + model->centerOffset.z, 0.0f};
    if (hmodel->hmatrix->numBones > 0) {
        const s_Matrix4& root = hmodel->hmatrix->boneList[hmodel->hmatrix->rootBone].localMatrix;
        centre.x += root.element[3];
        centre.y += root.element[7];
        centre.z += root.element[11];
    }
    return DrawClipSphere(&centre, model->radius);
}

void HModelSetTextureVariant(s_hmodel* hmodel, u8 index) {
    hmodel->textureVariant = index;
}

void HModelStartMorph(s_hmodel*, f32) {}

void HModelAddMorphTarget(s_hmodel*, const s_hanim_morph*) {}
