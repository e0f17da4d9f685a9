#include "orblib47/source/NGC/DrawRecord.h"

#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Heap.h"

namespace {

// An immediate vertex as sent: position and normal (3 x f32 each), colour (RGBA8),
// texture coordinates (2 x f32).
constexpr u32 kVertexBytes = 12 + 12 + 4 + 8;
constexpr u32 kPrimitiveHeaderBytes = 3;  // command, vertex count
constexpr u32 kListAlign = 32;
// The immediate buffer sends a long run of triangles in pieces of whole triangles.
constexpr u32 kVerticesPerPiece = DRAW_VERTEX_BUFFER_SIZE - DRAW_VERTEX_BUFFER_SIZE % 3;

void* RecordList = nullptr;

}  // namespace

bool DrawRecordBegin(u32 maxVertices) {
    ORB_ASSERT(RecordList == nullptr, "DrawRecordBegin: a recording is already open\n");
    const u64 pieces = u64(maxVertices) / kVerticesPerPiece + 1;
    const u64 bytes = u64(maxVertices) * kVertexBytes + pieces * kPrimitiveHeaderBytes + kListAlign;
    const u64 rounded = (bytes + kListAlign - 1) / kListAlign * kListAlign;
    if (rounded > 0xFFFFFFFFu)
        return false;
    RecordList = HeapMalloc(u32(rounded), __FILE_NAME__, __LINE__);
    if (RecordList == nullptr)
        return false;
    GXBeginDisplayList(RecordList, u32(rounded));
    return true;
}

s_draw_record DrawRecordEnd() {
    ORB_ASSERT(RecordList != nullptr, "DrawRecordEnd: no recording is open\n");
    const u32 size = GXEndDisplayList();
    void* list = RecordList;
    RecordList = nullptr;
    if (size == 0) {
        HeapMallocFree(list);
        return {nullptr, 0};
    }
    return {list, size};
}

bool DrawRecording() {
    return RecordList != nullptr;
}

void DrawRecordFree(void* list) {
    if (list != nullptr)
        HeapMallocDelayedFree(list, 2);
}

void DrawRecordCall(const void* list, u32 size) {
    if (list == nullptr)
        return;
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
    GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    GXSetVtxDesc(GX_VA_TEX0, GX_DIRECT);
    GXCallDisplayList(list, size);
}
