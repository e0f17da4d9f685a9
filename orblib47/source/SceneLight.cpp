#include "orblib47/source/SceneLight.h"

#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SceneLightInternal.h"

s32 NumSceneLights = 0;
s32 MaxSceneLights = 0;
scene_light* SceneLightList = nullptr;
scene_light* GlobalSceneLight = nullptr;

namespace {

constexpr f32 kGlobalRadius = 1000000.0f;
constexpr f32 kGlobalAttenuation = 1.0f;

s_stdrec* SceneLightPool = nullptr;
s_debug_memory* SceneLightTracker = nullptr;

// Exactly `count` records, so that the pool runs out where the caller said.
s_stdrec* CreatePool(u32 count) {
    u32 bytes = 0;
    if (!RecordPoolBytes(count, sizeof(scene_light), &bytes))
        return nullptr;
    void* memory = HeapMalloc(bytes, __FILE_NAME__, __LINE__);
    if (memory == nullptr)
        return nullptr;
    HeapAddrAddComment(memory, "SceneLightsWarmReset:SceneLightList");
    return RecordInit(memory, count, sizeof(scene_light));
}

// Before the first light of lower or equal priority: the newest of equals first.
void InsertByPriority(scene_light* light) {
    scene_light* prev = nullptr;
    scene_light* next = SceneLightList;
    while (next != nullptr && next->priority > light->priority) {
        prev = next;
        next = next->next;
    }
    light->prev = prev;
    light->next = next;
    if (next != nullptr)
        next->prev = light;
    if (prev != nullptr) {
        prev->next = light;
    } else {
        SceneLightList = light;
    }
}

void Unlink(scene_light* light) {
    if (light->prev != nullptr) {
        light->prev->next = light->next;
    } else {
        SceneLightList = light->next;
    }
    if (light->next != nullptr)
        light->next->prev = light->prev;
}

scene_light* Add(e_scene_light_type type, const s_Vector4* color, f32 radius, f32 attenuation, s32 priority) {
    if (SceneLightPool == nullptr)
        return nullptr;
    auto* light = static_cast<scene_light*>(RecordAlloc(SceneLightPool));
    if (light == nullptr)
        return nullptr;
    ++NumSceneLights;
    *light = {};
    light->type = type;
    light->radius = radius;
    light->attenuation = attenuation;
    light->intensity = 1.0f;
    light->priority = priority;
    light->diffuse = *color;
    light->specular = *color;
    InsertByPriority(light);
    if (SceneLightTracker != nullptr)
        DebugMemoryAddPtr(SceneLightTracker, light);
    return light;
}

scene_light* AddAt(e_scene_light_type type, const s_Vector3* pos, const s_Vector4* color, f32 radius,
                   f32 attenuation, s32 priority) {
    scene_light* light = Add(type, color, radius, attenuation, priority);
    if (light != nullptr)
        light->position = *pos;
    return light;
}

}  // namespace

void SceneLightsForget() {
    SceneLightPool = nullptr;
    SceneLightTracker = nullptr;
    SceneLightList = nullptr;
    GlobalSceneLight = nullptr;
    NumSceneLights = 0;
    MaxSceneLights = 0;
}

s32 SceneLightsWarmReset(s32 maxSceneLight) {
    if (maxSceneLight != 0) {
        // A level's pool replaces the one in use rather than leaking it.
        SceneLightsShutdown();
        SceneLightPool = maxSceneLight > 0 ? CreatePool(u32(maxSceneLight)) : nullptr;
        SceneLightList = nullptr;
        NumSceneLights = 0;
        GlobalSceneLight = nullptr;
        SceneLightTracker =
            SceneLightPool != nullptr ? DebugMemoryInit(maxSceneLight, "SceneLights") : nullptr;
    }
    MaxSceneLights = maxSceneLight;
    return SceneLightPool != nullptr ? 1 : 0;
}

void SceneLightsReset() {
    while (SceneLightList != nullptr)
        SceneLightsFree(SceneLightList);
    NumSceneLights = 0;
    GlobalSceneLight = nullptr;
}

void SceneLightsShutdown() {
    SceneLightsReset();
    if (SceneLightPool != nullptr)
        HeapMallocFree(SceneLightPool);
    SceneLightPool = nullptr;
    MaxSceneLights = 0;
    if (SceneLightTracker != nullptr)
        DebugMemoryFree(SceneLightTracker);
    SceneLightTracker = nullptr;
}

scene_light* SceneLightsAddDir(const s_Vector3* dir, const s_Vector4* color, f32 radius, f32 attenuation) {
    scene_light* light = Add(SCENE_LIGHT_DIR, color, radius, attenuation, SCENE_LIGHT_DIR_PRIORITY);
    if (light != nullptr)
        Vect3Normal(&light->direction, dir);
    return light;
}

scene_light* SceneLightsAddPoint(const s_Vector3* pos, const s_Vector4* color, f32 radius, f32 attenuation,
                                 s32 priority) {
    return AddAt(SCENE_LIGHT_POINT, pos, color, radius, attenuation, priority);
}

scene_light* SceneLightsAddPseudoPoint(const s_Vector3* pos, const s_Vector4* color, f32 radius,
                                       f32 attenuation, s32 priority) {
    return AddAt(SCENE_LIGHT_PSEUDO_POINT, pos, color, radius, attenuation, priority);
}

scene_light* SceneLightsAddBar(const s_Vector3* pos, const s_Vector3* endPos, const s_Vector4* color,
                               f32 radius, f32 attenuation, s32 priority) {
    scene_light* light = AddAt(SCENE_LIGHT_BAR, pos, color, radius, attenuation, priority);
    if (light == nullptr)
        return nullptr;
    light->barEndPosition = *endPos;
    const s_Vector3 span{endPos->x - pos->x, endPos->y - pos->y, endPos->z - pos->z, 0.0f};
    light->barLength = Vect3Normal(&light->barDir, &span);
    return light;
}

scene_light* SceneLightsAddGlobal(const s_Vector3* dir, const s_Vector4* color) {
    if (GlobalSceneLight != nullptr)
        SceneLightsFree(GlobalSceneLight);
    scene_light* light = SceneLightsAddDir(dir, color, kGlobalRadius, kGlobalAttenuation);
    if (light != nullptr) {
        light->flags |= SCENE_LIGHT_FLAG_GLOBAL;
        GlobalSceneLight = light;
    }
    return light;
}

void SceneLightsFree(scene_light* light) {
    if (light == GlobalSceneLight)
        GlobalSceneLight = nullptr;
    --NumSceneLights;
    if (SceneLightTracker != nullptr)
        DebugMemoryRemovePtr(SceneLightTracker, light, __FILE_NAME__, __LINE__);
    Unlink(light);
    RecordFree(SceneLightPool, light);
}

scene_light* SceneLightsGetGlobalSceneLight() {
    return GlobalSceneLight;
}
