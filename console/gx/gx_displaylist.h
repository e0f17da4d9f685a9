// Display lists: primitives recorded into caller memory as they would be sent
// (a command byte of primitive and format, the vertex count, the vertex bytes)
// and replayed through the same decoding as immediate vertices.
#pragma once

#include "console/gx/gx_vertex.h"

namespace console::gx {

bool DisplayListRecording();
// Abandons a list being recorded.
void DisplayListReset();
void DisplayListRecord(GXPrimitive type, GXVtxFmt fmt, u16 count, const u8* data, u32 bytes);

}  // namespace console::gx
