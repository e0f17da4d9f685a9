#include <cstring>

#include "orblib47/source/CutScene.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/SceneLight.h"

s_orb_cut_scene* RViewerCutScene = nullptr;
char RViewerCutSceneName[RVIEWER_CUT_SCENE_NAME_SIZE] = "";

namespace {

constexpr f32 kQueueAhead = 2.0f;
constexpr f32 kFadeIn = 1.0f;

void RViewerCutsceneThread(s_thread*, void*) {
    DebugDrawFilledGrid(10, 20.0f, 0x202020FF, 0x303030FF);
}

// Allocations are tracked while it plays; the end reports what is still live.
void Play() {
    HeapBeginTrack("CutScene-Start");
    RViewerCutScene = OrbCutScenePlay(RViewerCutSceneName, kQueueAhead, 0, 1.0f);
    if (RViewerCutScene == nullptr)
        HeapEndTrack();
}

void Stop() {
    OrbCutSceneStop(RViewerCutScene);
    HeapEndTrack();
    RViewerCutScene = nullptr;
}

void StopFinished() {
    if (RViewerCutScene != nullptr && !OrbCutScenePlaying(RViewerCutScene))
        Stop();
}

}  // namespace

s32 CutScenePlayMenuFunc(s_menu_item*) {
    StopFinished();
    if (RViewerCutScene == nullptr)
        Play();
    return 1;
}

s32 CutSceneStopMenuFunc(s_menu_item*) {
    StopFinished();
    return 1;
}

s32 RViewerViewCutscene(const char* name) {
    if (std::strlen(name) >= RVIEWER_CUT_SCENE_NAME_SIZE) {
        DEBUG_PRINT("RViewer: cut-scene name %s is longer than %u characters.\n", name,
                    RVIEWER_CUT_SCENE_NAME_SIZE - 1);
        return 0;
    }
    std::strcpy(RViewerCutSceneName, name);
    RViewerOpenMenus(2, CutSceneMenus);
    const s_Vector3 eye{0.0f, 5.0f, -20.0f, 0.0f};
    const s_Vector3 target{};
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    DrawFadeClearColor(0x404040FF, 0.25f);
    DrawResetFade();
    DrawSetAmbientLight(0x666666FF);
    const s32 sceneLights = MaxSceneLights;
    SceneLightsWarmReset(1);
    const s_Vector3 direction{0.5f, -1.0f, 0.5f, 0.0f};
    const s_Vector4 colour{0.6f, 0.6f, 0.6f, 1.0f};
    scene_light* light = SceneLightsAddGlobal(&direction, &colour);
    s_thread* task = ThreadInsertPriorityDebug("RViewerCutsceneThread", nullptr, nullptr,
                                               RViewerCutsceneThread, nullptr, RVIEWER_THREAD_PRIORITY);
    DrawFade(FADE_IN, 0x000000FF, kFadeIn);
    RViewerCutScene = nullptr;
    RViewerCancel = 0;
    while (!RViewerViewEnded()) {
        EventWait(1);
        if (RViewerCutScene == nullptr) {
            if ((Pad[0].bnew & PAD_A) != 0)
                Play();
        } else if (!OrbCutScenePlaying(RViewerCutScene)) {
            Stop();
            DrawFade(FADE_IN, 0x000000FF, kFadeIn);
        }
    }
    if (RViewerCutScene != nullptr)
        Stop();
    ThreadKill(task);
    if (light != nullptr)
        SceneLightsFree(light);
    SceneLightsShutdown();
    // The program's own pool comes back for what runs after the viewer.
    SceneLightsWarmReset(sceneLights);
    UIObjectCloseAll();
    return 0;
}
