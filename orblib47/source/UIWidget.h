// The toolkit's basic widgets: the window that holds other objects, the push
// button, the check box and the scroll bar. Each record begins with its
// s_ui_object header `obj`.
#pragma once

#include "orblib47/source/UIObject.h"

enum e_button_state : s32 {
    BUTTON_UP = 0,
    BUTTON_DOWN = 1,          // pressed with the pointer inside
    BUTTON_DOWN_OUTSIDE = 2,  // still held, the pointer outside
};

enum e_window_state : s32 {
    WIN_STATE_IDLE = 0,
    WIN_STATE_MOVE = 1,  // dragged by its title bar
};

enum e_ui_obj_button_type : s32 {
    UI_OBJ_BUTTON_TYPE_TEXT = 0,   // a labelled button
    UI_OBJ_BUTTON_TYPE_CLOSE = 1,  // a square with a cross
    UI_OBJ_BUTTON_TYPE_ICON = 2,   // the bevel only; the owner draws the picture
};

// Window style bits.
constexpr u32 WINDOW_FRAME = 0x1;  // frame and background drawn
constexpr u32 WINDOW_TITLE = 0x2;
constexpr u32 WINDOW_CLOSE = 0x4;
constexpr u32 WINDOW_MODAL = 0x8;

constexpr u32 CHECKBOX_ENABLED = 0x1;
constexpr u32 CHECKBOX_CHECKED = 0x4;

constexpr u32 SCROLLBAR_CHANGED = 0x1;  // the value changed in the last pointer pass
constexpr u32 SCROLLBAR_HORIZONTAL = 0x2;

struct s_button_obj;

struct s_window_obj {
    s_ui_object obj;
    u32 flags;  // style bits
    u32 bkgColor;
    char title[64];
    s_Irect16 titleBarRect;  // relative to the window
    s_button_obj* closeButton;
    e_window_state state;
};

struct s_button_obj {
    s_ui_object obj;
    e_button_state state;
    e_ui_obj_button_type type;
    char text[64];
    u32 bkgColor;
    u32 textColor;
    u32 padKey;  // pad bits that press it; 0 none
    s32 (*func)(s_button_obj* button);
};

struct s_checkbox_obj {
    s_ui_object obj;
    u32 flags;  // CHECKBOX_ENABLED, CHECKBOX_CHECKED
    e_button_state state;
    char text[64];
    u32 textColor;
    void (*func)(s_checkbox_obj* box);  // after every toggle
    u32 padKey;
    u16 id;
};

struct s_scrollbar_obj {
    s_ui_object obj;
    e_button_state upState, downState, pageUpState, pageDownState, thumbState;
    u32 flags;
    f32 value;     // first visible unit; readers take its whole part
    f32 maxValue;  // total - visible when total > visible, else total
    f32 height;    // visible units: one page
    s_Irect16 upRect, downRect, thumbRect, pageUpRect, pageDownRect;  // in the bar's own space
    f32 thumbScale;  // thumb pixels per unit; 0 when there is nothing to scroll
    s32 thumbTravel;
    s32 thumbPos;
    s32 thumbBasePos;
    u32 bkgColor;
    u32 buttonColor;
    u32 textColor;
};

// UIWindow.cpp. A window takes the focus when it opens.
s_window_obj* WindowOpen(const s_Irect16* rect, u32 style, const char* title, UIObjectEventFunc userFunc);
// The close box's click: UI_OBJ_EVENT_CLOSE to the window, closed unless its user
// function handles that.
s32 WinCloseButtonFunc(s_button_obj* button);

// UIButton.cpp.
s_button_obj* ButtonOpen(s32 x, s32 y, const char* label, s32 (*func)(s_button_obj*));
s_button_obj* ButtonOpenType(s32 x, s32 y, s32 size, e_ui_obj_button_type type, s32 (*func)(s_button_obj*));
// Press tracking of one pressable area; 1 while it is pressed with the pointer inside.
s32 ScrollbarButtonUI(e_button_state* state, const s_Irect16* rect);
// 1 when a press that began inside the rect is released inside it this frame.
s32 UIButtonClicked(e_button_state* state, const s_Irect16* rect);
// 1 when the pad key is released; the state follows the key while it is held.
s32 UIButtonPadClicked(e_button_state* state, u32 padKey);
// The raised or, while pressed, sunken bevel of a button face.
void UIDrawButtonFace(const s_Irect16* rect, u32 color, e_button_state state);

// UICheckBox.cpp. Enabled and unchecked.
s_checkbox_obj* CheckBoxOpen(s32 x, s32 y, const char* label, u16 id, void (*func)(s_checkbox_obj*));
void CheckBoxSetCheck(s_checkbox_obj* box, s32 checked);
s32 CheckBoxGet(const s_checkbox_obj* box);

// UIScrollbar.cpp.
s_scrollbar_obj* ScrollbarOpen(const s_Irect16* rect, u32 flags, s32 visible, s32 total, s32 value);
// Clamps to 0..maxValue, moves the thumb and sets SCROLLBAR_CHANGED.
s_scrollbar_obj* ScrollbarSetValue(s_scrollbar_obj* bar, f32 value);
