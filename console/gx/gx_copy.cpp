#include "console/gx/gx_copy.h"

#include <algorithm>

#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/host/efb_control.h"
#include "console/host/yuyv.h"

namespace console::gx {

namespace {

// The picture each copy saw, for tests.
u32 s_lastCopy[kEfbPixels];
u32 s_lastCopyWidth = 0;
u32 s_lastCopyHeight = 0;

struct Rect {
    u32 left, top, width, height;
};

Rect SourceRect(const DisplayCopy& copy) {
    const u32 left = std::min(copy.srcLeft, kEfbWidth);
    const u32 top = std::min(copy.srcTop, kEfbHeight);
    return {left, top, std::min(copy.srcWidth, kEfbWidth - left), std::min(copy.srcHeight, kEfbHeight - top)};
}

// One source row through the vertical filter (weights in 64ths over the rows
// above, at and below), as R, G, B bytes.
void FilteredRow(const DisplayCopy& copy, const Rect& src, u32 row, u8* rgb) {
    const u32* efb = EfbGet().color;
    const u32 above = row > src.top ? row - 1 : row;
    const u32 below = row + 1 < src.top + src.height ? row + 1 : row;
    const u32 weights[3] = {u32(copy.filter[0]) + copy.filter[1],
                            u32(copy.filter[2]) + copy.filter[3] + copy.filter[4],
                            u32(copy.filter[5]) + copy.filter[6]};
    const u32 rows[3] = {above, row, below};
    if (!copy.verticalFilter || (weights[0] == 0 && weights[2] == 0 && weights[1] == 64)) {
        // No filter, or one that keeps the row as it is (the usual case).
        const u32* line = &efb[row * kEfbWidth + src.left];
        for (u32 x = 0; x < src.width; ++x, rgb += 3) {
            rgb[0] = u8(line[x] >> 16);
            rgb[1] = u8(line[x] >> 8);
            rgb[2] = u8(line[x]);
        }
        return;
    }
    // Red and blue filtered together in two 32-bit lanes, green on its own.
    const u32* lines[3] = {&efb[rows[0] * kEfbWidth + src.left], &efb[rows[1] * kEfbWidth + src.left],
                           &efb[rows[2] * kEfbWidth + src.left]};
    for (u32 x = 0; x < src.width; ++x, rgb += 3) {
        u64 rb = u64(32) << 32 | 32u;
        u32 g = 32;
        for (int i = 0; i < 3; ++i) {
            const u32 p = lines[i][x];
            rb += weights[i] * (u64(p & 0x00FF0000u) << 16 | (p & 0xFFu));
            g += weights[i] * ((p >> 8) & 0xFFu);
        }
        rgb[0] = u8(std::min<u64>(rb >> 38, 255));
        rgb[1] = u8(std::min<u32>(g >> 6, 255));
        rgb[2] = u8(std::min<u64>((rb & 0xFFFFFFFFu) >> 6, 255));
    }
}

void Clear(const RasterState& state, const Rect& src) {
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

}  // namespace

void CopyDisplay(const RasterState& state, void* dest, bool clear) {
    const DisplayCopy& copy = state.copy;
    const Rect src = SourceRect(copy);
    s_lastCopyWidth = src.width;
    s_lastCopyHeight = src.height;
    for (u32 y = 0; y < src.height; ++y)
        std::copy_n(&EfbGet().color[(src.top + y) * kEfbWidth + src.left], src.width,
                    &s_lastCopy[y * src.width]);

    if (dest != nullptr && src.width > 0 && src.height > 0) {
        const float scale = copy.yScale > 0.0f && copy.yScale <= 2.0f ? copy.yScale : 1.0f;
        const u32 lines = std::max(u32(src.height * scale + 0.5f), 1u);
        u8 rgb[kEfbWidth * 3];
        for (u32 line = 0; line < lines; ++line) {
            const u32 row = src.top + std::min(u32(line / scale), src.height - 1);
            FilteredRow(copy, src, row, rgb);
            u8* out = static_cast<u8*>(dest) + std::size_t(line) * copy.dstStride * 2;
            // Pixels go out in pairs; external frame buffers are even in width.
            RgbRowToYuyv(rgb, src.width & ~1u, out);
        }
    }
    if (clear)
        Clear(state, src);
}

}  // namespace console::gx

void GXCopyDisp(void* dest, u8 clear) {
    console::gx::CopyDisplay(console::gx::RasterStateCurrent(), dest, clear != 0);
}

HostEFBImage HostEFBLastCopy() {
    return {console::gx::s_lastCopy, console::gx::s_lastCopyWidth, console::gx::s_lastCopyHeight};
}
