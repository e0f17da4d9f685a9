// The display copy: the embedded frame buffer's source rectangle into a YUYV
// external frame buffer, optionally clearing the rectangle behind it.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

void CopyDisplay(const RasterState& state, void* dest, bool clear);
// Stops keeping the copies' pictures (part of the console's reset).
void CopyRecordReset();

}  // namespace console::gx

// With the current state's copy source, stride, y scale, filter and clear values.
void GXCopyDisp(void* dest, u8 clear);
