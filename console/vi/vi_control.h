// VI's state mirror for tests and screenshots, and the window that shows it.
// Internal to the console.
#pragma once

#include <string>

#include "console/types.h"

// vi.cpp: what the display shows since the last retrace (VISetNextFrameBuffer,
// VISetBlack and VIConfigure take effect at the first retrace after VIFlush). The
// buffer is YUYV, null when none was shown.
bool HostVIIsBlack();
const void* HostVIShownFrameBuffer();
struct HostVIFrameSize {
    u32 width;   // pixels
    u32 height;  // rows
    u32 stride;  // bytes from one row to the next
};
HostVIFrameSize HostVIShownFrameSize();

namespace console {

// vi.cpp: no retraces, no callback, nothing set, flushed or shown.
void VIReset();

// vi_window.cpp: the real-clock game's window. False, with the reason, when it
// cannot be opened (no display, or SDL fails).
bool WindowOpen(const char* title, std::string* error);
void WindowClose();
// Shows the frame of this retrace, letterboxed to the TV's aspect ratio; a close of
// the window is a quit request. Does nothing without a window.
void WindowPresent();

// vi_quit.cpp: no callback, no request.
void QuitReset();
// Hands a pending quit request to the quit callback, once.
void QuitDeliver();

}  // namespace console
