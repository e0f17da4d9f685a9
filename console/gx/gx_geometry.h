// The geometry lane: the primitives the program draws are recorded with a copy
// of everything their vertices and triangles are drawn with, and transformed,
// lit, clipped and queued as triangles (gx_tiles.h) by one of the pixel threads
// at a time, in the order they came, while the program goes on. One holder at
// a time keeps the triangles in their order, so the picture is the same
// whatever the number of threads.
#pragma once

#include "console/gx.h"

namespace console::gx {

struct VertexLayout;

// The program's thread's: records `count` vertices of `data` as `type` under
// the registers as they are now.
void RecordPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count);
// The program's thread's: returns when every recorded primitive is queued.
void FinishGeometry();
// Any thread's: draws the recorded primitives if there are any and no other
// thread holds the lane; whether it drew any.
bool PollGeometry();

}  // namespace console::gx
