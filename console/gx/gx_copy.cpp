#include "console/gx/gx_copy.h"

#include <algorithm>

#include "console/gx/efb_control.h"
#include "console/gx/gx_copy_row.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_tiles.h"
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
    const u32* line = &EfbDrawing().color[row * kEfbWidth + src.left];
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

// What a clear writes, taken when it is asked for: it is done later, by bands,
// after the triangles before it and before those that follow it.
struct Clear {
    Rect src;
    PixelFormat format;
    bool depth;
    u32 kept;  // the bits of each pixel the masks keep
    u32 color;
    u32 stored;  // the colour as the format keeps it, when nothing is kept
    u32 clearZ;
};
static_assert(sizeof(Clear) <= kRowsContextSize);

void ClearRows(const void* context, u32 top, u32 bottom) {
    const Clear& c = *static_cast<const Clear*>(context);
    Efb& efb = EfbDrawing();
    const RowRange rows = RowsWithin(top, bottom, c.src.top, c.src.height);
    for (u32 y = rows.begin; y < rows.end; ++y) {
        u32* line = &efb.color[y * kEfbWidth + c.src.left];
        if (c.kept == 0) {
            std::fill_n(line, c.src.width, c.stored);
        } else {
            for (u32 x = 0; x < c.src.width; ++x)
                line[x] = EfbStoredColor(c.format, (line[x] & c.kept) | (c.color & ~c.kept));
        }
        if (c.depth)
            std::fill_n(&efb.depth[y * kEfbWidth + c.src.left], c.src.width, c.clearZ);
    }
}

// A display copy, in records on the bands it reads: each band's lines by the
// thread that drew them, the filter reading a row of each neighbour. Each line
// reads one source row (scaled, a row may give several lines or none), and the
// rows go down as the lines do.
struct BandLines {
    const DisplayCopy* copy;
    Rect src;
    u8* dest;
    float scale;
    u32 lines;
};
static_assert(sizeof(BandLines) <= kRowsContextSize);

u32 LineRow(const BandLines& c, u32 line) {
    return c.src.top + std::min(u32(line / c.scale), c.src.height - 1);
}

// The first line that reads `row` or a row below it.
u32 FirstLineFrom(const BandLines& c, u32 row) {
    u32 lo = 0, hi = c.lines;
    while (lo < hi) {
        const u32 mid = lo + (hi - lo) / 2;
        if (LineRow(c, mid) < row)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void CopyBandLines(const void* context, u32 top, u32 bottom) {
    const BandLines& c = *static_cast<const BandLines*>(context);
    const RowRange rows = RowsWithin(top, bottom, c.src.top, c.src.height);
    for (u32 line = FirstLineFrom(c, rows.begin); line < c.lines; ++line) {
        const u32 row = LineRow(c, line);
        if (row >= rows.end)
            break;
        // Pixels go out in pairs; external frame buffers are even in width.
        CopyRow(RowSource(*c.copy, c.src, row), c.src.width & ~1u,
                c.dest + std::size_t(line) * c.copy->dstStride * 2);
    }
}

}  // namespace

void ClearCopySource(const RasterState& state, u32 left, u32 top, u32 width, u32 height) {
    const DisplayCopy& copy = state.copy;
    Clear c;
    c.src = SourceRect({left, top, width, height});
    if (c.src.width == 0 || c.src.height == 0)
        return;
    c.format = state.pixelFormat;
    c.kept = (state.colorUpdate ? 0u : 0x00FFFFFFu) | (state.alphaUpdate ? 0u : 0xFF000000u);
    c.color = u32(copy.clearColor.a) << 24 | u32(copy.clearColor.r) << 16 | u32(copy.clearColor.g) << 8 |
              copy.clearColor.b;
    c.stored = EfbStoredColor(state.pixelFormat, c.color);
    c.depth = state.zCompare && state.zUpdate;
    c.clearZ = copy.clearZ & kMaxDepth;
    QueueRowsWork(ClearRows, &c, sizeof c, c.src.top, c.src.top + c.src.height - 1, true, 0);
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
        const BandLines lines{&copy, src, static_cast<u8*>(dest), scale, DisplayCopyLines(src.height, scale)};
        QueueRowsWork(CopyBandLines, &lines, sizeof lines, src.top, src.top + src.height - 1, false, 1);
    }
    if (clear)
        ClearCopySource(state, src.left, src.top, src.width, src.height);
}

u32 DisplayCopyLines(u32 height, float yScale) {
    return height == 0 ? 0 : std::max(u32(f32(height) * yScale + 0.5f), 1u);
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
