#include "orblib47/source/Model.h"

#include "orblib47/source/Anim.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/ModelInternal.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "VHM";
constexpr const char* kTextureType = "TIM";
constexpr u32 kHeapDisplayColour = 0x8080ffffu;

u32 ModelDrawFilter = MODEL_DRAW_FILTER_DEFAULT;

// A texture not yet registered is read from an open table of contents into the
// extra heap; either way the model holds one reference of its own.
s_texture* LoadTexture(const char* name) {
    if (TextureFind(name) == nullptr) {
        if (s_wad_toc* toc = WadFindToc(name, kTextureType)) {
            HeapPush(&ExtraHeap);
            WadReadData(toc, name, kTextureType);
            HeapPop();
        }
    }
    return TextureLoad(name);
}

// Shininess at most 1 gives no highlight; glowing materials draw in the alpha
// pass; a material in neither pass draws opaque. A mesh gathers the flags of the
// materials it selects, and opaque for a selection past the list.
void FixMaterialFlags(s_model* model) {
    model->materialFlags = MATERIAL_FLAG_HAS_SPECULAR;
    for (s32 i = 0; i < model->numOrbMaterials; ++i) {
        s_ORB_MATERIAL& material = model->orbMaterialList[i];
        if (material.shininess <= 1.0f) {
            material.shininess = 0.0f;
            material.flags &= ~MATERIAL_FLAG_HAS_SPECULAR;
        }
        if (material.mode == MATERIAL_MODE_GLOW || material.mode == MATERIAL_MODE_GLOW_NO_LIGHTING)
            material.flags = (material.flags & ~MATERIAL_FLAG_HAS_OPAQUE) | MATERIAL_FLAG_HAS_ALPHA;
        if ((material.flags & (MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE)) == 0)
            material.flags |= MATERIAL_FLAG_HAS_OPAQUE;
        model->materialFlags |= material.flags;
    }
    for (s32 i = 0; i < model->numMeshes; ++i) {
        s_model_mesh& mesh = model->meshList[i];
        for (u32 k = 0; k < mesh.numCommands; ++k) {
            const s_model_command command = ModelCommandAt(mesh.commands, k);
            if (command.type != MODEL_CMD_MATERIAL)
                continue;
            mesh.materialFlags |= command.parm8 < model->numOrbMaterials
                                      ? model->orbMaterialList[command.parm8].flags
                                      : MATERIAL_FLAG_HAS_OPAQUE;
        }
    }
}

}  // namespace

void* WadLoadModel(s_wad_header* header, void* payload) {
    return ModelLoad(header->name, payload, header->size);
}

void WadFreeModel(void* data) {
    ModelFree(static_cast<s_model*>(data));
}

void ModelWarmReset() {
    ModelDrawFilter = MODEL_DRAW_FILTER_DEFAULT;
    gxprj = IDMatrix4;  // no stencil pass projects through the last run's matrix
    ModelHardwareWarmReset();
    MemTypeAddDebugDisplay("MEM_MODEL", kHeapDisplayColour);
}

s_model* ModelLoad(const char* name, void* buffer, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, buffer, &registered);
    if (registered)
        return static_cast<s_model*>(shared);
    if (buffer == nullptr)
        return nullptr;
    s_model* model = name != nullptr ? ModelParseChunk(name, static_cast<u8*>(buffer), size) : nullptr;
    if (model == nullptr) {
        HeapMallocFree(buffer);
        return nullptr;
    }
    // The lists are used in place: the chunk stays with the entry.
    s_DATA_ENTRY* entry = DataLoad(name, kType, buffer, -1);
    if (entry == nullptr) {
        HeapMallocFree(model);
        HeapMallocFree(buffer);
        return nullptr;
    }
    entry->record = model;
    model->dataEntry = entry;
    for (s32 i = 0; i < model->numTextureDefs; ++i)
        model->textureDefs[i].texture = LoadTexture(model->textureDefs[i].name);
    for (s32 i = 0; i < model->numAnimDefs; ++i)
        model->animDefs[i].animation = HAnimLoad(model->animDefs[i].name, nullptr, 0, 0);
    OrbMaterial.Load(model->orbMaterialList, model->numOrbMaterials);
    ModelHardwareLoad(model);
    FixMaterialFlags(model);
    return model;
}

void ModelFree(s_model* model) {
    if (model == nullptr)
        return;
    s_DATA_ENTRY* entry = model->dataEntry;
    if (DataRemoveCheck(entry)) {
        if (model->boneRemapList != nullptr)
            HeapMallocFree(model->boneRemapList);
        ModelHardwareFree(model);
        OrbMaterial.Free(model->orbMaterialList, model->numOrbMaterials);
        for (s32 i = 0; i < model->numTextureDefs; ++i)
            TextureFree(model->textureDefs[i].texture);
        for (s32 i = 0; i < model->numAnimDefs; ++i)
            HAnimFree(model->animDefs[i].animation);
        HeapMallocFree(model);
    }
    DataRemove(entry);
}

void ModelSetFilter(u32 filter) {
    ModelDrawFilter = filter;
}

u32 ModelGetFilter() {
    return ModelDrawFilter;
}
