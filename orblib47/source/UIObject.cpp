#include "orblib47/source/UIObject.h"

#include <cstdint>
#include <cstring>

#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/UIObjectInternal.h"

s_stdrec* UIObjectRecords = nullptr;
s_debug_memory* UIObjectMemory = nullptr;
s_ui_object UIObjectList{};
s_Vector2 UIObjectPos{};
s_Vector2 UIObjectPosSave{};
f32 UIAlpha = 1.0f;
s32 UIDisableMouse = 0;
s32 UIQuitFlag = 0;
s32 UIFadeOutEnabled = 1;
s32 UIObjectPassRunning = 0;

namespace {

constexpr u32 kUIThreadPriority = 4300;
s32 ClosedWaiting = 0;

// Takes the object out of the list that holds it.
void Unlink(s_ui_object* object) {
    if (object->prev != nullptr)
        object->prev->next = object->next;
    else if (object->parent != nullptr && object->parent->childNext == object)
        object->parent->childNext = object->next;
    if (object->next != nullptr)
        object->next->prev = object->prev;
}

void FreeRecord(s_ui_object* object) {
    DebugMemoryRemovePtr(UIObjectMemory, object, __FILE_NAME__, __LINE__);
    RecordFree(UIObjectRecords, object);
}

// Frees the object and its subtree, or marks them while the pass may stand on them.
void Release(s_ui_object* object) {
    for (s_ui_object* child = object->childNext; child != nullptr;) {
        s_ui_object* next = child->next;
        Release(child);
        child = next;
    }
    if (UIObjectPassRunning != 0) {
        object->flags |= kUIObjectClosed;
        ClosedWaiting = 1;
    } else {
        FreeRecord(object);
    }
}

void RequestClose(s_ui_object* object) {
    object->flags |= UI_OBJ_FLAG_CLOSE;
    for (s_ui_object* child = object->childNext; child != nullptr; child = child->next)
        RequestClose(child);
}

}  // namespace

void UIObjectColdReset() {
    UIAlpha = 1.0f;
    UIDisableMouse = 0;
    UIQuitFlag = 0;
    UIFadeOutEnabled = 1;
}

s32 UIObjectWarmReset(u32 count) {
    UIAlpha = 1.0f;
    UIObjectPos = {0.0f, 0.0f};
    UIObjectList = {};
    UIObjectPassRunning = 0;
    ClosedWaiting = 0;
    UIObjectRecords = RecordCreate(count, UI_OBJECT_RECORD_SIZE);
    if (UIObjectRecords != nullptr)
        HeapAddrAddComment(UIObjectRecords, "UIObjectWarmReset:UIObjectRecords");
    ThreadInsertPriorityDebug("UIObjectThreadFunc", nullptr, nullptr, UIObjectThreadFunc, nullptr,
                              kUIThreadPriority);
    UISetEnabled();
    UIObjectMemory = DebugMemoryInit(s32(count), "UIObject");
    return UIObjectRecords != nullptr ? 1 : 0;
}

s_ui_object* UIObjectRecordAlloc() {
    if (UIObjectRecords == nullptr)
        return nullptr;
    void* record = RecordAlloc(UIObjectRecords);
    if (record == nullptr)
        return nullptr;
    DebugMemoryAddPtr(UIObjectMemory, record);
    std::memset(record, 0, UI_OBJECT_RECORD_SIZE);
    return static_cast<s_ui_object*>(record);
}

s_ui_object* UIObjectRecordOpen(e_ui_obj_type type, UIObjectEventFunc systemFunc) {
    s_ui_object* object = UIObjectRecordAlloc();
    if (object == nullptr)
        return nullptr;
    object->type = type;
    object->systemFunc = systemFunc;
    object->flags = UI_OBJ_FLAG_ACTIVE;
    object->font = CurrentFont;
    FontGetScale(&object->scale.x, &object->scale.y);
    return object;
}

void UIObjectRecordInsertList(s_ui_object* object) {
    object->prev = &UIObjectList;
    object->next = UIObjectList.next;
    if (object->next != nullptr)
        object->next->prev = object;
    UIObjectList.next = object;
}

void UIObjectLink(s_ui_object* parent, s_ui_object* child) {
    if (parent == nullptr)
        return;
    Unlink(child);
    child->prev = nullptr;
    child->parent = parent;
    child->next = parent->childNext;
    if (child->next != nullptr)
        child->next->prev = child;
    parent->childNext = child;
}

s_ui_object* UIObjectFindId(s_ui_object* parent, s32 id) {
    for (s_ui_object* child = parent->childNext; child != nullptr; child = child->next) {
        if (child->id == id)
            return child;
    }
    return nullptr;
}

UIObjectEventFunc UIObjectSetEventFunc(s_ui_object* object, UIObjectEventFunc func) {
    const UIObjectEventFunc previous = object->userFunc;
    object->userFunc = func;
    return previous;
}

void UIObjectRequestClose(s_ui_object* object) {
    RequestClose(object);
}

bool UIObjectIsOpen(const s_ui_object* object) {
    if (object == nullptr || UIObjectRecords == nullptr)
        return false;
    const auto at = reinterpret_cast<uintptr_t>(object);
    const auto base = reinterpret_cast<uintptr_t>(UIObjectRecords->recordBase);
    if (at < base || (at - base) % UIObjectRecords->recordSize != 0)
        return false;
    const uintptr_t index = (at - base) / UIObjectRecords->recordSize;
    return index < UIObjectRecords->capacity && UIObjectRecords->inUse[index] != 0 &&
           (object->flags & kUIObjectClosed) == 0;
}

void UIObjectClose(s_ui_object* object) {
    if ((object->flags & kUIObjectClosed) != 0)
        return;  // closed earlier in this pass
    const bool focusedWindow = object->type == UI_OBJ_WINDOW && (object->flags & UI_OBJ_FLAG_FOCUS) != 0;
    Unlink(object);
    Release(object);
    if (!focusedWindow)
        return;
    for (s_ui_object* other = UIObjectList.next; other != nullptr; other = other->next) {
        if (other->type == UI_OBJ_WINDOW) {
            UIObjectFocus(other);
            return;
        }
    }
}

void UIObjectCloseAll() {
    while (UIObjectList.next != nullptr) {
        s_ui_object* object = UIObjectList.next;
        Unlink(object);
        Release(object);
    }
    UIAlpha = 1.0f;
}

void UIObjectFreeClosed() {
    if (ClosedWaiting == 0)
        return;
    ClosedWaiting = 0;
    for (u32 i = 0; i < UIObjectRecords->capacity; ++i) {
        auto* object =
            reinterpret_cast<s_ui_object*>(UIObjectRecords->recordBase + i * UIObjectRecords->recordSize);
        if (UIObjectRecords->inUse[i] != 0 && (object->flags & kUIObjectClosed) != 0)
            FreeRecord(object);
    }
}

s32 UIObjectEvent(s_ui_object* object, e_ui_obj_event_type event) {
    if (object->userFunc != nullptr && object->userFunc(object, event) != 0)
        return 1;
    return object->systemFunc(object, event);
}

void UIFadeOutEnable(s32 on) {
    UIFadeOutEnabled = on;
}
