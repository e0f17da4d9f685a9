#include "orblib47/source/Scene.h"

#include <cstdio>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/OrbThread.h"

COrbScene OrbScene;

namespace {

constexpr u32 kRenderPriority = 5300;
constexpr u32 kAlphaRenderPriority = 5100;
constexpr u32 kStencilRenderPriority = 5000;
constexpr u32 kUpdatePriority = 6500;
constexpr u16 kAnimRepeat = 0x8000;

// Drawn behind everything: it never hides nor is hidden by the scene.
void SetSkydomeMaterials(s_model* skydome) {
    for (s32 i = 0; i < skydome->numOrbMaterials; ++i) {
        s_MATERIAL_DRAW_MODE& modes = skydome->orbMaterialList[i].drawModes;
        modes.zbuffer = DC_ZMODE_ALWAYS;
        modes.zbufwrite = 0;
    }
}

void Kill(s_thread*& task) {
    if (task != nullptr)
        ThreadKill(task);
    task = nullptr;
}

}  // namespace

s32 COrbScene::ColdReset() {
    return 0;
}

void COrbScene::WarmReset() {
    *this = {};
    m_Enabled = 1;
    m_Ambient = DrawContext.ambientColor;
    m_FogNearZ = m_TargetFogNearZ = DrawContext.fogNearZ;
    m_FogFarZ = m_TargetFogFarZ = DrawContext.fogFarZ;
    m_FogColor = m_TargetFogColor = DrawContext.fogColor;
}

e_error_code COrbScene::Startup(const char* modelName, const char* skydomeName) {
    m_Model = ModelLoad(modelName, nullptr, 0);
    char bankName[64];
    std::snprintf(bankName, sizeof bankName, "%sANM", modelName);
    m_AnimHeader = HAnimLoad(bankName, nullptr, 0, 0);
    if (m_Model != nullptr && m_AnimHeader != nullptr) {
        m_HMatrix = HMatrixAlloc(m_Model->boneList, s16(m_Model->numBones), s16(m_Model->rootBoneId),
                                 m_Model->boneRemapList);
        m_FMatrix = FMatrixAlloc(u16(m_Model->numOrbMaterials));
        if (m_HMatrix != nullptr)
            m_Anim = HAnimPlayFromBankAndId(m_AnimHeader, 0, 1.0f, kAnimRepeat, 0, m_HMatrix, nullptr,
                                            m_FMatrix, nullptr);
    }
    if (skydomeName != nullptr) {
        m_SkydomeModel = ModelLoad(skydomeName, nullptr, 0);
        if (m_SkydomeModel != nullptr)
            SetSkydomeMaterials(m_SkydomeModel);
    }
    m_RenderThreadPtr = ThreadInsertPriorityDebug("COrbScene::RenderThread", nullptr, this, RenderThread,
                                                  nullptr, kRenderPriority);
    m_AlphaRenderThreadPtr = ThreadInsertPriorityDebug("COrbScene::AlphaRenderThread", nullptr, this,
                                                       AlphaRenderThread, nullptr, kAlphaRenderPriority);
    m_StencilRenderThreadPtr =
        ThreadInsertPriorityDebug("COrbScene::StencilRenderThread", nullptr, this, StencilRenderThread,
                                  nullptr, kStencilRenderPriority);
    m_UpdateThreadPtr = ThreadInsertPriorityDebug("COrbScene::UpdateThread", nullptr, this, UpdateThread,
                                                  nullptr, kUpdatePriority);
    return RET_NO_ERROR;
}

void COrbScene::Shutdown() {
    Kill(m_RenderThreadPtr);
    Kill(m_AlphaRenderThreadPtr);
    Kill(m_StencilRenderThreadPtr);
    Kill(m_UpdateThreadPtr);
    if (m_Model != nullptr)
        ModelFree(m_Model);
    m_Model = nullptr;
    if (m_Anim != nullptr)
        HAnimStop(m_Anim);
    m_Anim = nullptr;
    if (m_AnimHeader != nullptr)
        HAnimFree(m_AnimHeader);
    m_AnimHeader = nullptr;
    if (m_HMatrix != nullptr)
        HMatrixFree(m_HMatrix);
    m_HMatrix = nullptr;
    if (m_FMatrix != nullptr)
        FMatrixFree(m_FMatrix);
    m_FMatrix = nullptr;
    if (m_SkydomeModel != nullptr)
        ModelFree(m_SkydomeModel);
    m_SkydomeModel = nullptr;
    m_NumLights = 0;
}

void COrbScene::SetFog(f32 nearZ, f32 farZ, u32 color) {
    m_FogNearZ = nearZ;
    m_FogFarZ = farZ;
    m_FogColor = color;
}

void COrbScene::GetFog(f32* nearZ, f32* farZ, u32* color) const {
    *nearZ = m_FogNearZ;
    *farZ = m_FogFarZ;
    *color = m_FogColor;
}

s32 COrbScene::SetEnable(s32 val) {
    const s32 previous = m_Enabled;
    m_Enabled = val;
    return previous;
}
