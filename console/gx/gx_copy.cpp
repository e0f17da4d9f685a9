#include "console/gx/gx_copy.h"

#include <algorithm>

#include "console/gx/efb_control.h"
#include "console/gx/gx_copy_row.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_stage_timing.h"
#include "console/system.h"

namespace console::gx {

namespace {

// The picture each copy saw, kept only once a test asks: it costs a whole frame's
// worth of copying on every display copy.
bool s_recordCopies = false;
u32 s_lastCopy[kEfbPixels];
u32 s_lastCopyWidth = 0;
u32 s_lastCopyHeight = 0;

struct Rect {
    u32 left, top, width, height;
};

// A rectangle clipped to the buffer.
Rect SourceRect(const Rect& r) {
    const u32 left = std::min(r.left, kEfbWidth);
    const u32 top = std::min(r.top, kEfbHeight);
    return {left, top, std::min(r.width, kEfbWidth - left), std::min(r.height, kEfbHeight - top)};
}

// A source row and its neighbours for the vertical filter (weights in 64ths over
// the rows above, at and below; the rectangle's edge rows stand in for the rows
// outside it). A filter that keeps each row as it is (the usual case) is skipped.
CopyRowSource RowSource(const DisplayCopy& copy, const Rect& src, u32 row) {
    const u32* line = &EfbGet().color[row * kEfbWidth + src.left];
    CopyRowSource s{
        line,
        line,
        line,
        {u32(copy.filter[0]) + copy.filter[1], u32(copy.filter[2]) + copy.filter[3] + copy.filter[4],
         u32(copy.filter[5]) + copy.filter[6]},
        false};
    s.filter = copy.verticalFilter && !(s.weights[0] == 0 && s.weights[2] == 0 && s.weights[1] == 64);
    if (row > src.top)
        s.above = line - kEfbWidth;
    if (row + 1 < src.top + src.height)
        s.below = line + kEfbWidth;
    return s;
}

}  // namespace

void ClearCopySource(const RasterState& state, u32 left, u32 top, u32 width, u32 height) {
    const Rect src = SourceRect({left, top, width, height});
    Efb& efb = EfbGet();
    const DisplayCopy& copy = state.copy;
    const u32 kept = (state.colorUpdate ? 0u : 0x00FFFFFFu) | (state.alphaUpdate ? 0u : 0xFF000000u);
    const u32 color = u32(copy.clearColor.a) << 24 | u32(copy.clearColor.r) << 16 |
                      u32(copy.clearColor.g) << 8 | copy.clearColor.b;
    const bool depth = state.zCompare && state.zUpdate;
    const u32 stored = EfbStoredColor(state.pixelFormat, color);
    for (u32 y = src.top; y < src.top + src.height; ++y) {
        u32* line = &efb.color[y * kEfbWidth + src.left];
        if (kept == 0) {
            std::fill_n(line, src.width, stored);
        } else {
            for (u32 x = 0; x < src.width; ++x)
                line[x] = EfbStoredColor(state.pixelFormat, (line[x] & kept) | (color & ~kept));
        }
        if (depth)
            std::fill_n(&efb.depth[y * kEfbWidth + src.left], src.width, copy.clearZ & kMaxDepth);
    }
}

void CopyDisplay(const RasterState& state, void* dest, bool clear) {
    const DisplayCopy& copy = state.copy;
    const Rect src = SourceRect({copy.srcLeft, copy.srcTop, copy.srcWidth, copy.srcHeight});
    if (s_recordCopies) {
        s_lastCopyWidth = src.width;
        s_lastCopyHeight = src.height;
        for (u32 y = 0; y < src.height; ++y)
            std::copy_n(&EfbGet().color[(src.top + y) * kEfbWidth + src.left], src.width,
                        &s_lastCopy[y * src.width]);
    }

    if (dest != nullptr && src.width > 0 && src.height > 0) {
        const float scale = copy.yScale > 0.0f && copy.yScale <= 2.0f ? copy.yScale : 1.0f;
        const u32 lines = std::max(u32(src.height * scale + 0.5f), 1u);
        for (u32 line = 0; line < lines; ++line) {
            const u32 row = src.top + std::min(u32(line / scale), src.height - 1);
            u8* out = static_cast<u8*>(dest) + std::size_t(line) * copy.dstStride * 2;
            // Pixels go out in pairs; external frame buffers are even in width.
            CopyRow(RowSource(copy, src, row), src.width & ~1u, out);
        }
    }
    if (clear)
        ClearCopySource(state, src.left, src.top, src.width, src.height);
}

void CopyRecordReset() {
    s_recordCopies = false;
    s_lastCopyWidth = s_lastCopyHeight = 0;
}

}  // namespace console::gx

void GXCopyDisp(void* dest, u8 clear) {
    if (!HostGetConfig().pictures)
        return;
    console::gx::StageTimer timer(kGXStageCopy);
    console::gx::CopyDisplay(console::gx::RasterStateCurrent(), dest, clear != 0);
}

void HostEFBRecordCopies() {
    console::gx::s_recordCopies = true;
}

HostEFBImage HostEFBLastCopy() {
    return {console::gx::s_lastCopy, console::gx::s_lastCopyWidth, console::gx::s_lastCopyHeight};
}
