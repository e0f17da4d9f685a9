// Bone hierarchies: a model's skeleton posed once per frame into each bone's local,
// model, world and skinning matrices, with the return to the bind pose that starts a
// new animation. Flat matrices hold one texture matrix per material of an instance.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// One skeleton entry of a model; the model loader fills these from its chunk. Ids
// are bone indices, -1 for none.
struct s_hmatrix_bone_def {
    s_Matrix4 localMatrix;       // bind pose relative to the parent bone
    s_Matrix4 model2BoneMatrix;  // model space into the bone's bind-pose space
    s16 flags;                   // initial bone flags
    s16 parentId;
    s16 siblingId;  // next bone with the same parent
    s16 childId;    // first child
    s16 meshId;
    s16 boneId;
};

// u_hmatrix_flags
constexpr u32 HMATRIX_FLAG_VALID = 0x80000000u;       // built since the word was last reset
constexpr u32 HMATRIX_FLAG_RESET = 0x40000000u;       // return unanimated bones to the bind pose
constexpr u32 HMATRIX_FLAG_BLEND = 0x20000000u;       // ... gradually, by blendPercent
constexpr u32 HMATRIX_FLAG_RESET_INIT = 0x10000000u;  // the gradual reset has its snapshot
constexpr u32 HMATRIX_FLAG_NO_DRAW_OR = 0x08000000u;

// u_hbone_flags
constexpr u32 HBONE_FLAG_QUAT_CHANGED = 0x80000000u;  // written this frame: rebuild localMatrix
constexpr u32 HBONE_FLAG_TRANS_CHANGED = 0x40000000u;
constexpr u32 HBONE_FLAG_SCALE_CHANGED = 0x20000000u;
constexpr u32 HBONE_FLAG_NO_DRAW = 0x10000000u;
constexpr u32 HBONE_FLAG_IN_ACTIVE = 0x08000000u;  // animation channels leave the bone alone
constexpr u32 HBONE_FLAGS_CHANGED =
    HBONE_FLAG_QUAT_CHANGED | HBONE_FLAG_TRANS_CHANGED | HBONE_FLAG_SCALE_CHANGED;

struct s_hmatrix_bone {
    s_Matrix4 localMatrix;
    s_Matrix4 worldMatrix;
    s_Matrix4 modelMatrix;
    s_Matrix4 modelMatrixInv;  // skinning: bind-pose model space to posed model space
    s_QuatCoordSys localQuatSys;
    s_QuatCoordSys lastLocalQuatSys;  // local rotation before an additive layer
    s_QuatCoordSys resetQuatSys;      // bind pose a gradual reset heads for
    s_QuatCoordSys blendQuatSys;      // pose a gradual reset starts from
    const s_Matrix4* baseLocalMatrix;
    const s_Matrix4* baseModel2BoneMatrix;
    u32 flags;
    s_hmatrix_bone* parent;
    s_hmatrix_bone* sibling;
    s_hmatrix_bone* child;
};

// One heap block: this header, then room for maxBones bones.
struct s_hmatrix {
    u32 flags;
    s16 numBones;
    s16 rootBone;  // every build starts here
    s16 maxBones;  // bones the block has room for
    f32 blendPercent;
    const s8* boneRemapList;  // the creator's; kept for drawing
    s_hmatrix_bone* boneList;
};

// u_fbone_flags
constexpr u32 FBONE_FLAG_QUAT_CHANGED = 0x80000000u;
constexpr u32 FBONE_FLAG_TRANS_CHANGED = 0x40000000u;
constexpr u32 FBONE_FLAG_SCALE_CHANGED = 0x20000000u;
constexpr u32 FBONE_FLAG_VALID = 0x10000000u;

struct s_flat_bone {
    s_QuatCoordSys quatSys;
    s_Matrix4 matrix;
    u32 flags;
};

struct s_flat_matrix {
    u16 numBones;
    s_flat_bone* boneList;
};

constexpr u32 FMATRIX_MAX_RECORDS = 200;

// True when the definitions form a forest that can be walked from `rootBone`: every
// id in range, a child's parent is the bone that lists it, siblings share a parent,
// no bone is linked to twice, and neither links nor parents loop. A bad one gets a
// one-line error. Model loaders check their skeletons with this once.
bool HMatrixCheckBones(const s_hmatrix_bone_def* bones, s32 numBones, s32 rootBone);

// Null when the heap has no room or the definitions fail HMatrixCheckBones. Without
// definitions the bones are identity siblings of one another.
s_hmatrix* HMatrixAlloc(const s_hmatrix_bone_def* bones, s16 numBones, s16 rootBone, const s8* boneRemap);
// Room for maxBones bones, numBones of them used.
s_hmatrix* HMatrixAllocEx(const s_hmatrix_bone_def* bones, s16 maxBones, s16 numBones, s16 rootBone,
                          const s8* boneRemap);
void HMatrixFree(s_hmatrix* hmatrix);
// (Re)seats every bone on the definitions (which must outlive the hierarchy) for the
// hierarchy's numBones and rootBone. False, with the bones as they were, when they
// do not fit the block or fail HMatrixCheckBones.
bool HMatrixInit(s_hmatrix* hmatrix, const s_hmatrix_bone_def* bones);

// Builds every matrix from the root with identity as the parent model matrix and
// `world` as the parent world matrix, then marks the hierarchy valid.
void HMatrixUpdateMatrix(s_hmatrix* hmatrix, const s_Matrix4* world);
// One frame's build, carrying out a pending reset to the bind pose.
void HMatrixUpdateMatrices(s_hmatrix* hmatrix, const s_Matrix4* modelMatrix, const s_Matrix4* worldMatrix);
// Builds `first`, its siblings and everything below them.
void HMatrixBuildMatrices(s_hmatrix_bone* first, const s_Matrix4* parentModel, const s_Matrix4* parentWorld);
// The same, moving every bone no channel wrote this frame from its snapshot towards
// the bind pose by pct (0..1).
void HMatrixBuildMatricesReset(s_hmatrix_bone* first, const s_Matrix4* modelMatrix,
                               const s_Matrix4* worldMatrix, f32 pct);

void FMatrixWarmReset();
// Null when all FMATRIX_MAX_RECORDS headers are out or the heap has no room.
s_flat_matrix* FMatrixAlloc(u16 numBones);
void FMatrixFree(s_flat_matrix* header);
