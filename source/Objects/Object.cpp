#include "source/Objects/Object.h"

#include <cstring>

#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"

s32 g_ObjDraw = 0;
s32 g_ObjUpdate = 0;
s32 g_HUDDraw = 0;
void* ObjectDebugTimePtr = nullptr;

namespace {

struct ObjectPool {
    s_object objects[OBJECT_MAX];
    bool used[OBJECT_MAX];
};
ObjectPool Pool;

s_thread* BehaviourList(s_object* object) {
    return static_cast<s_thread*>(object->behavior.next);
}

}  // namespace

s32 ObjectInit(s_object* object, ThreadFunc behaviour) {
    const char* name = object->name[0] != '\0' ? object->name : "Dynamic Object";
    return ThreadAppendDebug(name, &object->behavior, object, behaviour, nullptr) != nullptr ? 1 : 0;
}

void ObjectUpdate(s_object* object) {
    // A null start would run the whole system list.
    if (object->behavior.next != nullptr)
        ThreadProcess(BehaviourList(object));
}

void ObjectRemove(s_object* object) {
    if (object->behavior.next != nullptr)
        ThreadKillList(BehaviourList(object));
    object->behavior.next = nullptr;
}

s_object* ObjectCreate(const s_BASE_OBJECT* base, const char* name, void* user) {
    s32 slot = 0;
    while (slot < OBJECT_MAX && Pool.used[slot])
        ++slot;
    if (slot == OBJECT_MAX)
        return nullptr;
    s_object* object = &Pool.objects[slot];
    *object = {};
    object->base = base;
    object->kind = base->kind;
    if (name != nullptr)
        std::strncpy(object->name, name, sizeof(object->name) - 1);
    object->transform = IDMatrix4;
    object->user = user;
    if (base->behaviour != nullptr && ObjectInit(object, base->behaviour) == 0)
        return nullptr;
    Pool.used[slot] = true;
    return object;
}

void ObjectFree(s_object* object) {
    ObjectRemove(object);
    HModelFree(object->hmodel);
    object->hmodel = nullptr;
    Pool.used[object - Pool.objects] = false;
}

void ObjectFreeAll() {
    for (s32 i = 0; i < OBJECT_MAX; ++i)
        if (Pool.used[i])
            ObjectFree(&Pool.objects[i]);
}

void ObjectForgetAll() {
    Pool = {};
}

s32 ObjectCount() {
    s32 count = 0;
    for (bool used : Pool.used)
        count += used ? 1 : 0;
    return count;
}

s_object* ObjectGet(s32 slot) {
    return slot >= 0 && slot < OBJECT_MAX && Pool.used[slot] ? &Pool.objects[slot] : nullptr;
}

f32 ObjectFrameTime() {
    return GamePaused() ? 0.0f : RealDeltaTime;
}

void ObjectColdReset() {
    ObjectForgetAll();
    g_ObjDraw = 0;
    g_ObjUpdate = 0;
    g_HUDDraw = 0;
    ObjectDebugTimePtr = nullptr;
}
