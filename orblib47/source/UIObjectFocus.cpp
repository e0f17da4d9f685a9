#include <climits>

#include "orblib47/source/Keyboard.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIObject.h"
#include "orblib47/source/UIObjectInternal.h"

namespace {

s_ui_object* FirstFocused(s_ui_object* first) {
    for (s_ui_object* object = first; object != nullptr; object = object->next) {
        if ((object->flags & UI_OBJ_FLAG_FOCUS) != 0)
            return object;
    }
    return nullptr;
}

// Moves the focus within the list starting at `first` to `object` (null: nobody).
void MoveFocus(s_ui_object* first, s_ui_object* object) {
    if (s_ui_object* lost = FirstFocused(first)) {
        lost->flags &= ~UI_OBJ_FLAG_FOCUS;
        UIObjectEvent(lost, UI_OBJ_EVENT_DEFOCUS);
    }
    if (object != nullptr) {
        object->flags |= UI_OBJ_FLAG_FOCUS;
        UIObjectEvent(object, UI_OBJ_EVENT_FOCUS);
    }
}

bool TakesTopLevelFocus(const s_ui_object* object) {
    return object->type == UI_OBJ_WINDOW || object->type == UI_OBJ_MENUBAR;
}

}  // namespace

void UIObjectFocus(s_ui_object* object) {
    MoveFocus(UIObjectList.next, object);
}

void UIObjectFocusChild(s_ui_object* parent, s_ui_object* child) {
    MoveFocus(parent->childNext, child);
}

void UIObjectFocusNextChild(s_ui_object* parent) {
    s32 smallest = INT_MAX;
    s32 largest = INT_MIN;
    const s_ui_object* focused = nullptr;
    for (s_ui_object* child = parent->childNext; child != nullptr; child = child->next) {
        if (child->type != UI_OBJ_LINE_EDIT)
            continue;
        smallest = child->id < smallest ? child->id : smallest;
        largest = child->id > largest ? child->id : largest;
        if ((child->flags & UI_OBJ_FLAG_FOCUS) != 0 && focused == nullptr)
            focused = child;
    }
    if (smallest > largest)
        return;  // no line edit
    const s32 target = (focused == nullptr || focused->id == largest) ? smallest : focused->id + 1;
    s_ui_object* best = nullptr;
    for (s_ui_object* child = parent->childNext; child != nullptr; child = child->next) {
        if (child->type == UI_OBJ_LINE_EDIT && child->id >= target &&
            (best == nullptr || child->id < best->id))
            best = child;
    }
    if (best != nullptr)
        UIObjectFocusChild(parent, best);
}

void UIObjectUpdateFocus() {
    // Only the − button moves the top-level focus: a faded UI (UIAlpha 0) stays as
    // it is until the button brings it back.
    if ((Pad[PadActivePad].bnew & PAD_MINUS) == 0)
        return;
    UIAlpha = 1.0f;
    if (UIObjectList.next == nullptr)
        return;
    s_ui_object* lost = FirstFocused(UIObjectList.next);
    if (lost != nullptr) {
        lost->flags &= ~UI_OBJ_FLAG_FOCUS;
        UIObjectEvent(lost, UI_OBJ_EVENT_DEFOCUS);
    }
    s32 remaining = 0;
    for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next)
        ++remaining;
    // One turn of the list at most, wrapping from its end to its head.
    s_ui_object* object = lost != nullptr ? lost->next : UIObjectList.next;
    for (; remaining > 0; --remaining, object = object->next) {
        if (object == nullptr)
            object = UIObjectList.next;
        if (object == lost)
            return;
        if (TakesTopLevelFocus(object)) {
            object->flags |= UI_OBJ_FLAG_FOCUS;
            UIObjectEvent(object, UI_OBJ_EVENT_FOCUS);
            return;
        }
    }
}

void UIObjectUpdateChildFocus(s_ui_object* parent) {
    if (Keyboard.keyRepeat == KEY_TAB)
        UIObjectFocusNextChild(parent);
    if ((Mouse.buttonNew & MOUSE_BUTTON_1) == 0)
        return;
    for (s_ui_object* child = parent->childNext; child != nullptr; child = child->next) {
        if (child->type == UI_OBJ_LINE_EDIT && UIMouseWithin(&child->rect)) {
            UIObjectFocusChild(parent, child);
            return;
        }
    }
}
