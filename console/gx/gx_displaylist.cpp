#include "console/gx/gx_displaylist.h"

#include <cstring>

#include "console/gx/gx_log.h"
#include "console/gx/gx_primitive.h"
#include "console/gx/gx_submit.h"
#include "console/os.h"

namespace console::gx {
namespace {

constexpr u8 kNop = 0x00;
constexpr u8 kFormatMask = 0x07;
constexpr u32 kHeaderSize = 3;  // command byte, vertex count
constexpr u32 kListAlign = 32;

struct Recording {
    u8* base = nullptr;
    u32 size = 0;
    u32 used = 0;
    bool overflow = false;
};

Recording s_rec;

void Write(const void* bytes, u32 size) {
    if (s_rec.overflow || size > s_rec.size - s_rec.used) {
        s_rec.overflow = true;
        return;
    }
    std::memcpy(s_rec.base + s_rec.used, bytes, size);
    s_rec.used += size;
}

}  // namespace

bool DisplayListRecording() {
    return s_rec.base != nullptr;
}

void DisplayListReset() {
    s_rec = Recording{};
}

void DisplayListRecord(GXPrimitive type, GXVtxFmt fmt, u16 count, const u8* data, u32 bytes) {
    const u8 command = u8(u32(type) | u32(fmt));
    Write(&command, 1);
    Write(&count, sizeof count);
    Write(data, bytes);
}

}  // namespace console::gx

using namespace console::gx;

void GXBeginDisplayList(void* list, u32 size) {
    LogCall("GXBeginDisplayList", "%p, %u", list, size);
    if (list == nullptr || DisplayListRecording() || SubmissionOpen())
        OSPanic(__FILE_NAME__, __LINE__, "GXBeginDisplayList: no list, or a list or primitive is open\n");
    s_rec = Recording{static_cast<u8*>(list), size, 0, false};
}

u32 GXEndDisplayList() {
    LogCall("GXEndDisplayList");
    if (!DisplayListRecording() || SubmissionOpen())
        OSPanic(__FILE_NAME__, __LINE__, "GXEndDisplayList: no list open, or a primitive is open\n");
    while (!s_rec.overflow && s_rec.used % kListAlign != 0)
        Write(&kNop, 1);
    const u32 length = s_rec.overflow ? 0 : s_rec.used;
    s_rec = Recording{};
    return length;
}

void GXCallDisplayList(const void* list, u32 nbytes) {
    LogCall("GXCallDisplayList", "%p, %u", list, nbytes);
    if (DisplayListRecording() || SubmissionOpen())
        OSPanic(__FILE_NAME__, __LINE__, "GXCallDisplayList: inside a display list or primitive\n");
    const u8* p = static_cast<const u8*>(list);
    const u8* const end = p + nbytes;
    while (p < end) {
        const u8 command = *p;
        if (command == kNop) {
            ++p;
            continue;
        }
        const u8 type = command & ~kFormatMask;
        if (!IsPrimitive(type) || u32(end - p) < kHeaderSize)
            OSPanic(__FILE_NAME__, __LINE__, "GXCallDisplayList: bad command 0x%02X at offset %u\n", command,
                    u32(p - static_cast<const u8*>(list)));
        const GXVtxFmt fmt = GXVtxFmt(command & kFormatMask);
        u16 count;
        std::memcpy(&count, p + 1, sizeof count);
        p += kHeaderSize;
        const VertexLayout& layout = LayoutOf(fmt);
        const u32 bytes = u32(count) * layout.size;
        if (u32(end - p) < bytes)
            OSPanic(__FILE_NAME__, __LINE__, "GXCallDisplayList: a primitive runs past the list's end\n");
        DrawPrimitive(GXPrimitive(type), layout, p, count);
        p += bytes;
    }
}
