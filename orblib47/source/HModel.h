// Hierarchical models: one animated instance of a model (or of a model group with
// levels of detail), with its world matrix, its posed bone hierarchy, up to two
// playing animation layers, collision spheres, link points, physics primitives and
// a draw instance. Updated at most once per game time by the placement calls,
// which run the whole frame pipeline.
#pragma once

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/PhysicsPrim.h"

struct s_collision_info;
struct s_link_point_info;
struct s_model_group;
struct s_stdrec;

// Hmodel flags.
constexpr u32 HMODEL_FLAG_DYNAMIC_VERTS = 0x01;  // the instance is used when it is redrawn
constexpr u32 HMODEL_FLAG_NEW = 0x04;            // created and not yet updated
constexpr u32 HMODEL_FLAG_ANIMATED = 0x08;       // an animation has been started on it
constexpr u32 HMODEL_FLAG_SCALED = 0x10;         // the world matrix carries a scale
constexpr u32 HMODEL_FLAG_LOD_BY_DISTANCE = 0x20;

enum e_ANIM_LAYER : s32 {
    ANIM_LAYER_PRIMARY = 0,
    ANIM_LAYER_SECONDARY = 1,
    ANIM_LAYER_COUNT = 3,  // the third is never played
};

// Second flag word of a layer: the owner steps the animation itself.
constexpr u32 HANIM_LAYER_MANUAL_UPDATE = 0x80000000u;

struct s_hanim_layer {
    u32 flags[2];
    s_hanim* hanim;  // null when idle
};

using HModelUpdateFunc = void (*)(struct s_hmodel* hmodel, void* parm);

struct s_hmodel {
    s_Matrix4 worldMatrix;
    s_collision_info* collisionInfo;  // null without collision spheres
    s_link_point_info* linkInfo;      // null without link points
    u32 flags;
    f32 lastTime;    // game time of the last update
    s_model* model;  // for a group, the current level of detail; one reference held
    s32 modelType;   // of a group: e_MODEL_TYPE
    s32 prevModel;   // index in the group of the model last chosen, -1 for none
    s_model_instance modelInstance;
    s_model_group* modelGroup;  // null for a single model
    s32 rootBone;
    s32 numBones;
    s_hanim_layer layer[ANIM_LAYER_COUNT];
    s_HANIM_ATTR* hanimAttr;  // the previous request for the next play; cleared by every play
    HAnimEventFunc hanimEventFunc;
    void* hanimEventRecord;
    HModelUpdateFunc updateFunc;
    void* updateParm;
    const s8* boneMaskTable;  // handed to the animation system while an animation starts
    void* hanimBuffer[3];     // work buffers owned by the hmodel
    s_hmatrix* hmatrix;
    s_flat_matrix* fmatrix;
    PhysicsPrim physicsPrim;
    u8 textureVariant;
};

extern s_stdrec* HModelRecords;
extern s_HANIM_ATTR HModelAnimAttr;  // the request every HModelPlayAnim fills

// --- HModel.cpp: the pool, loading and freeing

// A pool of hmodelCount records with room for boneCount bones each; 1 when made.
s32 HModelWarmReset(u32 hmodelCount, u32 boneCount);
// Null, after one line, when the pool is empty or the name is neither a model nor
// a group, or its bone hierarchy cannot be made.
s_hmodel* HModelLoad(const char* name, u32 flags);
s_hmodel* HModelLoadAtPos(const char* name, u32 flags, const s_Vector3* pos, const s_Vector3* rot);
void HModelFree(s_hmodel* hmodel);

// --- HModelUpdate.cpp: placement and the frame pipeline. Each placement call does
// nothing when the hmodel has already been updated at this game time.

