// The SDL2 window of the real-clock game. Internal to the console; nothing here
// touches SDL unless a window was opened.
#pragma once

#include "console/types.h"

namespace console {

// Opens the resizable 640x480 window; a failure is fatal.
void WindowOpen(const char* title);
void WindowClose();
// Shows the frame of this retrace and handles the window's events; does nothing
// without a window.
void WindowPresent();

// Hands a quit request (the window was closed) to the quit callback, once.
void HostNotifyQuit();

struct WindowRect {
    int x, y, w, h;
};
// The largest rectangle of the picture's aspect ratio (aspectW:aspectH) centred in
// an output of outW x outH pixels; the rest stays black. Empty for an empty output.
WindowRect WindowLetterbox(u32 aspectW, u32 aspectH, int outW, int outH);

}  // namespace console
