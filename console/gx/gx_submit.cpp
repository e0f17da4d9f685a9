// Immediate vertex submission: GXBegin announces a primitive, the vertex calls
// append each attribute in descriptor order, GXEnd draws (or records) it.
#include "console/gx/gx_submit.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "console/gx/gx_displaylist.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_primitive.h"
#include "console/gx/gx_scratch.h"
#include "console/os.h"

namespace console::gx {
namespace {

struct Submission {
    bool open = false;
    GXPrimitive type = GX_POINTS;
    GXVtxFmt fmt = GX_VTXFMT0;
    u16 count = 0;
    const VertexLayout* layout = nullptr;
    u32 slot = 0;          // the attribute the next call writes
    std::vector<u8> data;  // at least `expected` bytes from GXBegin: a plain copy per attribute
    u32 used = 0;
    u32 expected = 0;  // the vertices GXBegin announced, in bytes
};

Submission s_sub;

// Appends one attribute's bytes after checking that the descriptor and format
// expect exactly this attribute next. type is ignored for colours, whose size
// alone tells the formats apart. The size is the call's own: the copy is a
// move or two, the game makes these calls for every vertex.
template <u32 size>
void Put(const char* call, u32 firstAttr, u32 lastAttr, GXCompType type, const void* bytes) {
    if (!s_sub.open)
        OSPanic(__FILE_NAME__, __LINE__, "%s: outside GXBegin/GXEnd\n", call);
    if (s_sub.used + size > s_sub.expected)
        OSPanic(__FILE_NAME__, __LINE__, "%s: more than the %u vertices GXBegin announced\n", call,
                s_sub.count);
    const VertexLayout::Slot& slot = s_sub.layout->slots[s_sub.slot];
    const bool isColor = firstAttr == kAttrClr0;
    if (slot.attr < firstAttr || slot.attr > lastAttr || slot.size != size ||
        (!isColor && slot.format.type != type))
        OSPanic(__FILE_NAME__, __LINE__, "%s: the vertex format expects attribute %u of %u bytes here\n",
                call, slot.attr + GX_VA_POS, slot.size);
    std::memcpy(s_sub.data.data() + s_sub.used, bytes, size);
    s_sub.used += size;
    if (++s_sub.slot == s_sub.layout->slotCount)
        s_sub.slot = 0;
}

template <typename T, size_t N>
void PutAll(const char* call, u32 firstAttr, u32 lastAttr, GXCompType type, const T (&values)[N]) {
    Put<sizeof values>(call, firstAttr, lastAttr, type, values);
}

constexpr u32 kAttrTex7 = kAttrCount - 1;

}  // namespace
}  // namespace console::gx

using namespace console::gx;

void GXBegin(GXPrimitive type, GXVtxFmt fmt, u16 nverts) {
    LogCall("GXBegin", "0x%02X, %u, %u", type, fmt, nverts);
    if (s_sub.open)
        OSPanic(__FILE_NAME__, __LINE__, "GXBegin: the previous primitive has not ended\n");
    if (!IsPrimitive(type) || fmt >= GX_MAX_VTXFMT)
        OSPanic(__FILE_NAME__, __LINE__, "GXBegin: unknown primitive 0x%02X or format %u\n", type, fmt);
    s_sub.layout = &LayoutOf(fmt);
    if (FrontStateView().desc[kAttrPos] == GX_NONE)
        OSPanic(__FILE_NAME__, __LINE__, "GXBegin: the vertex descriptor has no position\n");
    s_sub.open = true;
    s_sub.type = type;
    s_sub.fmt = fmt;
    s_sub.count = nverts;
    s_sub.slot = 0;
    s_sub.used = 0;
    s_sub.expected = u32(nverts) * s_sub.layout->size;
    Scratch(s_sub.data, s_sub.expected);
}

void GXEnd() {
    LogCall("GXEnd");
    if (!s_sub.open)
        OSPanic(__FILE_NAME__, __LINE__, "GXEnd: no GXBegin\n");
    if (s_sub.used != s_sub.expected)
        OSPanic(__FILE_NAME__, __LINE__, "GXEnd: %u vertices announced, %u sent\n", s_sub.count,
                s_sub.used / s_sub.layout->size);
    s_sub.open = false;
    if (DisplayListRecording())
        DisplayListRecord(s_sub.type, s_sub.fmt, s_sub.count, s_sub.data.data(), s_sub.expected);
    else
        DrawPrimitive(s_sub.type, *s_sub.layout, s_sub.data.data(), s_sub.count);
}

bool console::gx::SubmissionOpen() {
    return s_sub.open;
}

void console::gx::SubmissionReset() {
    s_sub.open = false;
}

void GXPosition3f32(f32 x, f32 y, f32 z) {
    const f32 v[] = {x, y, z};
    PutAll("GXPosition3f32", kAttrPos, kAttrPos, GX_F32, v);
}

void GXPosition2f32(f32 x, f32 y) {
    const f32 v[] = {x, y};
    PutAll("GXPosition2f32", kAttrPos, kAttrPos, GX_F32, v);
}

void GXPosition3s16(s16 x, s16 y, s16 z) {
    const s16 v[] = {x, y, z};
    PutAll("GXPosition3s16", kAttrPos, kAttrPos, GX_S16, v);
}

void GXNormal3f32(f32 x, f32 y, f32 z) {
    const f32 v[] = {x, y, z};
    PutAll("GXNormal3f32", kAttrNrm, kAttrNrm, GX_F32, v);
}

void GXNormal3s8(s8 x, s8 y, s8 z) {
    const s8 v[] = {x, y, z};
    PutAll("GXNormal3s8", kAttrNrm, kAttrNrm, GX_S8, v);
}

void GXColor4u8(u8 r, u8 g, u8 b, u8 a) {
    const u8 v[] = {r, g, b, a};
    PutAll("GXColor4u8", kAttrClr0, kAttrClr0 + 1, GX_RGBA8, v);
}

void GXColor3u8(u8 r, u8 g, u8 b) {
    const u8 v[] = {r, g, b};
    PutAll("GXColor3u8", kAttrClr0, kAttrClr0 + 1, GX_RGB8, v);
}

void GXColor1u32(u32 rgba) {
    GXColor4u8(u8(rgba >> 24), u8(rgba >> 16), u8(rgba >> 8), u8(rgba));
}

void GXTexCoord2f32(f32 s, f32 t) {
    const f32 v[] = {s, t};
    PutAll("GXTexCoord2f32", kAttrTex0, kAttrTex7, GX_F32, v);
}

void GXTexCoord2s16(s16 s, s16 t) {
    const s16 v[] = {s, t};
    PutAll("GXTexCoord2s16", kAttrTex0, kAttrTex7, GX_S16, v);
}

void GXTexCoord2u16(u16 s, u16 t) {
    const u16 v[] = {s, t};
    PutAll("GXTexCoord2u16", kAttrTex0, kAttrTex7, GX_U16, v);
}
