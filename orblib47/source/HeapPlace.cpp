// The three placement strategies and the release of a handle.
#include <cstdint>

#include "console/poison.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/HeapInternal.h"

namespace {

// The first first-fit failure of the main heap in a run carries a warning header.
bool OutOfRamReported;

std::uintptr_t AlignDown(std::uintptr_t value, u32 alignment) {
    return value & ~std::uintptr_t(alignment - 1);
}

// Aligned bottom of the gap after `node` in *bottom; false when `length` does not fit.
bool GapFits(const s_mem_handle* node, u32 length, u32 alignment, std::uintptr_t* bottom) {
    std::uintptr_t used = HeapAddr(node->address) + node->length;
    *bottom = AlignDown(used + alignment - 1, alignment);
    return *bottom + length <= HeapAddr(node->next->address);
}

// A handle from the pool, or null after saying so. Bad alignments are the caller's bug.
s_mem_handle* TakeHandle(u32 alignment) {
    ORB_ASSERT(alignment != 0 && (alignment & (alignment - 1)) == 0, "HEAP: Bad alignment %u\n", alignment);
    auto* handle = static_cast<s_mem_handle*>(RecordAlloc(HandleRecords));
    if (handle == nullptr)
        DEBUG_PRINT("HEAP: Out of handles!\n");
    return handle;
}

s_mem_handle* Place(s_heap* heap, s_mem_handle* handle, s_mem_handle* after, std::uintptr_t address,
                    u32 length, u32 alignment, const char* file, s32 line) {
    handle->address = reinterpret_cast<u8*>(address);
    handle->length = length;
    handle->id = SysId;
    handle->heap = heap;
    handle->flags = 0;
    handle->func = nullptr;
    handle->parm = nullptr;
    handle->alignment = alignment;
    handle->comment[0] = '\0';
    handle->filename = file;
    handle->linenum = u32(line);
    UnpoisonMemory(handle->address, length);

    handle->prev = after;
    handle->next = after->next;
    after->next->prev = handle;
    after->next = handle;
    heap->numHandles += 1;
    heap->avail -= length;
    HeapTrackAdd(handle);
    return handle;
}

void ReportOutOfRam(u32 length) {
    DEBUG_PRINT("HEAP: Out of RAM (need %u, have %u, largest %u)!\n", length, HeapAvail(CurrentHeap),
                HeapLargestAvail(CurrentHeap));
}

// Records the failure; the handle goes back to the pool.
void Fail(s_heap* heap, s_mem_handle* handle, u32 length) {
    heap->errorFlag = 1;
    heap->errorSize = length;
    RecordFree(HandleRecords, handle);
}

// The first node from `from` up whose gap fits, with that gap's aligned bottom.
s_mem_handle* FirstFit(s_mem_handle* from, u32 length, u32 alignment, std::uintptr_t* bottom) {
    for (s_mem_handle* node = from; node->next != nullptr; node = node->next) {
        if (GapFits(node, length, alignment, bottom))
            return node;
    }
    return nullptr;
}

}  // namespace

void HeapResetOutOfRamReport() {
    OutOfRamReported = false;
}

s_mem_handle* NewHandle(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line) {
    s_mem_handle* handle = TakeHandle(alignment);
    if (handle == nullptr)
        return nullptr;
    std::uintptr_t bottom = 0;
    s_mem_handle* node =
        g_UseFastHeapSearch ? FirstFit(heap->allocSearchStart, length, alignment, &bottom) : nullptr;
    if (node == nullptr)
        node = FirstFit(&heap->lomem, length, alignment, &bottom);
    if (node == nullptr) {
        Fail(heap, handle, length);
        if (heap == &MainHeap && !OutOfRamReported) {
            OutOfRamReported = true;
            DebugAssertHeader("FALSE", __FILE_NAME__, __LINE__);
            ReportOutOfRam(length);
        }
        return nullptr;
    }
    std::uintptr_t top = AlignDown(HeapAddr(node->next->address) - length, alignment);
    return Place(heap, handle, node, top, length, alignment, file, line);
}

s_mem_handle* NewHandleBestFit(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line) {
    s_mem_handle* handle = TakeHandle(alignment);
    if (handle == nullptr)
        return nullptr;
    s_mem_handle* best = nullptr;
    std::uintptr_t bestBottom = 0;
    for (s_mem_handle* node = &heap->lomem; node->next != nullptr; node = node->next) {
        std::uintptr_t bottom = 0;
        if (!GapFits(node, length, alignment, &bottom))
            continue;
        if (best == nullptr || HeapGap(node) < HeapGap(best)) {
            best = node;
            bestBottom = bottom;
            if (HeapGap(node) == length)
                break;
        }
    }
    if (best == nullptr) {
        Fail(heap, handle, length);
        if (heap == &MainHeap)
            ReportOutOfRam(length);
        return nullptr;
    }
    return Place(heap, handle, best, bestBottom, length, alignment, file, line);
}

s_mem_handle* NewHandleLow(s_heap* heap, u32 length, u32 alignment, const char* file, s32 line) {
    if (length > heap->avail)
        return nullptr;
    s_mem_handle* handle = TakeHandle(alignment);
    if (handle == nullptr)
        return nullptr;
    std::uintptr_t bottom = 0;
    s_mem_handle* node = FirstFit(&heap->lomem, length, alignment, &bottom);
    if (node == nullptr) {
        Fail(heap, handle, length);
        if (heap == &MainHeap)
            ReportOutOfRam(length);
        return nullptr;
    }
    return Place(heap, handle, node, bottom, length, alignment, file, line);
}

void FreeHandle(s_mem_handle* handle) {
    s_heap* heap = handle->heap;
    heap->numHandles -= 1;
    heap->avail += handle->length;
    HeapTrackRemove(handle);
    PoisonMemory(handle->address, handle->length);
    // The fast search must never start from a handle back in the pool.
    if (heap->allocSearchStart == handle)
        heap->allocSearchStart = handle->prev;
    handle->prev->next = handle->next;
    handle->next->prev = handle->prev;
    RecordFree(HandleRecords, handle);
}
