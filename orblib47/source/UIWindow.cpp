#include <cstdio>

#include "orblib47/source/Font.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIWidget.h"

namespace {

// Keeps the close box at the right edge, then drags the window by its title bar.
// Only the pointer pass drags: a focused window also gets the pad pass, which
// would move it twice.
void WindowUI(s_window_obj* window, e_ui_obj_event_type event) {
    if (window->closeButton != nullptr)
        window->closeButton->obj.rect.x = s16(window->obj.rect.w - 20);
    if (event != UI_OBJ_EVENT_MOUSE_UI)
        return;
    s_Irect16& rect = window->obj.rect;
    if (window->state == WIN_STATE_IDLE) {
        if ((Mouse.buttonNew & UI_MOUSE_BUTTONS) == 0 || !UIMouseWithinRelative(&rect, &window->titleBarRect))
            return;
        window->state = WIN_STATE_MOVE;
    } else if ((Mouse.buttonDown & UI_MOUSE_BUTTONS) == 0) {
        window->state = WIN_STATE_IDLE;
        return;
    }
    rect.x = s16(rect.x + Mouse.analog[MOUSE_MOVE_X]);
    rect.y = s16(rect.y + Mouse.analog[MOUSE_MOVE_Y]);
}

void DrawWindow(s_window_obj* window) {
    if ((window->flags & WINDOW_FRAME) == 0)
        return;
    const s_Irect16& rect = window->obj.rect;
    // Only the background fades; the frame's edges keep their colours.
    UISetFlatColor(window->bkgColor);
    UIDrawBeveledRect(&rect, UI_BEVEL_LIGHT, UI_BEVEL_DARK, false);
    if ((window->flags & WINDOW_TITLE) == 0)
        return;
    const bool focused = (window->obj.flags & UI_OBJ_FLAG_FOCUS) != 0;
    s_Irect16& bar = window->titleBarRect;
    bar.w = s16(rect.w - 8);
    UISetFlatColor(focused ? 0x000040FF : 0x202020FF);
    UIDrawRectRelative(&rect, &bar);
    UISetFlatColor(focused ? 0x808080FF : 0x404040FF);
    UIFontDrawStringRelative(&rect, window->title, f32(bar.x + 4), f32(bar.y + bar.h));
}

s32 WindowSystemFunc(s_ui_object* object, e_ui_obj_event_type event) {
    auto* window = reinterpret_cast<s_window_obj*>(object);
    switch (event) {
        case UI_OBJ_EVENT_MOUSE_UI:
        case UI_OBJ_EVENT_PAD_UI:
            WindowUI(window, event);
            return 1;
        case UI_OBJ_EVENT_DRAW:
            DrawWindow(window);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

s_window_obj* WindowOpen(const s_Irect16* rect, u32 style, const char* title, UIObjectEventFunc userFunc) {
    auto* window = UIObjectOpen<s_window_obj>(UI_OBJ_WINDOW, WindowSystemFunc);
    if (window == nullptr)
        return nullptr;
    window->obj.rect = *rect;
    window->obj.userFunc = userFunc;
    window->bkgColor = 0x505050FF;
    window->flags = style;
    window->state = WIN_STATE_IDLE;
    window->titleBarRect = {4, 2, s16(rect->w - 8), s16(FontCharHeight() + 3.0f)};
    if (title != nullptr)
        std::snprintf(window->title, sizeof(window->title), "%s", title);
    if ((style & WINDOW_CLOSE) != 0) {
        window->closeButton =
            ButtonOpenType(rect->w - 18, 6, 12, UI_OBJ_BUTTON_TYPE_CLOSE, WinCloseButtonFunc);
        if (window->closeButton != nullptr) {
            window->closeButton->padKey = PAD_B;
            UIObjectLink(&window->obj, &window->closeButton->obj);
        }
    }
    UIObjectRecordInsertList(&window->obj);
    if ((style & WINDOW_MODAL) != 0)
        window->obj.flags |= UI_OBJ_FLAG_MODAL;
    UIObjectFocus(&window->obj);
    return window;
}

s32 WinCloseButtonFunc(s_button_obj* button) {
    s_ui_object* window = button->obj.parent;
    if (UIObjectEvent(window, UI_OBJ_EVENT_CLOSE) == 0)
        UIObjectClose(window);
    UIFadeOutEnable(1);
    return 1;
}