void HModelUpdateMatrix(s_hmodel* hmodel, const s_Matrix4* matrix);
// Sets HMODEL_FLAG_SCALED unless every component lies within 0.001 of 1.
void HModelUpdateMatrixAndScale(s_hmodel* hmodel, const s_Matrix4* matrix, const s_Vector3* scale);
void HModelUpdatePosRot(s_hmodel* hmodel, const s_Vector3* pos, const s_Vector3* rot);
void HModelUpdatePosRotScale(s_hmodel* hmodel, const s_Vector3* pos, const s_Vector3* rot,
                             const s_Vector3* scale);
// Poses the bones under `matrix` at once: no animation, no level of detail, any time.
void HModelInitMatrix(s_hmodel* hmodel, const s_Matrix4* matrix);
void HModelUpdate(s_hmodel* hmodel);

// --- HModelAnim.cpp: animation layers

// Starts animation `num` on the primary layer, at speed `scale`. The first
// animation of an hmodel never blends. Null when it does not start.
s_hanim* HModelPlayAnim(s_hmodel* hmodel, u32 num, f32 scale, u32 dataFlags);
s_hanim* HModelPlayAnimFromBankAndId(s_hmodel* hmodel, s_hanim_header* anim, u32 num, f32 scale,
                                     u32 dataFlags, u32 sysFlags);
s_hanim* HModelPlayAnimLayer(s_hmodel* hmodel, u32 num, f32 scale, u32 flags, s32 layerId);
void HModelStopAnim(s_hmodel* hmodel);
void HModelStopAnimLayer(s_hmodel* hmodel, s32 layerId);
f32 HModelGetAnimScale(const s_hmodel* hmodel);
void HModelSetAnimScale(s_hmodel* hmodel, f32 scale);
f32 HModelGetAnimTime(const s_hmodel* hmodel);
void HModelSetAnimTime(s_hmodel* hmodel, f32 time);
void HModelSetAnimEventFunc(s_hmodel* hmodel, HAnimEventFunc func, void* record);
// The layer's root motion since it was last taken, in world axes; taking it resets
// it, so each delta is had once. Zero and identity for an idle layer.
void HModelGetExportLayer(s_hmodel* hmodel, s32 layerId, s_Vector3* deltaTrans, s_Matrix4* deltaRot);

// --- HModelGroup.cpp

// For an hmodel on a group: binds `model` as its `modelType` model, re-seating the
// hierarchy on the model's bones and rebuilding what hangs on them. 0, with nothing
// changed, without a group or a model, or for a model the buffers do not fit.
s32 HModelBindLod(s_hmodel* hmodel, s32 modelType, s_model* model);

// --- HModelDraw.cpp: drawing. Nothing without a bound model.

// Draws on the hmodel's own bones in its texture variant.
void HModelDraw(s_hmodel* hmodel);
// Draws on the parent's bones and world matrix, so the attachment follows the
// parent's skeleton; nothing without a parent.
void HModelDrawAttachment(s_hmodel* hmodel, s_hmodel* parent);
// Draws the current pose again under another matrix, without flat matrices.
void HModelReDraw(s_hmodel* hmodel, const s_Matrix4* world);
// The last step of the frame pipeline: the instance's vertices for the new pose.
void HModelUpdateVerts(s_hmodel* hmodel);
void HModelDebugDrawNormals(s_hmodel* hmodel);
// Each bone as a line to its parent with a marker at the bone.
void HModelDebugDrawBones(s_hmodel* hmodel);

// --- HModelBones.cpp: bones and visibility

// `boneId` with the top bit set is a symbol, translated first.
void HModelGetBonePosition(const s_hmodel* hmodel, u32 boneId, s_Vector3* pos);
const s_Matrix4* HModelGetBoneMatrix(const s_hmodel* hmodel, u32 boneId);
// DrawClipSphere's bits for the bounding sphere about the root bone (0: may be visible).
s32 HModelClip(const s_hmodel* hmodel);
void HModelSetTextureVariant(s_hmodel* hmodel, u8 index);
// Empty: morph channels give no targets on this platform.
void HModelStartMorph(s_hmodel* hmodel, f32 time);
void HModelAddMorphTarget(s_hmodel* hmodel, const s_hanim_morph* target);
