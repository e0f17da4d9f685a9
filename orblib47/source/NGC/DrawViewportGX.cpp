// Loads the current viewport into the hardware viewport and scissor.
#include <algorithm>

#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawViewport.h"

void DrawLoadViewport() {
    ORB_ASSERT(DrawContext.viewport != nullptr, "No current viewport\n");
    const s_viewport& viewport = *DrawContext.viewport;
    const s_Irect16& r = viewport.rect;
    GXSetViewport(r.x, r.y, r.w, r.h, viewport.nearDepth, viewport.farDepth);
    // The scissor takes unsigned pixels: a rectangle reaching off the left or top
    // edge is cut there instead of wrapping round.
    const s32 left = std::max<s32>(r.x, 0);
    const s32 top = std::max<s32>(r.y, 0);
    const s32 right = std::max<s32>(r.x + r.w, left);
    const s32 bottom = std::max<s32>(r.y + r.h, top);
    GXSetScissor(u32(left), u32(top), u32(right - left), u32(bottom - top));
}
