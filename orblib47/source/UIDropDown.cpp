#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/UITextWidget.h"

namespace {

// The field and its open list point at each other, and a tool may close either
// alone (the field, or the window the list was linked to): a link counts only
// while both records are open and the other end still points back.
bool IsOpenPair(const s_multi_edit_obj* drop, const s_listbox_obj* list) {
    return drop != nullptr && list != nullptr && UIObjectIsOpen(&drop->obj) && UIObjectIsOpen(&list->obj) &&
           drop->obj.type == UI_OBJ_MULTI_EDIT && drop->listbox == list && list->obj.extra == &drop->obj;
}

s32 MultiEditListboxFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* list = reinterpret_cast<s_listbox_obj*>(object);
    auto* drop = reinterpret_cast<s_multi_edit_obj*>(object->extra);
    if (!IsOpenPair(drop, list)) {
        UIObjectRequestClose(object);  // its field is gone: nothing to choose for
        return 0;
    }
    if (event != UI_OBJ_EVENT_USER || (Mouse.buttonReleased & UI_MOUSE_BUTTONS) == 0)
        return 0;
    drop->value = list->index;
    drop->listbox = nullptr;
    UIObjectClose(object);
    return 0;
}

void OpenChoices(s_multi_edit_obj* drop) {
    // The list measures its lines in the field's font.
    s_font* font = FontSet(drop->obj.font);
    f32 scaleX = 1.0f;
    f32 scaleY = 1.0f;
    FontGetScale(&scaleX, &scaleY);
    FontSetScale(drop->obj.scale.x, drop->obj.scale.y);
    const s_Irect16& r = drop->obj.rect;
    const s_listbox description{0, drop->numItems, drop->items, 0, 0, 6};
    s_listbox_obj* list = ListboxOpen(r.x, r.y + r.h + 2, &description, MultiEditListboxFunc);
    FontSet(font);
    FontSetScale(scaleX, scaleY);
    if (list == nullptr)
        return;
    list->obj.extra = &drop->obj;
    drop->listbox = list;
    if (s_ui_object* parent = drop->obj.parent) {
        UIObjectLink(parent, &list->obj);
        UIObjectFocusChild(parent, &list->obj);
    }
    ListboxSetSelection(list, drop->value);
}

void MultiEditMouseUI(s_multi_edit_obj* drop) {
    if (ScrollbarButtonUI(&drop->buttonState, &drop->buttonRect) == 0 ||
        (Mouse.buttonNew & UI_MOUSE_BUTTONS) == 0)
        return;
    const bool open = drop->listbox != nullptr && IsOpenPair(drop, drop->listbox);
    if (open)
        UIObjectClose(&drop->listbox->obj);
    drop->listbox = nullptr;
    if (!open)
        OpenChoices(drop);
}

void DrawMultiEdit(s_multi_edit_obj* drop) {
    const s_Irect16& r = drop->obj.rect;
    UISetFlatColor(drop->bkgColor);
    UIDrawBeveledRect(&r, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
    UISetFlatColor(drop->textColor);
    if (drop->value >= 0 && drop->value < drop->numItems)
        UIFontDrawString(drop->items[drop->value], f32(r.x + 8), f32(r.y + r.h));
    const s_Irect16& b = drop->buttonRect;
    UIDrawButtonFace(&b, drop->bkgColor, drop->buttonState);
    // The arrow of the scroll bars' buttons.
    s_font* font = FontSet(DebugIconFont);
    FontSetScale(0.75f, 0.75f);
    UISetFlatColor(drop->textColor);
    UIFontDrawChar(DEBUG_ICON_DOWN, f32(b.x + 4), f32(b.y + b.h - 2));
    FontSet(font);
    FontSetScale(drop->obj.scale.x, drop->obj.scale.y);
}

s32 MultiEditSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* drop = reinterpret_cast<s_multi_edit_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            MultiEditMouseUI(drop);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawMultiEdit(drop);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_multi_edit_obj* MultiEditOpen(s32 x, s32 y, const char* const* items, s32 numItems, s32 value) {
    auto* drop = UIObjectOpen<s_multi_edit_obj>(UI_OBJ_MULTI_EDIT, MultiEditSystemFunc);
    if (drop == nullptr)
        return nullptr;
    const s32 h = s32(FontCharHeight()) + 4;
    f32 widest = 0.0f;
    for (s32 k = 0; k < numItems; ++k) {
        const f32 w = FontStringWidth(items[k]);
        widest = w > widest ? w : widest;
    }
    drop->obj.rect = {s16(x), s16(y), s16(s32(widest) + h + 16), s16(h)};
    drop->buttonRect = {s16(x + drop->obj.rect.w - h), s16(y), s16(h), s16(h)};
    drop->value = value;
    drop->bkgColor = 0x505050FF;
    drop->textColor = 0x000000FF;
    drop->hiliteColor = 0x000028FF;
    drop->items = items;
    drop->numItems = numItems;
    UIObjectRecordInsertList(&drop->obj);
    return drop;
}

void MultiEditSetPos(s_multi_edit_obj* drop, s32 x, s32 y) {
    drop->obj.rect.x = s16(x);
    drop->obj.rect.y = s16(y);
    drop->buttonRect.x = s16(x + drop->obj.rect.w - drop->buttonRect.w);
    drop->buttonRect.y = s16(y);
}

s32 MultiEditGet(const s_multi_edit_obj* drop) {
    return drop->value;
}
