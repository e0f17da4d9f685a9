// What the stock dialogs' files share with each other only.
#pragma once

#include "orblib47/source/Font.h"
#include "orblib47/source/UIWidget.h"

// The dialogs hand the caller's text scale back when they return.
struct UIDialogTextScale {
    UIDialogTextScale() { FontGetScale(&x, &y); }
    ~UIDialogTextScale() { FontSetScale(x, y); }
    UIDialogTextScale(const UIDialogTextScale&) = delete;
    UIDialogTextScale& operator=(const UIDialogTextScale&) = delete;
    f32 x = 1.0f;
    f32 y = 1.0f;
};

// A button with a pad key under the window; null when the pool is empty.
inline s_button_obj* UIDialogButton(s_window_obj* window, s32 x, s32 y, const char* label, u32 padKey,
                                    s32 (*func)(s_button_obj*)) {
    s_button_obj* button = ButtonOpen(x, y, label, func);
    if (button != nullptr) {
        button->padKey = padKey;
        UIObjectLink(&window->obj, &button->obj);
    }
    return button;
}
