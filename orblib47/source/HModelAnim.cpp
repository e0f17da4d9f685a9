#include "orblib47/source/Debug.h"
#include "orblib47/source/HModel.h"

namespace {

void CheckLayer(const char* caller, s32 layerId) {
    ORB_ASSERT(layerId == ANIM_LAYER_PRIMARY || layerId == ANIM_LAYER_SECONDARY, "%s: Invalid layerId: %d.\n",
               caller, layerId);
}

// Keeps a started animation in its layer with the hmodel's event handler.
s_hanim* Started(s_hmodel* hmodel, s32 layerId, s_hanim* hanim) {
    if (hanim == nullptr)
        return nullptr;
    hmodel->layer[layerId].hanim = hanim;
    hmodel->flags |= HMODEL_FLAG_ANIMATED;
    HAnimSetEventFunc(hanim, hmodel->hanimEventFunc, hmodel->hanimEventRecord);
    return hanim;
}

}  // namespace

s_hanim* HModelPlayAnim(s_hmodel* hmodel, u32 num, f32 scale, u32 dataFlags) {
    HModelStopAnim(hmodel);
    // The first animation of an hmodel has no pose to blend from.
    if ((hmodel->flags & HMODEL_FLAG_ANIMATED) == 0)
        dataFlags &= ~u32(HANIM_FLAG_BLEND_STATIC | HANIM_FLAG_BLEND_DYNAMIC);
    HAnimBoneMaskTable = hmodel->boneMaskTable;
    HModelAnimAttr.animId = s32(num);
    HModelAnimAttr.flags = u16(dataFlags);
    HModelAnimAttr.speedScale = scale;
    s_hanim* hanim = HAnimPlayFromAttr(&HModelAnimAttr, hmodel->hanimAttr, hmodel->hmatrix,
                                       hmodel->hanimBuffer[0], hmodel->fmatrix, hmodel);
    hmodel->hanimAttr = nullptr;
    Started(hmodel, ANIM_LAYER_PRIMARY, hanim);
    HAnimBoneMaskTable = nullptr;
    return hanim;
}

s_hanim* HModelPlayAnimFromBankAndId(s_hmodel* hmodel, s_hanim_header* anim, u32 num, f32 scale,
                                     u32 dataFlags, u32 sysFlags) {
    HModelStopAnim(hmodel);
    if ((hmodel->flags & HMODEL_FLAG_ANIMATED) == 0)
        sysFlags |= HANIM_SYS_INIT;
    HAnimBoneMaskTable = hmodel->boneMaskTable;
    s_hanim* hanim = HAnimPlayFromBankAndId(anim, num, scale, u16(dataFlags), sysFlags, hmodel->hmatrix,
                                            hmodel->hanimBuffer[0], hmodel->fmatrix, hmodel);
    Started(hmodel, ANIM_LAYER_PRIMARY, hanim);
    HAnimBoneMaskTable = nullptr;
    return hanim;
}

s_hanim* HModelPlayAnimLayer(s_hmodel* hmodel, u32 num, f32 scale, u32 flags, s32 layerId) {
    CheckLayer("HModelPlayAnimLayer", layerId);
    HModelStopAnimLayer(hmodel, layerId);
    return Started(hmodel, layerId,
                   HAnimPlay(num, scale, u16(flags), 0, hmodel->hmatrix, nullptr, nullptr, hmodel));
}

void HModelStopAnim(s_hmodel* hmodel) {
    HModelStopAnimLayer(hmodel, ANIM_LAYER_PRIMARY);
}

void HModelStopAnimLayer(s_hmodel* hmodel, s32 layerId) {
    CheckLayer("HModelStopAnimLayer", layerId);
    s_hanim_layer& layer = hmodel->layer[layerId];
    if (layer.hanim == nullptr)
        return;
    HAnimStop(layer.hanim);
    layer.hanim = nullptr;
    layer.flags[1] &= ~HANIM_LAYER_MANUAL_UPDATE;
}

f32 HModelGetAnimScale(const s_hmodel* hmodel) {
    return HAnimGetScale(hmodel->layer[ANIM_LAYER_PRIMARY].hanim);
}

void HModelSetAnimScale(s_hmodel* hmodel, f32 scale) {
    HAnimSetScale(hmodel->layer[ANIM_LAYER_PRIMARY].hanim, scale);
}

f32 HModelGetAnimTime(const s_hmodel* hmodel) {
    return HAnimGetTime(hmodel->layer[ANIM_LAYER_PRIMARY].hanim);
}

void HModelSetAnimTime(s_hmodel* hmodel, f32 time) {
    if (s_hanim* hanim = hmodel->layer[ANIM_LAYER_PRIMARY].hanim)
        HAnimSetTime(hanim, hmodel->hmatrix, time, hmodel->fmatrix);
}

void HModelSetAnimEventFunc(s_hmodel* hmodel, HAnimEventFunc func, void* record) {
    hmodel->hanimEventFunc = func;
    hmodel->hanimEventRecord = record;
    HAnimSetEventFunc(hmodel->layer[ANIM_LAYER_PRIMARY].hanim, func, record);
}

void HModelGetExportLayer(s_hmodel* hmodel, s32 layerId, s_Vector3* deltaTrans, s_Matrix4* deltaRot) {
    CheckLayer("HModelGetExportLayer", layerId);
    s_hanim* hanim = hmodel->layer[layerId].hanim;
    if (hanim == nullptr) {
        *deltaTrans = {};
        *deltaRot = IDMatrix4;
        return;
    }
    // Turned by the world matrix's rotation and scale, not moved by its translation.
    Matrix4RotPoints(&hmodel->worldMatrix, deltaTrans, &hanim->exportTrans, 1);
    hanim->exportTrans = {};
    *deltaRot = hanim->exportMatrix;
    hanim->exportMatrix = IDMatrix4;
}
