// The copy to texture: the embedded frame buffer's rectangle into tiled RGBA8
// texels, box-filtered to half size for a mip level.
#include "console/gx/gx_texcopy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_copy.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_sampler.h"
#include "console/gx/gx_stream.h"
#include "console/gx/gx_texdecode.h"
#include "console/gx/gx_tiles.h"
#include "console/host_services.h"
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
    // A plain copy's texels as the texture reads them, written beside its
    // memory; null for a mip level.
    std::shared_ptr<DecodedTexture> texture;
    u32 epoch = 0;            // the queue's round it was queued in
    bool superseded = false;  // by a later copy into its memory
};

std::size_t DestBytes(const Rgba8Copy& copy) {
    return TexLevelBytes(GX_TF_RGBA8, copy.c.dstWidth, copy.outHeight);
}

bool Overlaps(const Rgba8Copy& copy, const void* begin, std::size_t bytes) {
    const auto* first = static_cast<const u8*>(begin);
    return first < copy.dest + DestBytes(copy) && copy.dest < first + bytes;
}

// A tile holds four texels of each of four rows, alpha and red pairs in its
// first half, green and blue pairs in its second.
const u32* SourceRow(const Rgba8Copy& copy, u32 y) {
    const u32 scale = copy.c.mipmap ? 2 : 1;
    return &EfbDrawing().color[(copy.c.srcTop + scale * y) * kEfbWidth + copy.c.srcLeft];
}

Rgba8* TexelRow(const Rgba8Copy& copy, u32 y) {
    return copy.texture != nullptr ? &copy.texture->levels[0].texels[std::size_t(y) * copy.outWidth]
                                   : nullptr;
}

// Four whole texels of a plain copy from `argb` on: their pairs as a tile row
// holds them (eight bytes of each half), and their texels as the texture
// reads them.
struct FourTexels {
    Halves8 pairs;
    Words4 rgba;
};

FourTexels PlainTexels(const u32* argb) {
    Words4 words;
    std::memcpy(&words, argb, sizeof words);
    // Each word's alpha-red and green-blue pairs (A, G the first bytes) in the
    // low halves of two vectors, which then pack side by side.
    const Words4 ar = words >> 24 | (words >> 8 & 0xFF00u);
    const Words4 gb = (words >> 8 & 0xFFu) | (words & 0xFFu) << 8;
    return {__builtin_shufflevector(Halves8(ar), Halves8(gb), 0, 2, 4, 6, 8, 10, 12, 14),
            (words & 0xFF00FF00u) | (words >> 16 & 0xFFu) | (words & 0xFFu) << 16};
}

// Texel row y from texel `x` on, four whole texels of a plain copy at once.
void CopyRgba8Row(const Rgba8Copy& copy, u32 y, u32 x = 0) {
    const TexCopy& c = copy.c;
    const u32 outWidth = copy.outWidth;
    const u32 tilesX = (c.dstWidth + 3) / 4;
    const u32* row = SourceRow(copy, y);
    u8* tiles = copy.dest + std::size_t(y / 4) * tilesX * 64 + (y % 4) * 8;
    Rgba8* texels = TexelRow(copy, y);
    for (; !c.mipmap && x + 4 <= outWidth; x += 4) {
        const FourTexels four = PlainTexels(&row[x]);
        u8* at = tiles + (x / 4) * 64;
        std::memcpy(at, &four.pairs, 8);
        std::memcpy(at + 32, reinterpret_cast<const u8*>(&four.pairs) + 8, 8);
        if (texels != nullptr)
            std::memcpy(static_cast<void*>(&texels[x]), &four.rgba, sizeof four.rgba);
    }
    for (; x < outWidth; ++x) {
        const u32 argb = SourcePixel(row, c.mipmap, x);
        u8* at = tiles + (x / 4) * 64 + (x % 4) * 2;
        at[0] = u8(argb >> 24);
        at[1] = u8(argb >> 16);
        at[32] = u8(argb >> 8);
        at[33] = u8(argb);
        if (texels != nullptr)
            texels[x] = {u8(argb >> 16), u8(argb >> 8), u8(argb), u8(argb >> 24)};
    }
}

// The four texel rows from y (a multiple of 4) of a plain copy, their whole
// tiles streamed out a line at a time: the lines were written by another
// thread the last time round, and nothing here reads them again.
void CopyRgba8Tiles(const Rgba8Copy& copy, u32 y) {
    const u32 whole = copy.outWidth / 4 * 4;
    const u32* rows[4];
    Rgba8* texels[4];
    for (u32 r = 0; r < 4; ++r) {
        rows[r] = SourceRow(copy, y + r);
        texels[r] = TexelRow(copy, y + r);
    }
    u8* tiles = copy.dest + std::size_t(y / 4) * ((copy.c.dstWidth + 3) / 4) * 64;
    for (u32 x = 0; x < whole; x += 4) {
        alignas(16) u8 tile[64];
        for (u32 r = 0; r < 4; ++r) {
            const FourTexels four = PlainTexels(&rows[r][x]);
            std::memcpy(tile + r * 8, &four.pairs, 8);
            std::memcpy(tile + 32 + r * 8, reinterpret_cast<const u8*>(&four.pairs) + 8, 8);
            if (texels[r] != nullptr)
                std::memcpy(static_cast<void*>(&texels[r][x]), &four.rgba, sizeof four.rgba);
        }
        StreamLines(tiles + (x / 4) * 64, tile, sizeof tile);
    }
    for (u32 r = 0; r < 4; ++r)
        CopyRgba8Row(copy, y + r, whole);
}

