// VI: the video interface: vertical retraces and their callback.
#pragma once

#include "console/types.h"

// Retraces come at 60 per second.
constexpr u32 VI_RETRACES_PER_SECOND = 60;

using VIRetraceCallback = void (*)(u32 retraceCount);

void VIInit();
// Returns after the next vertical retrace (its post-retrace callback has run).
void VIWaitForRetrace();
VIRetraceCallback VISetPostRetraceCallback(VIRetraceCallback callback);
u32 VIGetRetraceCount();
void VISetBlack(BOOL black);
void VIFlush();
