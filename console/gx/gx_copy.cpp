#include "console/gx/gx_copy.h"

#include <algorithm>

#include "console/gx/efb_control.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"

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

int Luma(int r, int g, int b) {
    return ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
}

// Encodes one row of `width` pixels packed as 0x..RRGGBB (width even) as YUYV
// (Y0 U Y1 V, BT.601 video range); the two pixels of a pair share the average of
// their chroma.
void XrgbRowToYuyv(const u32* xrgb, u32 width, u8* yuyv) {
    for (u32 pair = 0; pair < width / 2; ++pair, xrgb += 2, yuyv += 4) {
        const int r0 = (xrgb[0] >> 16) & 0xFF, g0 = (xrgb[0] >> 8) & 0xFF, b0 = xrgb[0] & 0xFF;
        const int r1 = (xrgb[1] >> 16) & 0xFF, g1 = (xrgb[1] >> 8) & 0xFF, b1 = xrgb[1] & 0xFF;
        const int r = r0 + r1;
        const int g = g0 + g1;
        const int b = b0 + b1;
        yuyv[0] = u8(Luma(r0, g0, b0));
        yuyv[1] = u8(((-38 * r - 74 * g + 112 * b + 256) >> 9) + 128);
        yuyv[2] = u8(Luma(r1, g1, b1));
        yuyv[3] = u8(((112 * r - 94 * g - 18 * b + 256) >> 9) + 128);
    }
}

// One source row through the vertical filter (weights in 64ths over the rows
// above, at and below), as packed 0x..RRGGBB pixels: the frame buffer's own row
// when the filter keeps it as it is (the usual case), else `filtered`.
const u32* FilteredRow(const DisplayCopy& copy, const Rect& src, u32 row, u32* filtered) {
    const u32* efb = EfbGet().color;
    const u32 weights[3] = {u32(copy.filter[0]) + copy.filter[1],
                            u32(copy.filter[2]) + copy.filter[3] + copy.filter[4],
                            u32(copy.filter[5]) + copy.filter[6]};
    const u32* line = &efb[row * kEfbWidth + src.left];
    if (!copy.verticalFilter || (weights[0] == 0 && weights[2] == 0 && weights[1] == 64))
        return line;
    const u32* above = row > src.top ? line - kEfbWidth : line;
    const u32* below = row + 1 < src.top + src.height ? line + kEfbWidth : line;
    // Channel by channel, in a form the compiler turns into vector code.
    for (u32 x = 0; x < src.width; ++x) {
        u32 out = 0;
        for (int shift = 16; shift >= 0; shift -= 8) {
            const u32 sum = weights[0] * ((above[x] >> shift) & 0xFFu) +
                            weights[1] * ((line[x] >> shift) & 0xFFu) +
                            weights[2] * ((below[x] >> shift) & 0xFFu) + 32;
            out |= std::min(sum >> 6, 255u) << shift;
        }
        filtered[x] = out;
    }
    return filtered;
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
        u32 filtered[kEfbWidth];
        for (u32 line = 0; line < lines; ++line) {
            const u32 row = src.top + std::min(u32(line / scale), src.height - 1);
            const u32* pixels = FilteredRow(copy, src, row, filtered);
            u8* out = static_cast<u8*>(dest) + std::size_t(line) * copy.dstStride * 2;
            // Pixels go out in pairs; external frame buffers are even in width.
            XrgbRowToYuyv(pixels, src.width & ~1u, out);
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
