// The per-frame object passes: behaviours, then the stencil, physics-debug, main and
// shadow draws, each switched by g_ObjUpdate or g_ObjDraw.
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/TextureProject.h"
#include "source/LevelMgr.h"
#include "source/Objects/Object.h"
#include "source/TextureProject.h"

namespace {

constexpr u32 kUpdatePriority = 6400;
constexpr u32 kStencilPriority = 5301;
constexpr u32 kPhysicsDebugPriority = 5201;
constexpr u32 kDrawPriority = 5200;
constexpr u32 kShadowPriority = 5099;
constexpr u32 kEveryLightType =
    SCENE_LIGHT_DIR | SCENE_LIGHT_POINT | SCENE_LIGHT_SPOT | SCENE_LIGHT_PSEUDO_POINT | SCENE_LIGHT_BAR;

template <typename F>
void ForEachObject(F&& f) {
    for (s32 slot = 0; slot < OBJECT_MAX; ++slot)
        if (s_object* object = ObjectGet(slot))
            f(*object);
}

u32 Ambient(e_OBJECT_KIND kind) {
    if (kind == OBJECT_KIND_BOWLER)
        return g_LevelMgr.m_PlayerAmbient;
    if (kind == OBJECT_KIND_NPC_BOWLER || kind == OBJECT_KIND_WALKER)
        return g_LevelMgr.m_NpcAmbient;
    return g_LevelMgr.m_ObjectAmbient;
}

// An object is lit by the level's lights that reach where it stands, each from its
// own direction, over the level's ambient for its kind.
void DrawObject(s_object& object) {
    const s_Vector3 at = {object.transform.at(0, 3), object.transform.at(1, 3), object.transform.at(2, 3),
                          0.0f};
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];
    SceneLightsSetDrawLights(lights, SceneLightsGetLocal(lights, &at, kEveryLightType),
                             SCENE_LIGHT_LOAD_POINT_AS_DIR);
    const u32 ambient = DrawSetAmbientLight(Ambient(object.kind));
    const s32 lit = DrawEnableLight(1);
    if (object.base->draw != nullptr) {
        object.base->draw(&object);
    } else if (object.hmodel != nullptr) {
        HModelUpdateMatrix(object.hmodel, &object.transform);
        // Most of the hall is out of view at any time: only what may show is drawn.
        if (HModelClip(object.hmodel) == DC_CLIP_NONE)
            HModelDraw(object.hmodel);
    }
    DrawEnableLight(lit);
    DrawSetAmbientLight(ambient);
}

bool Shown(const s_object& object) {
    return (object.flags & OBJECT_FLAG_HIDDEN) == 0;
}

void CastShadow(s_object& object) {
    if (object.hmodel == nullptr)
        return;
    const s_Vector3 at = {object.transform.at(0, 3), object.transform.at(1, 3), object.transform.at(2, 3),
                          0.0f};
    ObjectCastShadow(object.hmodel, at);
}

void ObjectUpdateThread(s_thread*, void*) {
    if (!g_ObjUpdate)
        return;
    ForEachObject([](s_object& object) {
        ObjectUpdate(&object);
        if (object.flags & OBJECT_FLAG_CASTER)
            CastShadow(object);
    });
}

// Projected-texture objects: model drawing maps them through gxprj, which is set
// only when there is one to draw.
void StencilDrawThread(s_thread*, void*) {
    if (!g_ObjDraw)
        return;
    bool started = false;
    e_STENCIL_MODE previous = DC_STENCIL_OFF;
    ForEachObject([&](s_object& object) {
        if (!Shown(object) || (object.flags & OBJECT_FLAG_STENCIL) == 0)
            return;
        if (!started) {
            gxprj = TextureProjectParms.screenMatrix;
            previous = DrawSetStencilMode(DC_STENCIL_ON);
            started = true;
        }
        DrawObject(object);
    });
    if (started)
        DrawSetStencilMode(previous);
}

void PhysicsDrawThread(s_thread*, void*) {
    if (!g_ObjDraw)
        return;
    ForEachObject([](s_object& object) {
        if ((object.flags & OBJECT_FLAG_DEBUG) && object.hmodel != nullptr)
            HModelDebugDrawBones(object.hmodel);
    });
}

void ObjectDrawThread(s_thread*, void*) {
    if (!g_ObjDraw)
        return;
    ForEachObject([](s_object& object) {
        if (Shown(object) && (object.flags & OBJECT_FLAG_STENCIL) == 0)
            DrawObject(object);
    });
}

void ShadowDrawThread(s_thread*, void*) {
    if (!g_ObjDraw)
        return;
    ForEachObject([](s_object& object) {
        if (Shown(object) && object.shadow != nullptr)
            ShadowRender(object.shadow, &DefaultShadowLight, 1);
    });
}

}  // namespace

void ObjectCastShadow(s_hmodel* hmodel, const s_Vector3& at) {
    if (ProjectorHeaderRecords == nullptr || hmodel == nullptr)
        return;
    for (s_linked_list* node = ProjectorHeaderRecords->next; node != nullptr; node = node->next) {
        // The game's projectors are all CTextureProject.
        auto* projector =
            static_cast<CTextureProject*>(static_cast<s_projector_list*>(node)->projectorObject);
        const s_Vector3& c = projector->locals.projectorCenter;
        const f32 dx = at.x - c.x, dy = at.y - c.y, dz = at.z - c.z;
        const f32 r = projector->locals.projectorRadius;
        if (dx * dx + dy * dy + dz * dz <= r * r)
            projector->AddShadowCaster(hmodel);
    }
}

void ObjectWarmReset() {
    ObjectForgetAll();
    ThreadInsertPriorityDebug("ObjectUpdateThread", nullptr, nullptr, ObjectUpdateThread, nullptr,
                              kUpdatePriority);
    ThreadInsertPriorityDebug("StencilDrawThread", nullptr, nullptr, StencilDrawThread, nullptr,
                              kStencilPriority);
    ThreadInsertPriorityDebug("PhysicsDrawThread", nullptr, nullptr, PhysicsDrawThread, nullptr,
                              kPhysicsDebugPriority);
    ThreadInsertPriorityDebug("ObjectDrawThread", nullptr, nullptr, ObjectDrawThread, nullptr, kDrawPriority);
    ThreadInsertPriorityDebug("ShadowDrawThread", nullptr, nullptr, ShadowDrawThread, nullptr,
                              kShadowPriority);
}
