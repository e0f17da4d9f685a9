#include <algorithm>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"

namespace {

constexpr s16 kMotionBone = 1;

// Moves what bone 1 did since the last update into the export fields and leaves the
// bone at the identity rotation and the origin, so the object moves instead.
void ExportRootMotion(s_hanim* hanim, s_hmatrix* hmatrix) {
    if (hmatrix->numBones <= kMotionBone)
        return;
    s_hmatrix_bone& bone = hmatrix->boneList[kMotionBone];
    if ((hanim->sysFlags & HANIM_SYS_LOOPED) != 0) {
        hanim->lastExportMatrix = IDMatrix4;
        hanim->lastExportTrans = {};
    }
    // Undoes the previous rotation, so the translation is measured in its frame.
    s_Matrix4 back = IDMatrix4;
    if ((bone.flags & HBONE_FLAG_QUAT_CHANGED) != 0) {
        Matrix4TrueTranspose(&back, &hanim->lastExportMatrix);
        s_Matrix4 now = IDMatrix4;
        QuatToMatrix4(&now, &bone.localQuatSys.quat);
        hanim->lastExportMatrix = now;
        Matrix4MultMatrix4x4(&hanim->exportMatrix, &back, &now);
        bone.localQuatSys.quat = IDQuaternion;
    }
    if ((bone.flags & HBONE_FLAG_TRANS_CHANGED) != 0) {
        const s_Vector3& trans = bone.localQuatSys.trans;
        const s_Vector3& last = hanim->lastExportTrans;
        const s_Vector3 moved = {trans.x - last.x, trans.y - last.y, trans.z - last.z, 0.0f};
        Matrix4RotPoints(&back, &hanim->exportTrans, &moved, 1);
        hanim->lastExportTrans = trans;
        bone.localQuatSys.trans = {};
    }
}

bool StaticBlendRuns(const s_hanim* hanim) {
    return hanim->blendTimer < hanim->blendTime;
}

}  // namespace

void HAnimUpdate(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix) {
    if (hanim == nullptr || (hanim->flags & HANIM_FLAG_PAUSE) != 0 || (hanim->sysFlags & HANIM_SYS_DONE) != 0)
        return;
    if ((hanim->flags & HANIM_FLAG_FREEZE_TIME) == 0)
        HAnimUpdateTime(hanim, hmatrix);
    if ((hanim->flags & HANIM_FLAG_ADD) != 0)
        HAnimUpdateAdd(hanim, hmatrix, texMatrix);
    else if (hanim->dynamicBlendPercent != 0.0f)
        HAnimUpdateDynamicBlend(hanim, hmatrix, texMatrix);
    else if (StaticBlendRuns(hanim))
        HAnimUpdateStaticBlend(hanim, hmatrix, hmatrix->blendPercent, texMatrix);
    else
        HAnimUpdateNormal(hanim, hmatrix, texMatrix);
    ExportRootMotion(hanim, hmatrix);
}

f32 HAnimSetTime(s_hanim* hanim, s_hmatrix* header, f32 time, s_flat_matrix* texMatrix) {
    if (hanim == nullptr)
        return 0.0f;
    const f32 old = hanim->time;
    hanim->time = time;
    // Loop points still move on the way; pauses and callbacks wait for real play.
    HAnimFastForward = 1;
    if (hanim->dynamicBlendPercent != 0.0f)
        HAnimUpdateDynamicBlend(hanim, header, texMatrix);
    else if (StaticBlendRuns(hanim))
        HAnimUpdateStaticBlend(hanim, header, hanim->blendTimer / hanim->blendTime, texMatrix);
    else
        HAnimUpdateNormal(hanim, header, texMatrix);
    HAnimFastForward = 0;
    return old;
}

s32 HAnimGetMorphTargets(s_hanim_morph* morphs, f32* time) {
    // Morph channels produce no targets.
    if (morphs != nullptr)
        std::fill_n(morphs, HANIM_MAX_MORPHS, s_hanim_morph{});
    if (time != nullptr)
        *time = 0.0f;
    return 0;
}
