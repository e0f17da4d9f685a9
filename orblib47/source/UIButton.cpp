#include <cstdio>

#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIWidget.h"

namespace {

void DrawButton(s_button_obj* button) {
    const s_Irect16& r = button->obj.rect;
    UIDrawButtonFace(&r, button->bkgColor, button->state);
    UISetFlatColor(button->textColor);
    switch (button->type) {
        case UI_OBJ_BUTTON_TYPE_CLOSE:
            UIDrawLine(r.x + 1, r.y + 1, r.x + r.w - 1, r.y + r.h - 1);
            UIDrawLine(r.x + r.w - 1, r.y + 1, r.x + 1, r.y + r.h - 1);
            break;
        case UI_OBJ_BUTTON_TYPE_TEXT:
            FontSetJustification(FONT_JUSTIFY_CENTRE);
            UIFontDrawString(button->text, f32(r.x + r.w / 2 + 2), f32(r.y + r.h - 3));
            FontSetJustification(FONT_JUSTIFY_LEFT);
            break;
        case UI_OBJ_BUTTON_TYPE_ICON:
            break;
    }
}

s32 ButtonSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* button = reinterpret_cast<s_button_obj*>(object);
    bool clicked = false;
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
            clicked = UIButtonClicked(&button->state, &object->rect) != 0;
            break;
        case UI_OBJ_EVENT_PAD_UI:
            clicked = UIButtonPadClicked(&button->state, button->padKey) != 0;
            break;
        case UI_OBJ_EVENT_DRAW:
            DrawButton(button);
            return 1;
        default:
            return 0;
    }
    if (clicked && button->func != nullptr)
        button->func(button);
    return 1;
}

s_button_obj* OpenButton(s32 x, s32 y, s32 w, s32 h, e_ui_obj_button_type type, s32 (*func)(s_button_obj*)) {
    auto* button = UIObjectOpen<s_button_obj>(UI_OBJ_BUTTON, ButtonSystemFunc);
    if (button == nullptr)
        return nullptr;
    button->obj.rect = {s16(x), s16(y), s16(w), s16(h)};
    button->state = BUTTON_UP;
    button->type = type;
    button->bkgColor = 0x505050FF;
    button->textColor = 0x000000FF;
    button->func = func;
    UIObjectRecordInsertList(&button->obj);
    return button;
}

}  // namespace

s_button_obj* ButtonOpen(s32 x, s32 y, const char* label, s32 (*func)(s_button_obj*)) {
    const s32 w = s32(FontStringWidth(label) + 16.0f * FontScaleX);
    const s32 h = s32(FontCharHeight() + 8.0f * FontScaleY);
    s_button_obj* button = OpenButton(x, y, w, h, UI_OBJ_BUTTON_TYPE_TEXT, func);
    if (button != nullptr)
        std::snprintf(button->text, sizeof(button->text), "%s", label);
    return button;
}

s_button_obj* ButtonOpenType(s32 x, s32 y, s32 size, e_ui_obj_button_type type, s32 (*func)(s_button_obj*)) {
    return OpenButton(x, y, size, size, type, func);
}

s32 ScrollbarButtonUI(e_button_state* state, const s_Irect16* rect) {
    if (*state != BUTTON_UP) {
        if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) == 0) {
            *state = BUTTON_UP;
            return 0;
        }
        *state = UIMouseWithin(rect) ? BUTTON_DOWN : BUTTON_DOWN_OUTSIDE;
        return *state == BUTTON_DOWN ? 1 : 0;
    }
    if ((Mouse.buttonNew & UI_MOUSE_BUTTONS) != 0 && UIMouseWithin(rect)) {
        *state = BUTTON_DOWN;
        return 1;
    }
    return 0;
}

s32 UIButtonClicked(e_button_state* state, const s_Irect16* rect) {
    const bool wasDown = *state == BUTTON_DOWN;
    ScrollbarButtonUI(state, rect);
    return wasDown && *state == BUTTON_UP && (Mouse.buttonReleased & UI_MOUSE_BUTTONS) != 0 &&
                   UIMouseWithin(rect)
               ? 1
               : 0;
}

s32 UIButtonPadClicked(e_button_state* state, u32 padKey) {
    const s_pad& pad = Pad[PadActivePad];
    if ((pad.bdown & padKey) != 0) {
        *state = BUTTON_DOWN;
        return 0;
    }
    if ((pad.breleased & padKey) != 0) {
        *state = BUTTON_UP;
        return 1;
    }
    return 0;
}

void UIDrawButtonFace(const s_Irect16* rect, u32 color, e_button_state state) {
    UISetFlatColor(color);
    if (state == BUTTON_UP)
        UIDrawBeveledRect(rect, UI_BEVEL_LIGHT, UI_BEVEL_DARK);
    else
        UIDrawBeveledRect(rect, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
}
