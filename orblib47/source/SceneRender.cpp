// The scene's tasks: animation, the fog fade, the skydome and the scene model's
// opaque and alpha passes.
#include "orblib47/source/Anim.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/Scene.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFF;
constexpr u32 kAlphaFogColor = 0x000000FF;
constexpr f32 kAlphaFogZ = 500.0f;
constexpr u32 kBothPasses = MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE;

COrbScene& Of(void* record) {
    return *static_cast<COrbScene*>(record);
}

s_Vector3 CameraPosition() {
    return DrawContext.viewport != nullptr ? DrawContext.viewport->cameraPosition : s_Vector3{};
}

void Begin3D() {
    DrawSetProjection(DC_PROJ_3D);
    DrawSetFlatColor(kWhite);
}

void DrawSkydome(s_model* skydome) {
    DrawLightsOff();
    const s_Vector3 camera = CameraPosition();
    s_Matrix4 world = IDMatrix4;
    world.element[3] = camera.x;
    world.element[7] = camera.y;
    world.element[11] = camera.z;
    ModelDraw(skydome, &world, nullptr, nullptr);
}

// The selection may return more lights than the scene keeps: the nearest come
// first, so the first MAX_LIGHTS are kept.
s32 ChooseLights(scene_light** kept) {
    scene_light* chosen[SCENE_LIGHT_MAX_LOCAL];
    const s_Vector3 camera = CameraPosition();
    s32 count = SceneLightsGetLocal(chosen, &camera, SCENE_LIGHT_POINT);
    if (count > COrbScene::MAX_LIGHTS)
        count = COrbScene::MAX_LIGHTS;
    for (s32 i = 0; i < count; ++i)
        kept[i] = chosen[i];
    return count;
}

// Lighting is switched on first: the skydome's unlit materials switch it off, and
// lights switched on while it is off are never loaded, so the scene's lit materials
// would see only the ambient.
void LoadLights(const COrbScene& scene) {
    DrawEnableLight(1);
    SceneLightsSetDrawLights(scene.m_LightList, scene.m_NumLights, 0);
    DrawLightsOn();
}

}  // namespace

void COrbScene::UpdateFogFade() {
    if (m_FogFadeTime == 0.0f)
        return;
    m_FogFadeTimer += RealDeltaTime;
    if (m_FogFadeTimer >= m_FogFadeTime) {
        m_FogFadeTimer = m_FogFadeTime;
        m_FogFadeTime = 0.0f;
        SetFog(m_TargetFogNearZ, m_TargetFogFarZ, m_TargetFogColor);
        return;
    }
    const f32 fraction = m_FogFadeTimer / m_FogFadeTime;
    m_FogNearZ = Float32Interpolate(m_FogNearZ, m_TargetFogNearZ, fraction);
    m_FogFarZ = Float32Interpolate(m_FogFarZ, m_TargetFogFarZ, fraction);
    m_FogColor = InterpolateRGB(m_FogColor, m_TargetFogColor, fraction);
}

void COrbScene::UpdateThread(s_thread*, void* record) {
    COrbScene& scene = Of(record);
    if (scene.m_Enabled && scene.m_Anim != nullptr)
        HAnimUpdate(scene.m_Anim, scene.m_HMatrix, scene.m_FMatrix);
}

void COrbScene::RenderThread(s_thread*, void* record) {
    COrbScene& scene = Of(record);
    if (!scene.m_Enabled)
        return;
    scene.UpdateFogFade();
    DrawSetFog(scene.m_FogColor, scene.m_FogNearZ, scene.m_FogFarZ);
    Begin3D();
    if (scene.m_SkydomeModel != nullptr)
        DrawSkydome(scene.m_SkydomeModel);
    if (scene.m_Model != nullptr) {
        const u32 ambient = DrawSetAmbientLight(scene.m_Ambient);
        scene.m_NumLights = ChooseLights(scene.m_LightList);
        LoadLights(scene);
        ModelUpdateVeilPlanes(scene.m_Model);
        OrbMaterial.SetMatrixList(scene.m_FMatrix);
        ModelDrawWithAlpha(scene.m_Model, &IDMatrix4, 0);
        OrbMaterial.SetMatrixList(nullptr);
        DrawSetAmbientLight(ambient);
    }
    DrawLightsOff();
}

void COrbScene::AlphaRenderThread(s_thread*, void* record) {
    COrbScene& scene = Of(record);
    if (!scene.m_Enabled || scene.m_Model == nullptr)
        return;
    Begin3D();
    DrawLightsOff();
    DrawSetFog(kAlphaFogColor, kAlphaFogZ, kAlphaFogZ);
    OrbMaterial.SetList(scene.m_Model->orbMaterialList, scene.m_Model->numOrbMaterials);
    OrbMaterial.SetMatrixList(scene.m_FMatrix);
    const u32 ambient = DrawSetAmbientLight(scene.m_Ambient);
    LoadLights(scene);
    OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_ALPHA);
    ModelDrawEnd();
    OrbMaterial.SetFilter(kBothPasses);
    OrbMaterial.SetMatrixList(nullptr);
    DrawSetFog(scene.m_FogColor, scene.m_FogNearZ, scene.m_FogFarZ);
    DrawSetAmbientLight(ambient);
}

// Reserved for the scene's stencil geometry.
void COrbScene::StencilRenderThread(s_thread*, void*) {}
