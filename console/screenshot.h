// The frame the display shows, as RGB pixels or saved as a PNG file.
#pragma once

#include <vector>

#include "console/types.h"

struct HostFrame {
    u32 width = 0;
    u32 height = 0;
    std::vector<u8> rgb;  // 3 bytes a pixel, rows top to bottom
};

// Converts the shown frame buffer to RGB; black while the display is black or no
// buffer is shown. Reuses the frame's storage.
void HostCaptureShownFrame(HostFrame* frame);

// From now on the display keeps its own copy of every frame it shows, so that a
// screenshot taken after the program has freed its frame buffers (at exit) still
// has the last frame.
void HostVIKeepShownFrames();

// Writes the shown frame to a PNG file; false when it cannot be written.
bool HostSaveScreenshot(const char* path);
