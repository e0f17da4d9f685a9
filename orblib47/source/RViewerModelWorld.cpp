#include "orblib47/source/Collision.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/RViewerModel.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/TrackBall.h"
#include "orblib47/source/World.h"

const s_Vector3 RVPointLightOffset{0.0f, 4.0f, 0.0f, 0.0f};

namespace {

constexpr f32 kFadeTime = 0.25f;
constexpr u32 kSphereColour = 0x00FF00FF;
constexpr u32 kCacheBoxColour = 0xC0C0C0FF;

// Frees what the world view holds; the scene lights go back to the pool the
// program had before.
void LeaveWorldView(s_rvlocals& locals, s_thread* task, s32 sceneLights) {
    if (locals.textureProject != nullptr)
        ShadowFree(locals.textureProject);
    if (locals.hmodel != nullptr)
        HModelFree(locals.hmodel);
    if (locals.cache != nullptr)
        PolyCollideCacheFree(locals.cache);
    locals.textureProject = nullptr;
    locals.hmodel = nullptr;
    locals.cache = nullptr;
    locals.pointLight = nullptr;
    if (task != nullptr)
        ThreadKill(task);
    WorldEnableRender(0);
    TrackballUiShutdown();
    UIObjectCloseAll();
    SceneLightsShutdown();
    if (sceneLights > 0)
        SceneLightsWarmReset(sceneLights);
}

}  // namespace

void RViewerViewWorldThread(s_thread*, void* record) {
    s_rvlocals& locals = *static_cast<s_rvlocals*>(record);
    const s_Vector3 scale{1.0f, 1.0f, 1.0f, 0.0f};
    HModelUpdatePosRotScale(locals.hmodel, &locals.pos, &locals.rot, &scale);
    DrawEnableLight(1);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetFlatColor(kSphereColour);
    HModelDraw(locals.hmodel);
    DrawEnableLight(0);
    s_collision_cache* cache = locals.cache;
    if (cache == nullptr)
        return;
    PolyCollideCacheSphere(cache, &locals.pos, 1.0f);
    if (locals.editMode != RV_EDIT_MODE_OBJECT)
        return;
    PolyCollideDebugDrawCache(cache, 1);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kCacheBoxColour);
    const s_Vector3& at = cache->position;
    const s_Vector3 min{at.x + cache->bounds[0].x, at.y + cache->bounds[0].y, at.z + cache->bounds[0].z,
                        0.0f};
    const s_Vector3 max{at.x + cache->bounds[1].x, at.y + cache->bounds[1].y, at.z + cache->bounds[1].z,
                        0.0f};
    DrawBox(&min, &max);
}

s32 RViewerViewWorld(char*) {
    s_rvlocals& locals = RVModelLocals;
    DrawFade(FADE_OUT, 0x000000FF, kFadeTime);
    DrawWaitFade();
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    MenubarOpen(5, ViewWorldMenus, 0);
    MenuSetSelected(&ViewWorldMenus[2], 0, 100, 0);
    locals.polyDrawMode = DC_POLY_DRAW_FILL;
    DrawSetFarZ(1000.0f);
    locals.rot = {};
    locals.pos = {-800.0f, 2.0f, 600.0f, 0.0f};
    const s_Vector3 eye{-800.0f, 2.0f, 580.0f, 0.0f};
    TrackballUiStartup(&eye, &locals.pos, 4.0f);
    WorldEnableRender(1);
    WorldWaitLoad();
    const s32 sceneLights = MaxSceneLights;
    locals.hmodel = WorldGetWorld() != nullptr ? HModelLoad("SPHERE", 0) : nullptr;
    if (locals.hmodel == nullptr) {
        DEBUG_PRINT("RViewerViewWorld: %s\n",
                    WorldGetWorld() == nullptr ? "no world is loaded" : "no SPHERE");
        LeaveWorldView(locals, nullptr, sceneLights);
        DrawFade(FADE_IN, 0x000000FF, kFadeTime);
        return 0;
    }
    SceneLightsWarmReset(1);
    const s_Vector3 origin{};
    const s_Vector4 white{1.0f, 1.0f, 1.0f, 1.0f};
    locals.pointLight = SceneLightsAddPoint(&origin, &white, 100000.0f, 0.2f, 0x7FFF);
    locals.cache = PolyCollideCacheAllocDebug("RViewerModel", __LINE__);
    if (locals.cache != nullptr) {
        const s_Vector3 low{-5.0f, -5.0f, -5.0f, 0.0f};
        const s_Vector3 high{5.0f, 5.0f, 5.0f, 0.0f};
        PolyCollideCacheSetup(locals.cache, &low, &high);
        locals.cache->position = locals.pos;
    }
    locals.textureProject = ShadowAlloc(&locals.pos, 1.0f, locals.hmodel, locals.hmodel->model, locals.cache);
    s_thread* task = ThreadInsertPriorityDebug("RViewerViewWorldThread", nullptr, &locals,
                                               RViewerViewWorldThread, nullptr, RVIEWER_THREAD_PRIORITY);
    DrawFade(FADE_IN, 0x000000FF, kFadeTime);
    RViewerCancel = 0;
    while (RViewerCancel == 0 && UIQuitFlag == 0) {
        EventWait(1);
        if (locals.pointLight != nullptr) {
            locals.pointLight->position.x = locals.pos.x + RVPointLightOffset.x;
            locals.pointLight->position.y = locals.pos.y + RVPointLightOffset.y;
            locals.pointLight->position.z = locals.pos.z + RVPointLightOffset.z;
        }
        if (locals.editMode == RV_EDIT_MODE_CAMERA) {
            TrackballUiEnable(1);
        } else {
            TrackballUiEnable(0);
            RViewerObjectUI(&locals);
        }
        DrawSetPolygonMode(locals.polyDrawMode);
    }
    LeaveWorldView(locals, task, sceneLights);
    return 0;
}
