#include <cstdio>

#include "orblib47/source/Font.h"
#include "orblib47/source/UIWidget.h"

namespace {

void DrawCheckBox(s_checkbox_obj* box) {
    const s_Irect16& r = box->obj.rect;
    const s_Irect16 square{s16(r.x + 2), s16(r.y + 2), s16(r.h - 4), s16(r.h - 4)};
    UIDrawButtonFace(&square, (box->flags & CHECKBOX_CHECKED) != 0 ? 0x288028FF : 0x505050FF, box->state);
    UISetFlatColor((box->flags & CHECKBOX_ENABLED) != 0 ? box->textColor : 0x1E1E1EFF);
    UIFontDrawString(box->text, f32(r.x + square.w + 8), f32(r.y + r.h + 2));
}

s32 CheckBoxSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* box = reinterpret_cast<s_checkbox_obj*>(object);
    const bool enabled = (box->flags & CHECKBOX_ENABLED) != 0;
    bool clicked = false;
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            clicked = enabled && UIButtonClicked(&box->state, &object->rect) != 0;
            break;
        case UI_OBJ_EVENT_PAD_UI:
            clicked = enabled && UIButtonPadClicked(&box->state, box->padKey) != 0;
            break;
        case UI_OBJ_EVENT_DRAW:
            DrawCheckBox(box);
            return 1;
        default:
            return 0;
    }
    if (clicked) {
        box->flags ^= CHECKBOX_CHECKED;
        if (box->func != nullptr)
            box->func(box);
    }
    return 1;
}

}  // namespace

s_checkbox_obj* CheckBoxOpen(s32 x, s32 y, const char* label, u16 id, void (*func)(s_checkbox_obj*)) {
    auto* box = UIObjectOpen<s_checkbox_obj>(UI_OBJ_CHECKBOX, CheckBoxSystemFunc);
    if (box == nullptr)
        return nullptr;
    const f32 lineHeight = FontCharHeight();
    box->obj.rect = {s16(x), s16(y), s16(FontStringWidth(label) + lineHeight + 8.0f), s16(lineHeight)};
    box->flags = CHECKBOX_ENABLED;
    box->state = BUTTON_UP;
    std::snprintf(box->text, sizeof(box->text), "%s", label);
    box->textColor = 0x000000FF;
    box->func = func;
    box->id = id;
    UIObjectRecordInsertList(&box->obj);
    return box;
}

void CheckBoxSetCheck(s_checkbox_obj* box, s32 checked) {
    if (checked != 0)
        box->flags |= CHECKBOX_CHECKED;
    else
        box->flags &= ~CHECKBOX_CHECKED;
}

s32 CheckBoxGet(const s_checkbox_obj* box) {
    return (box->flags & CHECKBOX_CHECKED) != 0 ? 1 : 0;
}
