// The mouse of the debug tools: the development kit's USB mouse when one is
// plugged in (the window's mouse), else the pointer and buttons 1 and 2 of the
// remote on the mouse's pad port. One task pass a frame gives edges, auto-repeat
// and double clicks, and draws the cursor; the mouse starts switched off
// (minus + C on pad 0 toggles it).
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_thread;

constexpr u32 MOUSE_BUTTON_1 = 0x1;  // the USB mouse's left button, the remote's 1
constexpr u32 MOUSE_BUTTON_2 = 0x2;  // the right button, the remote's 2
constexpr f32 MOUSE_DOUBLE_CLICK_TIME = 0.4f;
constexpr s32 MOUSE_CURSOR_ARROW = 65;  // glyphs of the debug icon font
constexpr s32 MOUSE_CURSOR_BUSY = 66;

// analog slots
constexpr s32 MOUSE_X = 0;  // cursor in screen pixels
constexpr s32 MOUSE_Y = 1;
constexpr s32 MOUSE_WHEEL = 2;   // never fed
constexpr s32 MOUSE_MOVE_X = 4;  // motion since the last pass, in pixels
constexpr s32 MOUSE_MOVE_Y = 5;

struct s_mouse {
    s32 connected;
    u32 buttonDown;
    u32 buttonNew;
    u32 buttonRepeat;
    u32 buttonReleased;
    u32 buttonDoubleClick;
    f32 repeatDelay;
    f32 holdTime;
    f32 doubleClickTime;  // since the last press
    u32 buttonNewSave;    // the buttons of the last press
    s32 analog[6];
};

extern s_mouse Mouse;
extern f32 MouseInitialDelay;
extern f32 MouseRepeatDelay;
extern s32 MouseEnabled;
extern s32 MouseCursor;
extern u8 MousePadPort;

e_error_code MouseColdReset();
e_error_code MouseWarmReset();
void MouseStartup();
void MouseEnable();
void MouseDisable();
s32 MouseGetEnabledStatus();
// Returns the previous cursor glyph.
s32 MouseSetCursor(s32 code);
// The source: fills analog slots 0, 1, 4 and 5 and the button word; 0 when there
// is neither a USB mouse nor a remote on the pad port.
s32 MouseReadData(s32* analog, u32* buttons);
void MouseThread(s_thread* task, void* record);
void MouseDrawThread(s_thread* task, void* record);
