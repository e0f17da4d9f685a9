// The development screenshot service: on a console with the host I/O channel, a
// host tool pulls the finished picture, one chunk per mailbox request, either the
// embedded frame buffer as RGB bytes or the display frame buffer as it is. The frame
// boundary calls the service once per frame, just before the display copy; without
// the channel the service does nothing.
#pragma once

#include "console/gx.h"
#include "orblib47/source/OrbTypes.h"

// Bytes of one chunk; the working buffer must hold one.
constexpr u32 SCRNSHOT_SHARE_MEMORY_SIZE = 8192;

// Not connected; both sizes 640 x 480.
void ScreenshotColdReset();
// Connects when a host is there and answers its waiting requests. A working buffer
// smaller than a chunk is fatal.
void SCREENSHOTService(void* xfb, void* workBuffer, u32 workBufferSize);
// EFB size from (efbHeight, fbWidth), XFB size from (xfbHeight, fbWidth).
void SCREENSHOTSetRenderModeObj(const GXRenderModeObj* renderMode);
void SCREENSHOTSetEFBSize(u16 height, u16 width);
void SCREENSHOTSetXFBSize(u16 height, u16 width);
