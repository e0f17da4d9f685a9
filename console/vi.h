// VI: the video interface: vertical retraces and their callback, the shown
// external frame buffer, the black switch and the TV format.
#pragma once

#include "console/types.h"

struct GXRenderModeObj;

// Retraces come at 60 per second.
constexpr u32 VI_RETRACES_PER_SECOND = 60;

// TV formats.
constexpr u32 VI_NTSC = 0;
constexpr u32 VI_PAL = 1;
constexpr u32 VI_MPAL = 2;
constexpr u32 VI_EURGB60 = 5;

// Scan modes; a TV mode is its format times 4 plus its scan mode, so a
// double-strike (non-interlaced) TV mode has its low bit set.
constexpr u32 VI_INTERLACE = 0;
constexpr u32 VI_NON_INTERLACE = 1;
constexpr u32 VI_PROGRESSIVE = 2;

constexpr u32 VI_TVMODE(u32 format, u32 scan) {
    return format * 4 + scan;
}

constexpr u32 VI_TVMODE_NTSC_INT = VI_TVMODE(VI_NTSC, VI_INTERLACE);
constexpr u32 VI_TVMODE_NTSC_DS = VI_TVMODE(VI_NTSC, VI_NON_INTERLACE);
constexpr u32 VI_TVMODE_NTSC_PROG = VI_TVMODE(VI_NTSC, VI_PROGRESSIVE);
constexpr u32 VI_TVMODE_PAL_INT = VI_TVMODE(VI_PAL, VI_INTERLACE);
constexpr u32 VI_TVMODE_PAL_DS = VI_TVMODE(VI_PAL, VI_NON_INTERLACE);
constexpr u32 VI_TVMODE_MPAL_INT = VI_TVMODE(VI_MPAL, VI_INTERLACE);
constexpr u32 VI_TVMODE_MPAL_DS = VI_TVMODE(VI_MPAL, VI_NON_INTERLACE);
constexpr u32 VI_TVMODE_MPAL_PROG = VI_TVMODE(VI_MPAL, VI_PROGRESSIVE);
constexpr u32 VI_TVMODE_EURGB60_INT = VI_TVMODE(VI_EURGB60, VI_INTERLACE);
constexpr u32 VI_TVMODE_EURGB60_DS = VI_TVMODE(VI_EURGB60, VI_NON_INTERLACE);
constexpr u32 VI_TVMODE_EURGB60_PROG = VI_TVMODE(VI_EURGB60, VI_PROGRESSIVE);

// Fields of an interlaced picture.
constexpr u32 VI_FIELD_BELOW = 0;
constexpr u32 VI_FIELD_ABOVE = 1;

using VIRetraceCallback = void (*)(u32 retraceCount);

void VIInit();
// Returns after the next vertical retrace (its post-retrace callback has run).
void VIWaitForRetrace();
VIRetraceCallback VISetPostRetraceCallback(VIRetraceCallback callback);
u32 VIGetRetraceCount();

// The frame buffer, the black switch and the configuration are set here, latched
// together by VIFlush and shown from the next retrace on.
void VISetNextFrameBuffer(void* xfb);
void VISetBlack(BOOL black);
// Keeps the frame size of the render mode (fbWidth x xfbHeight).
void VIConfigure(const GXRenderModeObj* renderMode);
void VIFlush();

u32 VIGetTvFormat();
// The field that the next retrace shows.
u32 VIGetNextField();
// 1 when a component (progressive-capable) cable is connected.
u32 VIGetDTVStatus();
// Returns whether dimming was enabled.
BOOL VIEnableDimming(BOOL enable);
