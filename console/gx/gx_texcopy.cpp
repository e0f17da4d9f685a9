// The copy to texture: the embedded frame buffer's rectangle into tiled RGBA8
// texels, box-filtered to half size for a mip level.
#include <algorithm>
#include <cstring>

#include "console/gx.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_tiles.h"
#include "console/system.h"

namespace console::gx {

namespace {

// The source pixel (0xAARRGGBB) for texel x of a row starting at `row`,
// averaging two by two for a mip level.
u32 SourcePixel(const u32* row, bool mipmap, u32 x) {
    if (!mipmap)
        return row[x];
    const u32* p = &row[2 * x];
    u32 out = 0;
    for (u32 shift = 0; shift < 32; shift += 8) {
        const u32 sum = (p[0] >> shift & 0xFF) + (p[1] >> shift & 0xFF) + (p[kEfbWidth] >> shift & 0xFF) +
                        (p[kEfbWidth + 1] >> shift & 0xFF);
        out |= (sum + 2) / 4 << shift;
    }
    return out;
}

using Words4 = u32 __attribute__((vector_size(16)));
using Halves8 = u16 __attribute__((vector_size(16)));

struct Rgba8Copy {
    TexCopy c;
    u32 outWidth, outHeight;
    u8* dest;
};

// Output rows to a piece of the copy's job.
constexpr u32 kRowsPerPiece = 8;

// Row by row: a tile holds four texels of each of four rows, alpha and red
// pairs in its first half, green and blue pairs in its second. Four whole
// texels of a plain copy go at once.
void CopyRgba8Rows(void* context, u32 piece) {
    const Rgba8Copy& copy = *static_cast<const Rgba8Copy*>(context);
    const TexCopy& c = copy.c;
    const u32 scale = c.mipmap ? 2 : 1;
    const u32 outWidth = copy.outWidth;
    const u32 tilesX = (c.dstWidth + 3) / 4;
    const u32* color = EfbDrawing().color;
    const u32 end = std::min(copy.outHeight, (piece + 1) * kRowsPerPiece);
    for (u32 y = piece * kRowsPerPiece; y < end; ++y) {
        const u32* row = &color[(c.srcTop + scale * y) * kEfbWidth + c.srcLeft];
        u8* tiles = copy.dest + std::size_t(y / 4) * tilesX * 64 + (y % 4) * 8;
        u32 x = 0;
        for (; !c.mipmap && x + 4 <= outWidth; x += 4) {
            Words4 argb;
            std::memcpy(&argb, &row[x], sizeof argb);
            // Each word's alpha-red and green-blue pairs (A, G the first bytes) in
            // the low halves of two vectors, which then pack side by side.
            const Words4 ar = argb >> 24 | (argb >> 8 & 0xFF00u);
            const Words4 gb = (argb >> 8 & 0xFFu) | (argb & 0xFFu) << 8;
            const Halves8 pairs =
                __builtin_shufflevector(Halves8(ar), Halves8(gb), 0, 2, 4, 6, 8, 10, 12, 14);
            u8* at = tiles + (x / 4) * 64;
            std::memcpy(at, &pairs, 8);
            std::memcpy(at + 32, reinterpret_cast<const u8*>(&pairs) + 8, 8);
        }
        for (; x < outWidth; ++x) {
            const u32 argb = SourcePixel(row, c.mipmap, x);
            u8* at = tiles + (x / 4) * 64 + (x % 4) * 2;
            at[0] = u8(argb >> 24);
            at[1] = u8(argb >> 16);
            at[32] = u8(argb >> 8);
            at[33] = u8(argb);
        }
    }
}

// On the pixel threads, once the rows the copy reads are drawn; the rest of
// the frame goes on.
void CopyRgba8(const TexCopy& c, u32 width, u32 height, u8* dest) {
    const u32 scale = c.mipmap ? 2 : 1;
    Rgba8Copy copy{c, std::min(width / scale, c.dstWidth), std::min(height / scale, c.dstHeight), dest};
    if (copy.outWidth == 0 || copy.outHeight == 0)
        return;
    FinishRows(c.srcTop, c.srcTop + scale * copy.outHeight - 1,
               (copy.outHeight + kRowsPerPiece - 1) / kRowsPerPiece, CopyRgba8Rows, &copy);
}

}  // namespace

}  // namespace console::gx

using namespace console::gx;

void GXSetTexCopySrc(u16 left, u16 top, u16 width, u16 height) {
    LogCall("GXSetTexCopySrc", "%u, %u, %u, %u", left, top, width, height);
    TexCopy& c = RasterStateCurrent().texCopy;
    c.srcLeft = left;
    c.srcTop = top;
    c.srcWidth = width;
    c.srcHeight = height;
}

void GXSetTexCopyDst(u16 width, u16 height, GXTexFmt format, GXBool mipmap) {
    LogCall("GXSetTexCopyDst", "%u, %u, %u, %u", width, height, u32(format), u32(mipmap));
    TexCopy& c = RasterStateCurrent().texCopy;
    c.dstWidth = width;
    c.dstHeight = height;
    c.format = format;
    c.mipmap = mipmap != 0;
}

// Only RGBA8 texels are written; other formats leave the destination as it was.
void GXCopyTex(void* dest, GXBool clear) {
    LogCall("GXCopyTex", "%u", u32(clear));
    if (!HostGetConfig().pictures)
        return;
    const RasterState& state = RasterStateCurrent();
    const TexCopy& c = state.texCopy;
    const u32 left = std::min(c.srcLeft, kEfbWidth), top = std::min(c.srcTop, kEfbHeight);
    const u32 width = std::min(c.srcWidth, kEfbWidth - left),
              height = std::min(c.srcHeight, kEfbHeight - top);
    if (dest != nullptr && c.format == GX_TF_RGBA8)
        CopyRgba8({left, top, width, height, c.dstWidth, c.dstHeight, c.format, c.mipmap}, width, height,
                  static_cast<u8*>(dest));
    if (clear != 0)
        ClearCopySource(state, left, top, width, height);
}

void GXPixModeSync() {
    LogCall("GXPixModeSync");
}
