// Model groups: up to eight models that stand for one thing (its levels of detail
// and damaged states, each possibly a shadow variant), loaded from one "GRP" chunk
// and shared by name. A caller asks for a model by type and camera distance; a
// model missing from the group's archive leaves the previous or a lower loaded
// model in use.
#pragma once

#include "orblib47/source/Model.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_wad;
struct s_wad_status;

constexpr s32 MODEL_GROUP_MAX_MODELS = 8;

enum e_GROUP_TYPE : s32 {
    GROUP_TYPE_OBJECT = 0,
    GROUP_TYPE_WORLD = 1,
};

enum e_MODEL_TYPE : s32 {
    MODEL_TYPE_NORMAL = 0,
    MODEL_TYPE_DAMAGE0 = 1,
    MODEL_TYPE_DAMAGE7 = 8,
};

enum e_MODEL_SUB_TYPE : s32 {
    MODEL_SUB_TYPE_NONE = 0,
    MODEL_SUB_TYPE_SHADOW = 1,
};

enum e_LOD_LEVEL : s32 {
    LOD_LEVEL0 = 0,
    LOD_LEVEL7 = 7,
};

// One model of a group. The links, time stamp, model and archive slots are run-time
// state and start empty, whatever the chunk holds.
struct s_model_def {
    s_model_def* next;  // least-recently-used list
    s_model_def* prev;
    f32 timeStamp;  // GameTime of the last use
    u32 modelId;
    const char* name;  // the registry name of its "VHM" chunk, in the chunk data
    e_MODEL_TYPE type;
    e_MODEL_SUB_TYPE subType;
    e_LOD_LEVEL lodLevel;
    f32 lodMinDist;  // the nearest camera distance at which it may be chosen
    f32 lodMaxDist;
    u32 flags;
    s32 wadIndex;  // -1: registered with the group's archive
    s_model* model;
    s_wad* wad;
    s_wad_status* wadStatus;
};

struct s_model_group {
    s_DATA_ENTRY* dataEntry;
    s32 numModels;
    u32 groupId;  // data-file id of the group, symbols translated at load
    s32 index;    // the definition last chosen
    e_GROUP_TYPE type;
    const char* name;
    s_model_def models[MODEL_GROUP_MAX_MODELS];
};

// --- ModelGroupChunk.cpp

// The first group of a "GRP" chunk as a native record pointing into `data`; null,
// after one line, for a bad chunk.
s_model_group* ModelGroupParseChunk(const char* name, const u8* data, u32 size);

// --- ModelGroup.cpp

// The "GRP" loader: shares a registered group (freeing `data`), else parses `data`
// (freed on failure) and loads the models that come with the group's archive.
s_model_group* ModelGroupLoad(const char* name, void* data, u32 size);
void ModelGroupFree(s_model_group* group);
void ModelGroupPreload(s_model_group* group);
// The group registered under a data-file id, or null.
s_model_group* ModelGroupFind(u32 groupId);
s_model* ModelGroupGet(u32 groupId, s32 index);
// The first definition's model of that type and sub-type, loaded or not; loads nothing.
s_model* ModelGroupFindModel(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType);
s32 ModelGroupGetCurrent(s_model_group* group, s_model_def** def);

// --- ModelGroupStream.cpp

// The request pool, the least-recently-used list and the task that completes
// background reads and evicts streamed models when the data heap runs low.
e_error_code ModelGroupWarmReset();
// 1 while a background read of a model is pending.
s32 ModelGroupLoading();

// --- ModelGroupChoose.cpp

// The first definition in file order of that type and sub-type whose lodMinDist
// the camera's distance from `pos` reaches; while its model is missing, the one
// of *prevIndex, else the nearest lower loaded one of the same type, else
// definition 0's. *prevIndex receives the index chosen (-1 for definition 0's
// fallback).
s_model* ModelGroupGetModel(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType, const s_Vector3* pos,
                            s32* prevIndex);
// The same by type and sub-type only; null when no definition has them. Its lower
// fallback takes any type.
s_model* ModelGroupGetModelLod(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType, s32* prevIndex);
