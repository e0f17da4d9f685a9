// The material system's list, selection, filter and lock, its resets and the
// two tasks that bracket the frame's 3-D passes.
#include "orblib47/source/Material.h"

#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Texture.h"

COrbMaterial OrbMaterial;

namespace {

constexpr u32 kStartPriority = 5600;
constexpr u32 kEndPriority = 4900;

void StartThread(s_thread*, void*) {
    OrbMaterial.BeginRender();
}

void EndThread(s_thread*, void*) {
    OrbMaterial.EndRender();
}

bool Drawable(const s_ORB_MATERIAL* material, u32 filter) {
    return (material->flags & MATERIAL_FLAG_NO_DRAW) == 0 && (material->flags & filter) != 0;
}

// A material not yet through Load takes its setup from its mode's row.
void RunSetup(s_ORB_MATERIAL* material) {
    MaterialSetupFunc setup = material->setupFunc;
    if (setup == nullptr)
        setup = MaterialModes[material->mode < MATERIAL_MODE_COUNT ? u32(material->mode) : 0u].setupFunc;
    setup(material);
}

void LoadList(s_ORB_MATERIAL* list, s32 count) {
    for (s32 i = 0; i < count; ++i) {
        s_ORB_MATERIAL& material = list[i];
        if (material.mode < MATERIAL_MODE_COUNT)
            material.setupFunc = MaterialModes[material.mode].setupFunc;
        for (s32 p = 0; p < material.numTexturePasses && p < MATERIAL_MAX_TEXTURE_PASSES; ++p) {
            s_TEXTURE_PASS& pass = material.texturePassList[p];
            if (pass.texture == nullptr)
                pass.texture = TextureLoad(pass.textureName);
        }
    }
}

void FreeList(s_ORB_MATERIAL* list, s32 count) {
    for (s32 i = 0; i < count; ++i) {
        s_ORB_MATERIAL& material = list[i];
        for (s32 p = 0; p < material.numTexturePasses && p < MATERIAL_MAX_TEXTURE_PASSES; ++p) {
            s_TEXTURE_PASS& pass = material.texturePassList[p];
            if (pass.texture != nullptr)
                TextureFree(pass.texture);
            pass.texture = nullptr;
        }
    }
}

}  // namespace

s32 COrbMaterial::ColdReset() {
    // Start-up values throughout: the modes last applied too, which a material
    // with the same modes would otherwise take as already in the draw state.
    *this = COrbMaterial{};
    return 0;
}

void COrbMaterial::WarmReset() {
    m_Filter = MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE;
    m_Locked = 0;
    m_Material = nullptr;
    m_MaterialList = nullptr;
    m_NumMaterials = 0;
    m_Default = 0;
    m_Active = 0;
    m_ContextSaved = 0;
    m_MatrixList = nullptr;
    m_ObjectWorldMatrix = nullptr;
    m_BoneWorldMatrix = nullptr;
    m_TextureVariant = 0;
    m_bUseDefaultDepthOffset = 1;
    m_bUseDefaultEnableLighting = 1;
    Initialize();
    m_StartThreadPtr = ThreadInsertPriorityDebug("COrbMaterial:StartThread", nullptr, nullptr, StartThread,
                                                 nullptr, kStartPriority);
    m_EndThreadPtr = ThreadInsertPriorityDebug("COrbMaterial:EndThread", nullptr, nullptr, EndThread, nullptr,
                                               kEndPriority);
}

void COrbMaterial::Load(s_ORB_MATERIAL* list, s32 count) {
    LoadList(list, count);
}

void COrbMaterial::Free(s_ORB_MATERIAL* list, s32 count) {
    FreeList(list, count);
}

void COrbMaterial::LoadMaterialModes() {
    LoadList(MaterialModes, MATERIAL_MODE_COUNT);
}

void COrbMaterial::FreeMaterialModes() {
    FreeList(MaterialModes, MATERIAL_MODE_COUNT);
}

s_ORB_MATERIAL* COrbMaterial::GetMaterialModePtr(e_MATERIAL_MODE mode) {
    return mode < MATERIAL_MODE_COUNT ? &MaterialModes[mode] : nullptr;
}

void COrbMaterial::SetList(s_ORB_MATERIAL* list, s32 count) {
    m_MaterialList = list;
    m_NumMaterials = list != nullptr && count > 0 ? count : 0;
    if (m_Locked)
        return;
    m_Default = 0;
    if (m_NumMaterials == 0) {
        m_Material = &MaterialModes[MATERIAL_MODE_DEFAULT];
        RunSetup(m_Material);
    } else {
        m_Material = nullptr;
    }
}

s32 COrbMaterial::Set(s32 index) {
    if (!m_ContextSaved)
        SaveDrawContext();
    if (index < 0 || index >= m_NumMaterials)
        return 0;
    s_ORB_MATERIAL* material = &m_MaterialList[index];
    if (!m_Locked && material != m_Material) {
        // Only a material that is set up becomes current: one rejected here is
        // set up when a later pass accepts it.
        if (!Drawable(material, m_Filter))
            return 0;
        m_Material = material;
        m_Index = u32(index);
        RunSetup(material);
        return 1;
    }
    return m_Material != nullptr && Drawable(m_Material, m_Filter) ? 1 : 0;
}

s32 COrbMaterial::TestFilter(s32 index) const {
    if (m_MaterialList == nullptr)
        return 0;
    const s_ORB_MATERIAL* material = m_Material;
    if (!m_Locked) {
        if (index < 0 || index >= m_NumMaterials)
            return 0;
        material = &m_MaterialList[index];
    }
    return material != nullptr && (material->flags & m_Filter) != 0 ? 1 : 0;
}

u32 COrbMaterial::SetFilter(u32 flags) {
    const u32 previous = m_Filter;
    m_Filter = flags;
    return previous;
}

u8 COrbMaterial::SetTextureVariant(u8 variant) {
    const u8 previous = m_TextureVariant;
    m_TextureVariant = variant;
    return previous;
}

void COrbMaterial::Lock(s_ORB_MATERIAL* material) {
    m_Material = material;
    m_Locked = 1;
    m_Default = 0;
    if (!m_ContextSaved)
        SaveDrawContext();
    RunSetup(material);
}

void COrbMaterial::Unlock() {
    m_Locked = 0;
}

// Nothing to begin or end on the hardware of this platform.
void COrbMaterial::BeginRender() {
    SaveDrawContext();
    m_Active = 1;
}

void COrbMaterial::EndRender() {
    DefaultDrawContext();
    m_Active = 0;
}
