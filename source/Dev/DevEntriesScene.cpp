#include <cstring>

#include "orblib47/source/Anim.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Wad.h"
#include "source/Dev/DevEntriesRender.h"
#include "source/Dev/DevEntriesRenderInternal.h"
#include "source/OrbMain.h"

const s32 TestAnims[3] = {s32(0x8000189C), s32(0x8000189D), s32(0x8000189E)};
const s_Vector3 TestPos[8] = {{1.5f, 0, -1, 0},     {2, 0, -0.75f, 0}, {2.5f, 0, -0.5f, 0},
                              {3, 0, -0.25f, 0},    {-1.5f, 0, -1, 0}, {-2, 0, -0.75f, 0},
                              {-2.5f, 0, -0.5f, 0}, {-3, 0, -0.25f, 0}};

namespace {

constexpr s32 kCharacters = 8;
constexpr u32 kAnimFlags = HANIM_FLAG_REPEAT | HANIM_FLAG_BLEND_STATIC;
constexpr u32 kGatherFlags = 0x1F;  // every kind of scene light

const s_draw_light SceneTestLight = {
    {0.8f, 0.8f, 0.8f, 1.0f}, {1, 1, 1, 1}, {0, 0, 0, 0}, {-1, 1, -1, 0}, 0, 0.0f, 1.0f, 0.0f, 0, 0.0f};

struct s_scene_record {
    s_hmodel* models[kCharacters];
    s_hanim* anims[kCharacters];
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];  // the lights one selection gathers
};

void SceneTestThread(s_thread*, void* record) {
    auto* scene = static_cast<s_scene_record*>(record);
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_3D);
    DrawResetLights();
    DrawAddLight(&SceneTestLight);
    const s_Vector3 upright = {0, 0, 0, 0};
    for (s32 i = 0; i < kCharacters; ++i) {
        s_hmodel* model = scene->models[i];
        if (model == nullptr)
            continue;
        if (scene->anims[i] == nullptr || HAnimDone(scene->anims[i]) != 0)
            scene->anims[i] = HModelPlayAnim(model, u32(TestAnims[0]), 1.0f, kAnimFlags);
        const s32 count = SceneLightsGetLocal(scene->lights, &TestPos[i], kGatherFlags);
        SceneLightsSetDrawLights(scene->lights, count, SCENE_LIGHT_LOAD_POINT_AS_DIR);
        HModelUpdatePosRot(model, &TestPos[i], &upright);
        HModelDraw(model);
    }
    DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    const u32 flat = DrawSetFlatColor(0xFFFFFFFF);
    RenderTestExitLine();

    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
}

}  // namespace

s32 SceneTest() {
    s_wad* arena = WadLoad("ARENA1", 0);
    s_wad* clonie = WadLoad("CLONIE", 0);
    // Both or nothing: an archive that did load goes back.
    if (arena == nullptr || clonie == nullptr) {
        WadFree(arena);
        WadFree(clonie);
        return 0;
    }
    HeapBeginTrack("TestScene");
    OrblibStartup();
    DrawResetLights();
    DrawResetFade();

    s_scene_record scene;
    std::memset(&scene, 0, sizeof scene);
    for (s_hmodel*& model : scene.models)
        model = HModelLoad("CLONIE", 0);

    OrbScene.Startup("LVARENA1", nullptr);
    OrbScene.m_Ambient = 0xFFFFFFFF;
    // The test's own pool of one light replaces the engine's, which comes back after.
    const s32 engineLights = MaxSceneLights;
    SceneLightsWarmReset(1);
    const s_Vector3 origin = {0, 0, 0, 0};
    const s_Vector4 white = {1, 1, 1, 1};
    SceneLightsAddPoint(&origin, &white, 100000.0f, 0.2f, 0x7FFF);

    s_thread* task = ThreadInsertPriorityDebug("SceneTestThread", nullptr, &scene, SceneTestThread, nullptr,
                                               RENDER_TEST_THREAD_PRIORITY);
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    const s_Vector3 eye = {0, 1.5f, 5, 0};
    const s_Vector3 target = {0, 1.5f, 0, 0};
    s_Matrix4 view;
    Matrix4LookAt(&view, &target, &eye);
    DrawSetCamera(&view, &eye);

    RenderTestWait(nullptr);
    // The frame limit leaves the picture as it is.
    if (!OrbMainFrameLimitReached()) {
        DrawFade(FADE_OUT, 0x000000FF, 0.5f);
        DrawWaitFade();
    }
    SceneLightsShutdown();
    SceneLightsWarmReset(engineLights);
    ThreadKill(task);
    OrbScene.Shutdown();
    for (s_hmodel* model : scene.models)
        HModelFree(model);
    WadFree(arena);
    WadFree(clonie);
    DrawResetLights();
    HeapEndTrack();
    return 0;
}
