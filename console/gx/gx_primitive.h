// Draws one primitive from its vertex bytes: every vertex is decoded and
// transformed, then strips, fans, quads and line strips are taken apart into the
// triangles, lines and points the rasteriser takes.
#pragma once

#include "console/gx/gx_vertex.h"

namespace console::gx {

bool IsPrimitive(u8 type);
// By the program's thread, with the registers as they are now: recorded for
// the pixel threads, or worked out at once when a vertex tap is set or it is
// too large to record.
void DrawPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count);

}  // namespace console::gx
