#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"
#include "orblib47/source/Bone.h"

namespace {

constexpr u32 kChanged = FBONE_FLAG_QUAT_CHANGED | FBONE_FLAG_TRANS_CHANGED | FBONE_FLAG_SCALE_CHANGED;

}  // namespace

void HAnimWriteFlatBone(const s_hchannel* channel, HAnimKind kind, s_flat_bone* bone) {
    const s_Vector4& v = channel->currentData;
    switch (kind) {
        case HAnimKind::Rotation:
            bone->quatSys.quat = HAnimQuat(v);
            bone->flags |= FBONE_FLAG_QUAT_CHANGED;
            break;
        case HAnimKind::Translation:
            bone->quatSys.trans = HAnimVector3(v);
            bone->flags |= FBONE_FLAG_TRANS_CHANGED;
            break;
        case HAnimKind::Scale:
            bone->quatSys.scale = HAnimVector3(v);
            bone->flags |= FBONE_FLAG_SCALE_CHANGED;
            break;
        case HAnimKind::Other:
            return;
    }
    if ((bone->flags & kChanged) != kChanged)
        return;
    bone->flags = (bone->flags & ~kChanged) | FBONE_FLAG_VALID;
    QuatCoordSysToMatrix4WithRotationOffset(&bone->matrix, &bone->quatSys);
}

void QuatCoordSysToMatrix4WithRotationOffset(s_Matrix4* mat, const s_QuatCoordSys* qsys) {
    Matrix4CreateScale(mat, qsys->scale.x, qsys->scale.y, qsys->scale.z, 1.0f);
    mat->element[3] += qsys->trans.x;
    mat->element[7] += qsys->trans.y;
    mat->element[11] += qsys->trans.z;
}
