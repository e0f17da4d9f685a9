// The display copy: the embedded frame buffer's source rectangle into a YUYV
// external frame buffer, optionally clearing the rectangle behind it.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

void CopyDisplay(const RasterState& state, void* dest, bool clear);
// The lines a display copy of `height` rows writes at a scale: what
// GXSetDispCopyYScale reports, so that a frame buffer sized by it holds them.
u32 DisplayCopyLines(u32 height, float yScale);
// Clears a rectangle (clipped to the buffer) to the copy-clear colour and depth,
// through the colour, alpha and depth write masks: queued, as triangles are,
// and done before anything reads the buffer or draws in it.
void ClearCopySource(const RasterState& state, u32 left, u32 top, u32 width, u32 height);
// Stops keeping the copies' pictures (part of the console's reset).
void CopyRecordReset();

}  // namespace console::gx

// With the current state's copy source, stride, y scale, filter and clear values.
void GXCopyDisp(void* dest, u8 clear);
