#include "orblib47/source/HModel.h"

#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/HModelInternal.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/Record.h"

s_stdrec* HModelRecords = nullptr;
s_HANIM_ATTR HModelAnimAttr{};

bool HModelBindModel(s_hmodel* hmodel, s_model* model, s32 maxBones, s32 maxMaterials) {
    hmodel->flags |= HMODEL_FLAG_LOD_BY_DISTANCE;
    hmodel->model = model;
    hmodel->numBones = model->numBones;
    hmodel->rootBone = model->rootBoneId;
    hmodel->modelType = 0;
    hmodel->hmatrix = HMatrixAllocEx(model->boneList, s16(maxBones), s16(model->numBones),
                                     s16(model->rootBoneId), model->boneRemapList);
    if (hmodel->hmatrix == nullptr) {
        DEBUG_PRINT("HMODEL: Unable to allocate HMATRIX structure\n");
        ModelFree(model);
        hmodel->model = nullptr;
        return false;
    }
    hmodel->fmatrix = FMatrixAlloc(u16(maxMaterials));
    HModelAttach(hmodel);
    return true;
}

void ModelHold(s_model* model) {
    ++model->dataEntry->refCount;
}

void HModelAttach(s_hmodel* hmodel) {
    s_model* model = hmodel->model;
    if (model->numCollisionSpheres > 0)
        hmodel->collisionInfo = CollisionLoad(model);
    if (model->numLinkPoints > 0)
        hmodel->linkInfo = LinkPointsLoad(model);
    hmodel->physicsPrim.Init(model);
    ModelLoadInstance(&hmodel->modelInstance, hmodel->model, 0);
}

void HModelDetach(s_hmodel* hmodel) {
    ModelFreeInstance(&hmodel->modelInstance);
    CollisionFree(hmodel->collisionInfo);
    hmodel->collisionInfo = nullptr;
    LinkPointsFree(hmodel->linkInfo);
    hmodel->linkInfo = nullptr;
    hmodel->physicsPrim.Deinit();
}

s32 HModelWarmReset(u32 hmodelCount, u32 boneCount) {
    HModelAnimAttr = {};
    // Each record reserves four bytes per bone beyond the hmodel; nothing uses them.
    HModelRecords = RecordCreate(hmodelCount, u32(sizeof(s_hmodel)) + 4 * boneCount);
    return HModelRecords != nullptr ? 1 : 0;
}

s_hmodel* HModelLoad(const char* name, u32 flags) {
    auto* hmodel = static_cast<s_hmodel*>(RecordAlloc(HModelRecords));
    if (hmodel == nullptr) {
        DEBUG_PRINT("HMODEL: Unable to allocate HMODEL record\n");
        return nullptr;
    }
    *hmodel = {};
    hmodel->worldMatrix = IDMatrix4;
    hmodel->flags = flags | HMODEL_FLAG_NEW;
    hmodel->prevModel = -1;
    if (s_model* model = ModelLoad(name, nullptr, 0)) {
        if (HModelBindModel(hmodel, model, model->numBones, model->numOrbMaterials))
            return hmodel;
    } else if (s_model_group* group = ModelGroupLoad(name, nullptr, 0)) {
        hmodel->modelGroup = group;
        if (HModelBindGroup(hmodel, group)) {
            HModelBindLod(hmodel, hmodel->modelType,
                          ModelGroupGetModelLod(group->groupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_NONE,
                                                &hmodel->prevModel));
            return hmodel;
        }
        ModelGroupFree(group);
        DEBUG_PRINT("HMODEL: Unable load model or model group %s\n", DebugName(name).c_str());
    } else {
        DEBUG_PRINT("HMODEL: Unable load model or model group %s\n", DebugName(name).c_str());
    }
    RecordFree(HModelRecords, hmodel);
    return nullptr;
}

s_hmodel* HModelLoadAtPos(const char* name, u32 flags, const s_Vector3* pos, const s_Vector3* rot) {
    s_hmodel* hmodel = HModelLoad(name, flags);
    if (hmodel != nullptr)
        HModelUpdatePosRot(hmodel, pos, rot);
    return hmodel;
}

void HModelFree(s_hmodel* hmodel) {
    if (hmodel == nullptr)
        return;
    HModelStopAnimLayer(hmodel, ANIM_LAYER_PRIMARY);
    HModelStopAnimLayer(hmodel, ANIM_LAYER_SECONDARY);
    HModelDetach(hmodel);
    HMatrixFree(hmodel->hmatrix);
    FMatrixFree(hmodel->fmatrix);
    // The bound model is held on its own, also when it came from a group.
    ModelFree(hmodel->model);
    ModelGroupFree(hmodel->modelGroup);
    for (void* buffer : hmodel->hanimBuffer)
        if (buffer != nullptr)
            HeapMallocFree(buffer);
    RecordFree(HModelRecords, hmodel);
}
