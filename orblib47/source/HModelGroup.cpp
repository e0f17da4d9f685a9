#include <algorithm>

#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/HModelInternal.h"
#include "orblib47/source/ModelGroup.h"

namespace {

// The hierarchy and the flat matrices were sized at binding for the models loaded
// then; a model streamed in later may not fit them.
bool Fits(const s_hmodel* hmodel, const s_model* model) {
    return model->numBones <= hmodel->hmatrix->maxBones &&
           (hmodel->fmatrix == nullptr || model->numOrbMaterials <= hmodel->fmatrix->numBones);
}

}  // namespace

bool HModelBindGroup(s_hmodel* hmodel, s_model_group* group) {
    ModelGroupPreload(group);
    s32 maxBones = 0, maxMaterials = 0;
    for (s32 i = 0; i < group->numModels; ++i) {
        if (const s_model* model = group->models[i].model) {
            maxBones = std::max(maxBones, model->numBones);
            maxMaterials = std::max(maxMaterials, model->numOrbMaterials);
        }
    }
    s_model* model = ModelGroupFindModel(group->groupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_NONE);
    if (model == nullptr)
        return false;
    ModelHold(model);
    return HModelBindModel(hmodel, model, maxBones, maxMaterials);
}

s32 HModelBindLod(s_hmodel* hmodel, s32 modelType, s_model* model) {
    if (hmodel->modelGroup == nullptr || model == nullptr)
        return 0;
    if (!Fits(hmodel, model)) {
        DEBUG_PRINT("HMODEL: model of %d bones and %d materials does not fit the hierarchy\n",
                    model->numBones, model->numOrbMaterials);
        return 0;
    }
    s_hmatrix* hmatrix = hmodel->hmatrix;
    const s16 numBones = hmatrix->numBones, rootBone = hmatrix->rootBone;
    hmatrix->numBones = s16(model->numBones);
    hmatrix->rootBone = s16(model->rootBoneId);
    if (!HMatrixInit(hmatrix, model->boneList)) {
        hmatrix->numBones = numBones;
        hmatrix->rootBone = rootBone;
        return 0;
    }
    hmatrix->boneRemapList = model->boneRemapList;
    // Everything hung on the bones is rebuilt on the new model's bones.
    HModelDetach(hmodel);
    ModelHold(model);
    ModelFree(hmodel->model);
    hmodel->model = model;
    hmodel->numBones = model->numBones;
    hmodel->rootBone = model->rootBoneId;
    hmodel->modelType = modelType;
    HModelAttach(hmodel);
    return 1;
}

void HModelChooseLod(s_hmodel* hmodel) {
    s_model_group* group = hmodel->modelGroup;
    const auto type = e_MODEL_TYPE(hmodel->modelType);
    s_model* model = nullptr;
    if ((hmodel->flags & HMODEL_FLAG_LOD_BY_DISTANCE) != 0) {
        const s_Matrix4& world = hmodel->worldMatrix;
        const s_Vector3 pos{world.element[3], world.element[7], world.element[11], 0.0f};
        model = ModelGroupGetModel(group->groupId, type, MODEL_SUB_TYPE_NONE, &pos, &hmodel->prevModel);
    } else {
        model = ModelGroupGetModelLod(group->groupId, type, MODEL_SUB_TYPE_NONE, &hmodel->prevModel);
    }
    if (model != hmodel->model)
        HModelBindLod(hmodel, hmodel->modelType, model);
}
