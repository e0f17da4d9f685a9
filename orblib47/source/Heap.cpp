#include "orblib47/source/Heap.h"

#include <cstdint>
#include <cstring>

#include "console/poison.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/HeapInternal.h"
#include "orblib47/source/NGC/Memory.h"
#include "orblib47/source/OrbMem.h"
#include "orblib47/source/OrbThread.h"

s_heap MainHeap;
s_heap ExtraHeap;
s_heap* CurrentHeap = &MainHeap;
s_stdrec* HandleRecords;

int g_UseFastHeapSearch;
int g_HeapDumpOnDemand;
int g_HeapDumpStatsOnDemand;
int g_HeapDumpFreeOnDemand;
int g_HeapDumpOnOrphans;

namespace {

constexpr s32 MAX_HEAP_STACK_DEPTH = 8;
constexpr u32 kHeapAlign = 32;
constexpr u32 kHeapThreadPriority = 3200;

s_heap* HeapStack[MAX_HEAP_STACK_DEPTH];
s32 HeapStackDepth;

u8* AlignUp32(u8* p) {
    return reinterpret_cast<u8*>((reinterpret_cast<std::uintptr_t>(p) + kHeapAlign - 1) &
                                 ~std::uintptr_t(kHeapAlign - 1));
}

// The fast clear takes a signed count; clear in pieces it can take.
void ClearBlock(u8* p, u32 bytes) {
    constexpr u32 kPiece = 0x40000000u;
    for (; bytes > kPiece; bytes -= kPiece, p += kPiece)
        MemClrFast16(p, s32(kPiece));
    MemClrFast16(p, s32(bytes));
}

void InitMarker(s_mem_handle* marker, s_heap* heap, u8* address) {
    std::memset(marker, 0, sizeof(*marker));
    marker->address = address;
    marker->id = FourCC("HEAP");
    marker->heap = heap;
    marker->flags = 1;
    marker->alignment = 16;
}

}  // namespace

void HeapWarmReset(u32 maxhandle, u8* heapstart, u32 heapsize) {
    MemTypePush("MEM_DEFAULT");

    u32 poolBytes = 0;
    bool poolSized = RecordPoolBytes(maxhandle, sizeof(s_mem_handle), &poolBytes);
    u8* base = AlignUp32(heapstart);
    u32 usable = heapsize >= kHeapAlign ? (heapsize - kHeapAlign) & ~(kHeapAlign - 1) : 0;
    u8* end = heapstart + usable;
    bool fits = poolSized && heapsize >= kHeapAlign && end >= base && poolBytes <= u64(end - base);
    ORB_ASSERT(fits, "HeapWarmReset: %u handles do not fit in a heap of %u bytes\n", maxhandle, heapsize);

    // Whatever the last reset left marked is the heap's again.
    UnpoisonMemory(heapstart, heapsize);
    ClearBlock(base, usable);
    HandleRecords = RecordInit(base, maxhandle, sizeof(s_mem_handle));
    HeapNew(&MainHeap, base + poolBytes, end);
    PoisonMemory(end, heapsize - usable);  // the unused tail guards the top block
    CurrentHeap = &MainHeap;
    HeapStackDepth = 0;

    if (MemoryGetDebugSize() != 0) {
        HeapNew(&ExtraHeap, MemoryGetDebugBase(), MemoryGetDebugBase() + MemoryGetDebugSize());
    } else {
        // An extra heap of size 0 with nothing between its markers: every search
        // of it fails at once.
        HeapNew(&ExtraHeap, nullptr, nullptr);
    }
    HeapFreeListReset();
    HeapTrackReset();
    HeapResetOutOfRamReport();
}

void HeapStartup() {
    HeapFreeListReset();
    ThreadInsertPriorityDebug("HeapThread", SystemThreads, nullptr, HeapThread, nullptr, kHeapThreadPriority);
}

void HeapNew(s_heap* heap, u8* start, u8* end) {
    heap->size = heap->avail = u32(end - start);
    heap->minAvail = 0;
    heap->numHandles = 0;
    heap->errorFlag = 0;
    heap->errorSize = 0;
    InitMarker(&heap->lomem, heap, start);
    InitMarker(&heap->himem, heap, end);
    heap->lomem.next = &heap->himem;
    heap->himem.prev = &heap->lomem;
    heap->allocSearchStart = &heap->himem;
    if (end > start)
        PoisonMemory(start, u32(end - start));
}

void HeapPush(s_heap* heap) {
    ORB_ASSERT(HeapStackDepth < MAX_HEAP_STACK_DEPTH, "HeapPush: Stack Overflow!\n");
    HeapStack[HeapStackDepth++] = CurrentHeap;
    CurrentHeap = heap;
}

void HeapPop() {
    ORB_ASSERT(HeapStackDepth, "HeapPop: Stack Underflow!\n");
    CurrentHeap = HeapStack[--HeapStackDepth];
}

u32 HeapGap(const s_mem_handle* node) {
    if (node->next == nullptr)
        return 0;
    return u32(node->next->address - (node->address + node->length));
}

s_mem_handle* HeapLargestGapNode(s_heap* heap) {
    s_mem_handle* best = nullptr;
    u32 largest = 0;
    for (s_mem_handle* node = &heap->lomem; node != nullptr; node = node->next) {
        if (HeapGap(node) > largest) {
            largest = HeapGap(node);
            best = node;
        }
    }
    return best;
}

u32 HeapAvail(s_heap* heap) {
    return heap->avail;
}

u32 HeapLargestAvail(s_heap* heap) {
    s_mem_handle* node = HeapLargestGapNode(heap);
    return node != nullptr ? HeapGap(node) : 0;
}

void HeapSetAllocSearchStart(s_heap* heap) {
    s_mem_handle* node = HeapLargestGapNode(heap);
    heap->allocSearchStart = node != nullptr ? node : &heap->lomem;
}

void HeapPrintAvail(const char* name) {
    char avail[DEBUG_FORMAT_SINT32_SIZE];
    char largest[DEBUG_FORMAT_SINT32_SIZE];
    DEBUG_PROGRESS("Heap %s: %s (largest = %s)\n", name, DebugFormatSint32(avail, s32(HeapAvail(&MainHeap))),
                   DebugFormatSint32(largest, s32(HeapLargestAvail(&MainHeap))));
}

void HeapHandleAddComment(s_mem_handle* handle, const char* text) {
    std::size_t length = text != nullptr ? strnlen(text, sizeof(handle->comment) - 1) : 0;
    if (length != 0)
        std::memcpy(handle->comment, text, length);
    handle->comment[length] = '\0';
}

void HeapSetCallback(s_mem_handle* handle, HeapCallbackFunc func, void* parm) {
    handle->func = func;
    handle->parm = parm;
    handle->flags = (handle->flags | HANDLE_FLAG_MOVABLE) & ~HANDLE_FLAG_LOCKED;
}

// Memory-type accounting hooks: nothing is accounted.
void MemTypePush(const char*) {}
void MemTypePop() {}
void MemTypeAddDebugDisplay(const char*, u32) {}
