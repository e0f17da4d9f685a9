#include "orblib47/source/Bone.h"

namespace {

// Visits `first`, its siblings and everything below them, parents before children,
// without recursion: a checked hierarchy's parent links lead back up, and the walk
// climbs no higher than where it went down. `visit(bone, parent)` gets a null
// parent for the bones of the first chain.
template <typename Visit>
void WalkBones(s_hmatrix_bone* first, Visit visit) {
    s_hmatrix_bone* bone = first;
    s32 depth = 0;
    while (bone != nullptr) {
        visit(bone, depth == 0 ? nullptr : bone->parent);
        if (bone->child != nullptr) {
            bone = bone->child;
            ++depth;
            continue;
        }
        while (bone->sibling == nullptr && depth > 0) {
            bone = bone->parent;
            --depth;
        }
        bone = bone->sibling;
    }
}

// Model, skinning and world matrices of one bone from its rebuilt local matrix.
void BuildBone(s_hmatrix_bone* bone, const s_Matrix4* parentModel, const s_Matrix4* parentWorld) {
    Matrix4MultMatrix3x4(&bone->modelMatrix, &bone->localMatrix, parentModel);
    Matrix4MultMatrix4x4(&bone->modelMatrixInv, bone->baseModel2BoneMatrix, &bone->modelMatrix);
    Matrix4MultMatrix3x4(&bone->worldMatrix, &bone->localMatrix, parentWorld);
}

template <typename Pose>
void Build(s_hmatrix_bone* first, const s_Matrix4* model, const s_Matrix4* world, Pose pose) {
    WalkBones(first, [&](s_hmatrix_bone* bone, const s_hmatrix_bone* parent) {
        pose(bone);
        BuildBone(bone, parent != nullptr ? &parent->modelMatrix : model,
                  parent != nullptr ? &parent->worldMatrix : world);
    });
}

// Clears `bit`; true when it was set.
bool TakeFlag(u32& flags, u32 bit) {
    const bool was = (flags & bit) != 0;
    flags &= ~bit;
    return was;
}

void BindRotation(s_Quaternion* q, const s_hmatrix_bone* bone) {
    Matrix4ToQuat(q, bone->baseLocalMatrix);
}

void BindTranslation(s_Vector3* t, const s_hmatrix_bone* bone) {
    const s_Matrix4& m = *bone->baseLocalMatrix;
    *t = {m.element[3], m.element[7], m.element[11], 0.0f};
}

// The start of a gradual reset: the current pose is the snapshot, the bind pose the goal.
void TakeResetSnapshot(s_hmatrix* hmatrix) {
    for (s_hmatrix_bone* bone = hmatrix->boneList; bone != hmatrix->boneList + hmatrix->numBones; ++bone) {
        bone->blendQuatSys = bone->localQuatSys;
        BindRotation(&bone->resetQuatSys.quat, bone);
        BindTranslation(&bone->resetQuatSys.trans, bone);
        bone->resetQuatSys.scale = IDVector3;
    }
}

// An instant reset: what no channel wrote this frame snaps to the bind pose.
void SnapToBindPose(s_hmatrix* hmatrix) {
    for (s_hmatrix_bone* bone = hmatrix->boneList; bone != hmatrix->boneList + hmatrix->numBones; ++bone) {
        if ((bone->flags & HBONE_FLAG_QUAT_CHANGED) == 0)
            BindRotation(&bone->localQuatSys.quat, bone);
        if ((bone->flags & HBONE_FLAG_TRANS_CHANGED) == 0)
            BindTranslation(&bone->localQuatSys.trans, bone);
        if ((bone->flags & HBONE_FLAG_SCALE_CHANGED) == 0)
            bone->localQuatSys.scale = IDVector3;
        bone->flags |= HBONE_FLAGS_CHANGED;
    }
}

}  // namespace

void HMatrixBuildMatrices(s_hmatrix_bone* first, const s_Matrix4* parentModel, const s_Matrix4* parentWorld) {
    Build(first, parentModel, parentWorld, [](s_hmatrix_bone* bone) {
        if ((bone->flags & HBONE_FLAGS_CHANGED) == 0)
            return;
        bone->flags &= ~HBONE_FLAGS_CHANGED;
        QuatCoordSysToMatrix4(&bone->localMatrix, &bone->localQuatSys);
    });
}

void HMatrixBuildMatricesReset(s_hmatrix_bone* first, const s_Matrix4* modelMatrix,
                               const s_Matrix4* worldMatrix, f32 pct) {
    Build(first, modelMatrix, worldMatrix, [pct](s_hmatrix_bone* bone) {
        s_QuatCoordSys& pose = bone->localQuatSys;
        if (!TakeFlag(bone->flags, HBONE_FLAG_QUAT_CHANGED))
            QuatSlerp(&pose.quat, &bone->blendQuatSys.quat, &bone->resetQuatSys.quat, pct);
        if (!TakeFlag(bone->flags, HBONE_FLAG_TRANS_CHANGED))
            Vect3Interpolate(&pose.trans, &bone->blendQuatSys.trans, &bone->resetQuatSys.trans, pct);
        if (!TakeFlag(bone->flags, HBONE_FLAG_SCALE_CHANGED))
            Vect3Interpolate(&pose.scale, &bone->blendQuatSys.scale, &bone->resetQuatSys.scale, pct);
        QuatCoordSysToMatrix4(&bone->localMatrix, &pose);
    });
}

void HMatrixUpdateMatrices(s_hmatrix* hmatrix, const s_Matrix4* modelMatrix, const s_Matrix4* worldMatrix) {
    if (hmatrix->numBones <= 0)
        return;
    s_hmatrix_bone* root = &hmatrix->boneList[hmatrix->rootBone];
    u32& flags = hmatrix->flags;
    if ((flags & HMATRIX_FLAG_RESET) != 0 && (flags & (HMATRIX_FLAG_RESET_INIT | HMATRIX_FLAG_BLEND)) != 0) {
        if ((flags & HMATRIX_FLAG_RESET_INIT) == 0) {
            flags |= HMATRIX_FLAG_RESET_INIT;
            TakeResetSnapshot(hmatrix);
        }
        HMatrixBuildMatricesReset(root, modelMatrix, worldMatrix, hmatrix->blendPercent);
        if (hmatrix->blendPercent >= 1.0f)
            flags &= ~(HMATRIX_FLAG_RESET | HMATRIX_FLAG_BLEND | HMATRIX_FLAG_RESET_INIT);
        return;
    }
    if ((flags & HMATRIX_FLAG_RESET) != 0) {
        flags &= ~(HMATRIX_FLAG_RESET | HMATRIX_FLAG_RESET_INIT);
        SnapToBindPose(hmatrix);
    }
    HMatrixBuildMatrices(root, modelMatrix, worldMatrix);
}

void HMatrixUpdateMatrix(s_hmatrix* hmatrix, const s_Matrix4* world) {
    HMatrixUpdateMatrices(hmatrix, &IDMatrix4, world);
    hmatrix->flags |= HMATRIX_FLAG_VALID;
}
