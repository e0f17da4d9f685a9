// HID: the development kit's USB keyboard and mouse (on the PC: the window's
// keyboard and mouse, or the input script's). Read once a frame by the engine's
// debug tools; read at the newest retrace, like the remotes.
#pragma once

#include "console/kpad.h"
#include "console/types.h"

// Mouse buttons.
constexpr u32 HID_MOUSE_LEFT = 0x1;
constexpr u32 HID_MOUSE_RIGHT = 0x2;
constexpr u32 HID_MOUSE_MIDDLE = 0x4;

struct HIDMouseStatus {
    u32 buttons;    // HID_MOUSE_* held
    BOOL pointing;  // the cursor is on the screen
    Vec2 pos;       // -1..1 from the screen's centre, y down; kept while off the screen
    Vec2 vec;       // motion since the previous read, in the same units
};

// Key codes: printable characters are their ASCII code with shift applied.
constexpr u8 HID_KEY_BACKSPACE = 0x08;
constexpr u8 HID_KEY_TAB = 0x09;
constexpr u8 HID_KEY_ENTER = 0x0D;
constexpr u8 HID_KEY_ESCAPE = 0x1B;
constexpr u8 HID_KEY_DELETE = 0x7F;
constexpr u8 HID_KEY_RIGHT = 0x80;
constexpr u8 HID_KEY_LEFT = 0x81;
constexpr u8 HID_KEY_HOME = 0x82;
constexpr u8 HID_KEY_END = 0x83;
constexpr u8 HID_KEY_UP = 0x84;
constexpr u8 HID_KEY_DOWN = 0x85;

// Modifier bits.
constexpr u32 HID_MOD_SHIFT = 0x1;
constexpr u32 HID_MOD_CTRL = 0x2;
constexpr u32 HID_MOD_ALT = 0x4;

struct HIDKeyboardStatus {
    u8 key;  // the key pressed last and still held (a tap since the last read counts), 0 none
    u32 modifiers;
};

// FALSE, leaving the status alone, when no mouse (keyboard) is plugged in.
BOOL HIDReadMouse(HIDMouseStatus* status);
BOOL HIDReadKeyboard(HIDKeyboardStatus* status);
