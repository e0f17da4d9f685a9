#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIDialogInternal.h"
#include "orblib47/source/UIDialogs.h"

s32 DialogState = 0;
const char* const* DialogStrings = nullptr;
s32 NumDialogStrings = 0;

namespace {

void DrawLines(s_ui_object* window) {
    UIStartDrawToWindow(window);
    FontSet(DebugFont);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    s_Vector2 sprite;
    DrawGetSpriteScale(&sprite);
    const f32 x = f32(window->rect.w / 2);
    f32 y = 50.0f * sprite.y;
    for (s32 k = 0; k < NumDialogStrings; ++k, y += FontCharHeight()) {
        UISetFlatColor(k == 0 ? 0xFFFFFFFF : 0x000000FF);
        UIFontDrawString(DialogStrings[k], x, y);
    }
    FontSetJustification(FONT_JUSTIFY_LEFT);
    UIEndDrawToWindow();
}

// Leaves every event to the window, so that its close box closes it.
s32 MessageFunc(s_ui_object* window, e_ui_obj_event_type event) {
    if (event == UI_OBJ_EVENT_DRAW)
        DrawLines(window);
    else if (event == UI_OBJ_EVENT_CLOSE)
        DialogState = 0;
    return 0;
}

s32 OkayFunc(s_button_obj* button) {
    UIObjectClose(button->obj.parent);
    UIFadeOutEnable(1);
    DialogState = 0;
    return 1;
}

}  // namespace

s_window_obj* DialogOpen(s32 cx, s32 cy, const char* const* lines, s32 count, const char* title) {
    DialogStrings = lines;
    NumDialogStrings = count;
    FontSet(DebugFont);
    const UIDialogTextScale scale;
    f32 widest = 0.0f;
    for (s32 k = 0; k < count; ++k) {
        const f32 w = FontStringWidth(lines[k]);
        widest = w > widest ? w : widest;
    }
    const s32 w = s32(widest) + 20;
    const s32 h = s32(FontCharHeight() * f32(count)) + 80;
    const s_Irect16 rect{s16(cx - w / 2), s16(cy - h / 2), s16(w), s16(h)};
    s_window_obj* window =
        WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_CLOSE | WINDOW_MODAL, title, MessageFunc);
    if (window == nullptr)
        return nullptr;
    UIDialogButton(window, w / 2 - 24, h - 32, "Okay", PAD_A, OkayFunc);
    DialogState = 1;
    return window;
}
