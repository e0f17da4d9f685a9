#include <cstdio>

#include "orblib47/source/Font.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UIDialogInternal.h"
#include "orblib47/source/UIDialogs.h"

s_scrollbar_obj* RedScrollbar = nullptr;
s_scrollbar_obj* GreenScrollbar = nullptr;
s_scrollbar_obj* BlueScrollbar = nullptr;
s_scrollbar_obj* AlphaScrollbar = nullptr;
u32* RGBADst = nullptr;
s_Vector4* RGBAVectorDst = nullptr;

namespace {

constexpr const char* kLabels[4] = {"R", "G", "B", "A"};

s_scrollbar_obj** Sliders[4] = {&RedScrollbar, &GreenScrollbar, &BlueScrollbar, &AlphaScrollbar};

s32 Component(s32 k) {
    return s32((*Sliders[k])->value);
}

u32 ChosenColor() {
    return u32(Component(0)) << 24 | u32(Component(1)) << 16 | u32(Component(2)) << 8 | u32(Component(3));
}

// A component outside 0..1 is taken at the nearer end, within its own byte.
u32 PackComponent(f32 v) {
    const f32 within = v < 0.0f ? 0.0f : v > 1.0f ? 1.0f : v;
    return u32(within * 255.0f);
}

void DrawColorWindow(s_ui_object* window) {
    UIStartDrawToWindow(window);
    f32 sx = 1.0f;
    f32 sy = 1.0f;
    FontGetScale(&sx, &sy);
    UISetFlatColor(0x000000FF);
    for (s32 k = 0; k < 4; ++k) {
        const f32 y = f32(46 + 28 * k) * sy;
        UIFontDrawString(kLabels[k], 10.0f * sx, y);
        char value[16];
        std::snprintf(value, sizeof(value), "%d", Component(k));
        FontSetJustification(FONT_JUSTIFY_RIGHT);
        UIFontDrawString(value, 10.0f * sx + 262.0f, y);
        FontSetJustification(FONT_JUSTIFY_LEFT);
    }
    const s_Irect16 swatch{s16(window->rect.w + 10), 0, 60, 60};
    UISetFlatColor(ChosenColor());
    UIDrawBeveledRect(&swatch, 0x808080FF, 0x808080FF);
    UIEndDrawToWindow();
}

s32 ColorWindowFunc(s_ui_object* window, e_ui_obj_event_type event) {
    if (event == UI_OBJ_EVENT_DRAW)
        DrawColorWindow(window);
    return 0;
}

s32 CancelFunc(s_button_obj* button) {
    UIObjectClose(button->obj.parent);
    return 1;
}

s32 OkayFunc(s_button_obj* button) {
    if (RGBADst != nullptr)
        *RGBADst = ChosenColor();
    if (RGBAVectorDst != nullptr) {
        RGBAVectorDst->x = f32(Component(0)) / 255.0f;
        RGBAVectorDst->y = f32(Component(1)) / 255.0f;
        RGBAVectorDst->z = f32(Component(2)) / 255.0f;
        RGBAVectorDst->w = f32(Component(3)) / 255.0f;
    }
    UIObjectClose(button->obj.parent);
    return 1;
}

}  // namespace

s_window_obj* RGBADialogOpen(s32 cx, s32 cy, const char* title, u32* color) {
    const UIDialogTextScale scale;
    constexpr s32 w = 364;
    constexpr s32 h = 140;
    const s_Irect16 rect{s16(cx - w / 2), s16(cy - h / 2), s16(w), s16(h)};
    RGBADst = color;
    RGBAVectorDst = nullptr;
    s_window_obj* window =
        WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE | WINDOW_MODAL, title, ColorWindowFunc);
    if (window == nullptr)
        return nullptr;
    for (s32 k = 0; k < 4; ++k) {
        const s_Irect16 sliderRect{30, s16(26 + 28 * k), 200, 20};
        const s32 byte = s32(*color >> (24 - 8 * k) & 0xFFu);
        *Sliders[k] = ScrollbarOpen(&sliderRect, SCROLLBAR_HORIZONTAL, 1, 256, byte);
        if (*Sliders[k] == nullptr) {
            UIObjectClose(&window->obj);
            return nullptr;
        }
        UIObjectLink(&window->obj, &(*Sliders[k])->obj);
    }
    s_button_obj* cancel = UIDialogButton(window, w - 82, h - 34, "Cancel", PAD_B, CancelFunc);
    s_button_obj* okay = UIDialogButton(window, w - 82, h - 65, "Okay", PAD_A, OkayFunc);
    if (cancel != nullptr && okay != nullptr)
        okay->obj.rect.w = cancel->obj.rect.w;
    return window;
}

s_window_obj* RGBAVectorDialogOpen(s32 cx, s32 cy, const char* title, s_Vector4* color) {
    u32 packed = PackComponent(color->x) << 24 | PackComponent(color->y) << 16 |
                 PackComponent(color->z) << 8 | PackComponent(color->w);
    s_window_obj* window = RGBADialogOpen(cx, cy, title, &packed);
    RGBADst = nullptr;
    RGBAVectorDst = color;
    return window;
}
