// VI's state mirror for tests and screenshots, and the window that shows it.
// Internal to the console.
#pragma once

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

// vi_window.cpp: the real-clock game's window. Opening it fails fatally; closing
// it forgets the quit callback too.
void WindowOpen(const char* title);
void WindowClose();
// Shows the frame of this retrace, letterboxed to the TV's aspect ratio, and hands
// a close of the window to the quit callback (once); does nothing without a window.
void WindowPresent();

}  // namespace console
