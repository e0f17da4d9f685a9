// The SDL2 window of the real-clock game. Internal to the console; nothing here
// touches SDL unless a window was opened.
#pragma once

namespace console {

// Opens the 640x480 window; a failure is fatal.
void WindowOpen(const char* title);
void WindowClose();
// Shows the frame of this retrace and handles the window's events; does nothing
// without a window.
void WindowPresent();

// Hands a quit request (the window was closed) to the quit callback, once.
void HostNotifyQuit();

}  // namespace console
