#include "orblib47/source/ModelGroup.h"

#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ModelGroupInternal.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "GRP";

}  // namespace

void* WadLoadModelGroup(s_wad_header* header, void* payload) {
    return ModelGroupLoad(header->name, payload, header->size);
}

void WadFreeModelGroup(void* data) {
    ModelGroupFree(static_cast<s_model_group*>(data));
}

s_model_group* ModelGroupLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<s_model_group*>(shared);
    if (data == nullptr)
        return nullptr;
    s_model_group* group =
        name != nullptr ? ModelGroupParseChunk(name, static_cast<u8*>(data), size) : nullptr;
    if (group == nullptr) {
        HeapMallocFree(data);
        return nullptr;
    }
    // The names are read in place: the chunk stays with the entry.
    s_DATA_ENTRY* entry = DataLoad(name, kType, data, -1);
    if (entry == nullptr) {
        HeapMallocFree(group);
        HeapMallocFree(data);
        return nullptr;
    }
    entry->record = group;
    group->dataEntry = entry;
    ModelGroupPreload(group);
    return group;
}

void ModelGroupFree(s_model_group* group) {
    if (group == nullptr)
        return;
    s_DATA_ENTRY* entry = group->dataEntry;
    if (DataRemoveCheck(entry)) {
        for (s32 i = 0; i < group->numModels; ++i)
            ModelGroupRelease(&group->models[i]);
        HeapMallocFree(group);
    }
    DataRemove(entry);
}

void ModelGroupPreload(s_model_group* group) {
    for (s32 i = 0; i < group->numModels; ++i) {
        s_model_def& def = group->models[i];
        if (def.wadIndex == -1 && def.model == nullptr)
            def.model = ModelLoad(def.name, nullptr, 0);
    }
}

s_model_group* ModelGroupFind(u32 groupId) {
    s_DATA_ENTRY* entry = DataGetEntry(groupId);
    if (entry == nullptr || entry->record == nullptr ||
        std::strncmp(entry->type, kType, DATA_TYPE_LENGTH) != 0)
        return nullptr;
    return static_cast<s_model_group*>(entry->record);
}

s_model* ModelGroupGet(u32 groupId, s32 index) {
    s_model_group* group = ModelGroupFind(groupId);
    if (group == nullptr || index < 0 || index >= group->numModels)
        return nullptr;
    return group->models[index].model;
}

s_model* ModelGroupFindModel(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType) {
    s_model_group* group = ModelGroupFind(groupId);
    if (group == nullptr)
        return nullptr;
    for (s32 i = 0; i < group->numModels; ++i) {
        if (group->models[i].type == type && group->models[i].subType == subType)
            return group->models[i].model;
    }
    return nullptr;
}

s32 ModelGroupGetCurrent(s_model_group* group, s_model_def** def) {
    *def = &group->models[group->index];
    return group->index;
}
