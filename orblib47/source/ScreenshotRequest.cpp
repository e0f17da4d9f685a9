// The answers to the host's requests. A request word holds the command in bits
// 23..16 and the chunk number in bits 15..0.
#include <algorithm>
#include <cstring>

#include "orblib47/source/Screenshot.h"
#include "orblib47/source/ScreenshotInternal.h"

namespace {

constexpr u32 kCommandPing = 1;
constexpr u32 kCommandXfbChunk = 2;
constexpr u32 kCommandEfbChunk = 3;
constexpr u32 kCommandSizes = 4;
constexpr u32 kSizesBlockSize = 32;

u16 EfbWidth = 640;
u16 EfbHeight = 480;
u16 XfbWidth = 640;
u16 XfbHeight = 480;

u32 EfbImageSize() {
    return u32(EfbWidth) * EfbHeight * 3;
}

u32 XfbSize() {
    return u32(XfbWidth) * XfbHeight * 2;
}

// What lies of the chunk inside an image of `size` bytes: nothing past its end.
u32 ChunkLength(u32 chunk, u32 size) {
    const u32 offset = chunk * SCRNSHOT_SHARE_MEMORY_SIZE;
    return offset >= size ? 0 : std::min(SCRNSHOT_SHARE_MEMORY_SIZE, size - offset);
}

bool ChunksFollow(u32 chunk, u32 size) {
    return chunk + 1 < (size + SCRNSHOT_SHARE_MEMORY_SIZE - 1) / SCRNSHOT_SHARE_MEMORY_SIZE;
}

// Bytes of the EFB image (rows from the top, pixels as R, G, B) from `offset` on;
// the first may be any channel of its pixel.
void ReadEfbImage(u32 offset, u32 length, u8* out) {
    u32 pixel = offset / 3;
    u32 channel = offset % 3;
    u32 argb = 0;
    for (u32 i = 0; i < length; ++i, ++channel) {
        if (channel == 3) {
            channel = 0;
            ++pixel;
        }
        if (i == 0 || channel == 0)
            GXPeekARGB(u16(pixel % EfbWidth), u16(pixel / EfbWidth), &argb);
        out[i] = u8(argb >> (16 - 8 * channel));
    }
}

void PutBigEndian16(u8* out, u16 value) {
    out[0] = u8(value >> 8);
    out[1] = u8(value);
}

// Sends the chunk's data, if any of it lies inside the image, then the echo.
bool AnswerChunk(u32 word, const u8* data, u32 length) {
    return (length == 0 || ScreenshotWrite(data, length)) && ScreenshotSendMail(word);
}

}  // namespace

void SCREENSHOTSetRenderModeObj(const GXRenderModeObj* renderMode) {
    SCREENSHOTSetXFBSize(renderMode->xfbHeight, renderMode->fbWidth);
    SCREENSHOTSetEFBSize(renderMode->efbHeight, renderMode->fbWidth);
}

void SCREENSHOTSetEFBSize(u16 height, u16 width) {
    EfbHeight = height;
    EfbWidth = width;
}

void SCREENSHOTSetXFBSize(u16 height, u16 width) {
    XfbHeight = height;
    XfbWidth = width;
}

bool ScreenshotAnswer(u32 word, const u8* xfb, u8* workBuffer) {
    const u32 command = (word >> 16) & 0xFF;
    const u32 chunk = word & 0xFFFF;
    const u32 offset = chunk * SCRNSHOT_SHARE_MEMORY_SIZE;
    switch (command) {
        case kCommandPing:
            ScreenshotSendMail(word);
            return false;
        case kCommandXfbChunk: {
            const u32 length = ChunkLength(chunk, XfbSize());
            return AnswerChunk(word, length != 0 ? xfb + offset : nullptr, length) &&
                   ChunksFollow(chunk, XfbSize());
        }
        case kCommandEfbChunk: {
            const u32 length = ChunkLength(chunk, EfbImageSize());
            ReadEfbImage(offset, length, workBuffer);
            return AnswerChunk(word, workBuffer, length) && ChunksFollow(chunk, EfbImageSize());
        }
        case kCommandSizes:
            std::memset(workBuffer, 0, kSizesBlockSize);
            PutBigEndian16(workBuffer + 0, EfbWidth);
            PutBigEndian16(workBuffer + 2, EfbHeight);
            PutBigEndian16(workBuffer + 4, XfbWidth);
            PutBigEndian16(workBuffer + 6, XfbHeight);
            if (ScreenshotWrite(workBuffer, kSizesBlockSize))
                ScreenshotSendMail(word);
            return false;
        default:
            return false;
    }
}
