// Test access to the embedded frame buffer: single pixels now, and the picture
// as the last display copy saw it (before its clear).
#pragma once

#include "console/types.h"

// 0xAARRGGBB; 0 outside the buffer.
u32 HostEFBColor(u32 x, u32 y);
// 24-bit depth; 0 outside the buffer.
u32 HostEFBDepth(u32 x, u32 y);

// From now until the console's next reset, each display copy keeps the picture it
// saw. Row-major 0xAARRGGBB pixels of the last kept copy's source rectangle (empty
// when none was kept).
struct HostEFBImage {
    const u32* pixels;
    u32 width;
    u32 height;
};
void HostEFBRecordCopies();
HostEFBImage HostEFBLastCopy();
