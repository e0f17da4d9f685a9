#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UITextWidget.h"

namespace {

void TellUser(s_listbox_obj* list) {
    if (list->obj.userFunc != nullptr)
        list->obj.userFunc(&list->obj, UI_OBJ_EVENT_USER);
}

void FollowTop(s_listbox_obj* list) {
    if (list->scrollbar != nullptr)
        ScrollbarSetValue(list->scrollbar, f32(list->top));
}

s32 Clamp(s32 v, s32 low, s32 high) {
    return v < low ? low : v > high ? high : v;
}

void ListboxAdjustValue(s_listbox_obj* list, s32 step) {
    list->index = Clamp(list->index + step, 0, list->numItems - 1);
    if (list->index < list->top)
        list->top = list->index;
    if (list->index - list->top > list->height - 1)
        list->top = list->index - (list->height - 1);
    FollowTop(list);
    TellUser(list);
}

void ListboxPadUI(s_listbox_obj* list) {
    const s_pad& pad = Pad[PadActivePad];
    const s32 step = (pad.bdown & PAD_2) != 0 ? 10 : 1;
    if ((pad.brepeat & PAD_UP) != 0)
        ListboxAdjustValue(list, -step);
    else if ((pad.brepeat & PAD_DOWN) != 0)
        ListboxAdjustValue(list, step);
}

void ListboxMouseUI(s_listbox_obj* list) {
    if (list->scrollbar != nullptr && (list->scrollbar->flags & SCROLLBAR_CHANGED) != 0) {
        list->top = s32(list->scrollbar->value);
        return;
    }
    const s_Irect16& r = list->obj.rect;
    if (!UIMouseWithin(&r) || list->lineHeight <= 0)
        return;
    if (const s32 wheel = Mouse.analog[MOUSE_WHEEL]; wheel != 0) {
        list->top = Clamp(list->top - wheel, 0, list->numItems - list->height);
        FollowTop(list);
    }
    const s32 line = list->top + (Mouse.analog[MOUSE_Y] - r.y - 4) / list->lineHeight;
    if (line >= list->numItems || line - list->top >= list->height)
        return;
    if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) != 0) {
        list->index = line;
        FollowTop(list);
        TellUser(list);
    } else if ((Mouse.buttonReleased & UI_MOUSE_BUTTONS) != 0) {
        TellUser(list);
    }
}

void DrawListbox(s_listbox_obj* list) {
    s_Irect16 frame = list->obj.rect;
    if (list->scrollbar != nullptr)
        frame.w = s16(frame.w + list->scrollbar->obj.rect.w + 1);
    UISetFlatColor(list->bkgColor);
    if ((list->flags & LISTBOX_RAISED) != 0)
        UIDrawBeveledRect(&frame, UI_BEVEL_LIGHT, UI_BEVEL_DARK);
    else
        UIDrawBeveledRect(&frame, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
    const s_Irect16& r = list->obj.rect;
    for (s32 row = 0; row < list->height && list->top + row < list->numItems; ++row) {
        const s32 line = list->top + row;
        const s32 baseline = r.y + list->lineHeight * (row + 1) + 4;
        if (line == list->index) {
            const s_Irect16 band{r.x, s16(baseline - list->lineHeight), r.w, list->lineHeight};
            UISetFlatColor(list->hiliteColor);
            UIDrawRect(&band);
            UISetFlatColor(0x808080FF);
        } else {
            UISetFlatColor(list->textColor);
        }
        UIFontDrawString(list->items[line], f32(r.x + 8), f32(baseline));
    }
}

s32 ListboxSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* list = reinterpret_cast<s_listbox_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            ListboxMouseUI(list);
            return 1;
        case UI_OBJ_EVENT_PAD_UI:
            ListboxPadUI(list);
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawListbox(list);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_listbox_obj* ListboxOpen(s32 x, s32 y, const s_listbox* description, UIObjectEventFunc userFunc) {
    auto* list = UIObjectOpen<s_listbox_obj>(UI_OBJ_LISTBOX, ListboxSystemFunc);
    if (list == nullptr)
        return nullptr;
    const f32 lineHeight = FontCharHeight();
    f32 width = f32(description->width);
    for (s32 k = 0; k < description->numItems; ++k) {
        const f32 w = FontStringWidth(description->items[k]);
        width = w > width ? w : width;
    }
    const s32 visible = description->height != 0 ? description->height : description->numItems;
    list->obj.rect = {s16(x), s16(y), s16(width + 16.0f * FontScaleX),
                      s16(lineHeight * f32(visible) + 8.0f * FontScaleY)};
    list->obj.id = s32(description->id);
    list->obj.userFunc = userFunc;
    list->flags = description->flags & LISTBOX_RAISED;
    list->items = description->items;
    list->numItems = description->numItems;
    list->height = s16(visible);
    list->lineHeight = s16(lineHeight);
    list->bkgColor = 0x505050FF;
    list->textColor = 0x000000FF;
    list->hiliteColor = 0x000028FF;
    UIObjectRecordInsertList(&list->obj);
    if (visible < list->numItems) {
        const s_Irect16& r = list->obj.rect;
        const s_Irect16 barRect{r.w, s16(2.0f * FontScaleY), s16(24.0f * FontScaleX),
                                s16(f32(r.h) - 3.0f * FontScaleY)};
        list->scrollbar = ScrollbarOpen(&barRect, 0, visible, list->numItems, 0);
        if (list->scrollbar != nullptr) {
            list->flags |= LISTBOX_SCROLLBAR;
            UIObjectLink(&list->obj, &list->scrollbar->obj);
        }
    }
    return list;
}

void ListboxSetSelection(s_listbox_obj* list, s32 line) {
    list->index = line;
    if (line >= list->height) {
        list->top = line > list->numItems - list->height ? list->numItems - list->height : line;
        if (list->top < 0)
            list->top = 0;
    }
    FollowTop(list);
}

s32 ListboxGetWidth(const s_listbox_obj* list) {
    if (list->scrollbar == nullptr)
        return list->obj.rect.w;
    return list->obj.rect.w + list->scrollbar->obj.rect.w + 1;
}
