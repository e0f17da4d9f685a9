#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIDialogInternal.h"
#include "orblib47/source/UIDialogs.h"

s32 ListDialogState = LIST_DIALOG_NONE;
s32 ListDialogSelection = 0;
s_listbox ListDialogListBox{0, 0, nullptr, 0, 220, 10};
s_listbox ListDialogListBox2{0, 0, nullptr, 0, 128, 8};

namespace {

s32 ListboxFunc(s_ui_object* object, e_ui_obj_event_type event) {
    ListDialogSelection = reinterpret_cast<s_listbox_obj*>(object)->index;
    if (event == UI_OBJ_EVENT_USER && (Mouse.buttonDoubleClick & UI_MOUSE_BUTTONS) != 0)
        ListDialogState = LIST_DIALOG_CHOSEN;
    return 0;
}

s32 ChooseFunc(s_button_obj*) {
    ListDialogState = LIST_DIALOG_CHOSEN;
    return 1;
}

s32 CancelFunc(s_button_obj*) {
    ListDialogState = LIST_DIALOG_CANCELLED;
    UIFadeOutEnable(1);
    return 1;
}

// The window with its list at (10, 28), sized later by the caller; null when the
// pool is empty.
s_window_obj* OpenWithList(s32 x, s32 y, s_listbox* description, const char* const* items, s32 count,
                           s32 selection, const char* title, s_listbox_obj** list) {
    FontSet(DebugFont);
    description->items = items;
    description->numItems = count;
    const s_Irect16 rect{s16(x), s16(y), 0, 0};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, title, nullptr);
    if (window == nullptr)
        return nullptr;
    *list = ListboxOpen(10, 28, description, ListboxFunc);
    if (*list == nullptr) {
        UIObjectClose(&window->obj);
        return nullptr;
    }
    ListboxSetSelection(*list, selection);
    UIObjectLink(&window->obj, &(*list)->obj);
    ListDialogSelection = selection;
    return window;
}

}  // namespace

s_window_obj* ListDialogOpen(s32 x, s32 y, const char* const* items, s32 count, const char* label,
                             s32 selection, const char* title) {
    const UIDialogTextScale scale;
    s_listbox_obj* list = nullptr;
    s_window_obj* window = OpenWithList(x, y, &ListDialogListBox, items, count, selection, title, &list);
    if (window == nullptr)
        return nullptr;
    s_Irect16& r = window->obj.rect;
    r.w = s16(ListboxGetWidth(list) + 130);
    r.h = s16(list->obj.rect.h + 36);
    r.x = s16(DrawContext.screenSize.x / 2 - r.w / 2);
    UIDialogButton(window, r.w - 84, r.h - 64, label, PAD_A, ChooseFunc);
    UIDialogButton(window, r.w - 84, r.h - 32, "Cancel", PAD_B, CancelFunc);
    ListDialogState = LIST_DIALOG_OPEN;
    return window;
}

s_window_obj* ListDialogOpen2(s32 x, s32 y, const char* const* items, s32 count, const char*, s32 selection,
                              const char* title) {
    const UIDialogTextScale scale;
    s_listbox_obj* list = nullptr;
    s_window_obj* window = OpenWithList(x, y, &ListDialogListBox2, items, count, selection, title, &list);
    if (window == nullptr)
        return nullptr;
    s_Irect16& r = window->obj.rect;
    r.w = s16(ListboxGetWidth(list) + 43);
    r.h = s16(list->obj.rect.h + 66);
    UIDialogButton(window, r.w - 56, r.h - 32, "Close", PAD_B, CancelFunc);
    ListDialogState = LIST_DIALOG_CHOSEN;
    return window;
}

s32 ListDialogQuery(s_window_obj*, s32* selection) {
    *selection = ListDialogSelection;
    return ListDialogState;
}

void ListDialogClose(s_window_obj* dialog) {
    UIObjectClose(&dialog->obj);
    ListDialogState = LIST_DIALOG_NONE;
}
