// The keyboard of the debug tools: the development kit's USB keyboard (the
// window's keyboard). One task pass a frame gives the held key's edges and its
// auto-repeat; without a keyboard the record stays empty.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_thread;

// Key codes: printable characters are their ASCII code (shift applied).
constexpr u8 KEY_BACKSPACE = 0x08;
constexpr u8 KEY_TAB = 0x09;
constexpr u8 KEY_ENTER = 0x0D;
constexpr u8 KEY_ESCAPE = 0x1B;
constexpr u8 KEY_DELETE = 0x7F;
constexpr u8 KEY_RIGHT = 0x80;
constexpr u8 KEY_LEFT = 0x81;
constexpr u8 KEY_HOME = 0x82;
constexpr u8 KEY_END = 0x83;
constexpr u8 KEY_UP = 0x84;
constexpr u8 KEY_DOWN = 0x85;

constexpr u32 KEY_MOD_SHIFT = 0x1;
constexpr u32 KEY_MOD_CTRL = 0x2;
constexpr u32 KEY_MOD_ALT = 0x4;

struct s_keyboard {
    s32 connected;
    u8 keyDown;      // 0: none
    u8 keyNew;       // the code when it changed this pass
    u8 keyRepeat;    // the code on its change and on each repeat
    u8 keyReleased;  // the previous code when the code changed
    u32 modifiers;   // KEY_MOD_*
    f32 repeatDelay;
    f32 holdTime;
};

extern s_keyboard Keyboard;
extern f32 KeyboardInitialDelay;
extern f32 KeyboardRepeatDelay;
extern s32 KeyboardEnabled;

e_error_code KeyboardColdReset();
e_error_code KeyboardWarmReset();
void KeyboardStartup();
// The source; 0 when no keyboard is plugged in.
s32 KeyboardReadData(u8* key, u32* modifiers);
void KeyboardThread(s_thread* task, void* record);