// Output rows to a piece of a mip level's copy.
constexpr u32 kRowsPerPiece = 8;

void CopyRgba8Rows(void* context, u32 piece) {
    const Rgba8Copy& copy = *static_cast<const Rgba8Copy*>(context);
    const u32 end = std::min(copy.outHeight, (piece + 1) * kRowsPerPiece);
    for (u32 y = piece * kRowsPerPiece; y < end; ++y)
        CopyRgba8Row(copy, y);
}

// A band's rows of a plain copy, which reads one source row for each it writes.
void CopyRgba8Band(const void* context, u32 top, u32 bottom) {
    Rgba8Copy* copy;
    std::memcpy(&copy, context, sizeof copy);
    const RowRange rows = RowsWithin(top, bottom, copy->c.srcTop, copy->outHeight);
    const u32 end = rows.end - copy->c.srcTop;
    // Whole tiles where the band holds all four of their rows, and the
    // memory takes streamed stores.
    const bool stream = reinterpret_cast<std::uintptr_t>(copy->dest) % 16 == 0;
    for (u32 y = rows.begin - copy->c.srcTop; y < end;) {
        if (stream && y % 4 == 0 && y + 4 <= end) {
            CopyRgba8Tiles(*copy, y);
            y += 4;
        } else {
            CopyRgba8Row(*copy, y++);
        }
    }
    StreamFence();
    copy->texture->bandsToCopy.fetch_sub(1, std::memory_order_release);
}

// The copies of this round of the queue, which its records point to.
std::vector<std::unique_ptr<Rgba8Copy>> s_inFlight;

// Whether two plain copies write each texel row from the same source row: the
// same band then writes it for both, in the order they came.
bool SameRows(const Rgba8Copy& a, const Rgba8Copy& b) {
    return a.dest == b.dest && a.c.srcTop == b.c.srcTop && a.c.dstWidth == b.c.dstWidth && !a.c.mipmap &&
           !b.c.mipmap;
}

// A copy into memory that copies in flight write lands after them, and they
// no longer say what the memory holds. Only this round's are left.
void Supersede(const Rgba8Copy& later) {
    const std::size_t bytes = DestBytes(later);
    bool wait = false;
    for (const auto& copy : s_inFlight) {
        if (Overlaps(*copy, later.dest, bytes)) {
            wait |= !SameRows(*copy, later);
            copy->superseded = true;
        }
    }
    if (wait)
        FinishCopiesInto(later.dest, bytes);
}

// A plain copy is queued, to be done on each band as the band gets to it; a
// mip level reads two rows for each it writes, which may lie in two bands, and
// is done once the rows it reads are drawn while the rest of the frame goes on.
void CopyRgba8(const TexCopy& c, u32 width, u32 height, u8* dest) {
    HostMemoryScope hostMemory;
    const u32 scale = c.mipmap ? 2 : 1;
    auto copy = std::make_unique<Rgba8Copy>(Rgba8Copy{c, std::min(width / scale, c.dstWidth),
                                                      std::min(height / scale, c.dstHeight), dest, nullptr});
    if (copy->outWidth == 0 || copy->outHeight == 0)
        return;
    std::erase_if(s_inFlight, [](const auto& inFlight) { return inFlight->epoch != QueueEpoch(); });
    Supersede(*copy);
    const u32 bottom = c.srcTop + scale * copy->outHeight - 1;
    if (c.mipmap) {
        FinishRows(c.srcTop, bottom, (copy->outHeight + kRowsPerPiece - 1) / kRowsPerPiece, CopyRgba8Rows,
                   copy.get());
        return;
    }
    auto texture = std::make_shared<DecodedTexture>();
    texture->levels.push_back(
        {copy->outWidth, copy->outHeight, NewTexels(std::size_t(copy->outWidth) * copy->outHeight)});
    texture->bandsToCopy.store(BandOf(bottom) - BandOf(c.srcTop) + 1, std::memory_order_relaxed);
    copy->texture = std::move(texture);
    s_inFlight.push_back(std::move(copy));
    Rgba8Copy* const queued = s_inFlight.back().get();
    QueueRowsWork(CopyRgba8Band, &queued, sizeof queued, c.srcTop, bottom, false, 0);
    queued->epoch = QueueEpoch();
}

}  // namespace

std::shared_ptr<const DecodedTexture> CopiedTexture(const void* image, u32 width, u32 height) {
    for (auto it = s_inFlight.rbegin(); it != s_inFlight.rend(); ++it) {
        const Rgba8Copy& copy = **it;
        if (copy.dest != image || copy.epoch != QueueEpoch())
            continue;
        if (copy.superseded || copy.outWidth != width || copy.outHeight != height)
            return nullptr;
        return copy.texture;
    }
    return nullptr;
}

void FinishCopiesInto(const void* begin, std::size_t bytes) {
    for (const auto& copy : s_inFlight)
        if (copy->epoch == QueueEpoch() && copy->texture->bandsToCopy.load(std::memory_order_acquire) != 0 &&
            Overlaps(*copy, begin, bytes))
            FinishRows(copy->c.srcTop, copy->c.srcTop + copy->outHeight - 1, 0, nullptr, nullptr);
}

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
