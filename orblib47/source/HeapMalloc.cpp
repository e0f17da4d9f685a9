// The malloc family: blocks with a 32-byte header, freed at once or after a delay.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "console/poison.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/HeapInternal.h"

namespace {

constexpr u32 kMallocAlign = 32;
constexpr u32 kMallocFlags = 5;

// Head of the blocks waiting for a delayed free; only next and prev are used.
s_malloc_header HeapFreeList;

// A block's header is poisoned while the heap is not using it: it is the guard
// after the block below.
class OpenHeader {
public:
    explicit OpenHeader(s_malloc_header* header) : header_(header != &HeapFreeList ? header : nullptr) {
        if (header_ != nullptr)
            UnpoisonMemory(header_, MALLOC_HEADER_SIZE);
    }
    ~OpenHeader() {
        if (header_ != nullptr)
            PoisonMemory(header_, MALLOC_HEADER_SIZE);
    }
    OpenHeader(const OpenHeader&) = delete;
    OpenHeader& operator=(const OpenHeader&) = delete;

private:
    s_malloc_header* header_;
};

using Strategy = s_mem_handle* (*)(s_heap*, u32, u32, const char*, s32);

// Block length for `size` caller bytes; false when it does not fit in 32 bits.
bool BlockLength(u32 size, u32* length) {
    if (size > UINT32_MAX - MALLOC_HEADER_SIZE)
        return false;
    *length = size + MALLOC_HEADER_SIZE;
    return true;
}

bool ArrayBytes(u32 count, u32 size, u32* bytes) {
    u64 total = u64(count) * size;
    if (total > UINT32_MAX)
        return false;
    *bytes = u32(total);
    return true;
}

void* HandOut(s_mem_handle* handle) {
    if (handle == nullptr)
        return nullptr;
    handle->flags = kMallocFlags;
    auto* header = reinterpret_cast<s_malloc_header*>(handle->address);
    OpenHeader open(header);
    header->next = nullptr;
    header->prev = nullptr;
    header->handle = handle;
    header->timer = 0;
    header->cookie = kMallocCookieLive;
    return handle->address + MALLOC_HEADER_SIZE;
}

void* MallocWith(Strategy place, u32 size, const char* file, s32 line, bool announceFallback) {
    u32 length = 0;
    if (!BlockLength(size, &length))
        return nullptr;
    s_mem_handle* handle = place(CurrentHeap, length, kMallocAlign, file, line);
    if (handle == nullptr && ExtraHeap.size != 0) {
        if (announceFallback)
            DEBUG_PRINT("MALLOC: Allocating %u bytes from Extra Heap!\n", length);
        handle = place(&ExtraHeap, length, kMallocAlign, file, line);
    }
    return HandOut(handle);
}

void* Cleared(void* block, u32 bytes) {
    if (block != nullptr)
        std::memset(block, 0, bytes);
    return block;
}

const s_heap* OwningHeap(std::uintptr_t address) {
    for (const s_heap* heap : {&MainHeap, &ExtraHeap}) {
        if (address >= HeapAddr(heap->lomem.address) && address < HeapAddr(heap->himem.address))
            return heap;
    }
    return nullptr;
}

// The header of a HeapMalloc block with this cookie; null for any other pointer.
// The header is what must lie in a heap: an empty block's pointer is its end, which
// for the top block is the heap's end.
s_malloc_header* HeaderWith(void* pointer, u32 cookie) {
    std::uintptr_t address = HeapAddr(pointer);
    if (address % kMallocAlign != 0 || address < MALLOC_HEADER_SIZE ||
        OwningHeap(address - MALLOC_HEADER_SIZE) == nullptr) {
        return nullptr;
    }
    auto* header = reinterpret_cast<s_malloc_header*>(address - MALLOC_HEADER_SIZE);
    return PeekPoisoned32(&header->cookie) == cookie ? header : nullptr;
}

// A live block's header; anything else (null, foreign, freed, already waiting for
// a delayed free) stops the program.
s_malloc_header* LiveHeader(void* address) {
    ORB_ASSERT(address, "FREE: Invalid Addresss\n");
    s_malloc_header* header = HeaderWith(address, kMallocCookieLive);
    ORB_ASSERT(header, "FREE: Invalid Addresss\n");
    return header;
}

s_mem_handle* HandleOf(s_malloc_header* header) {
    OpenHeader open(header);
    return header->handle;
}

void Release(s_malloc_header* header) {
    OpenHeader open(header);
    s_mem_handle* handle = header->handle;
    ORB_ASSERT(handle->address, "FREE: Invalid Addresss\n");
    header->cookie = 0;
    FreeHandle(handle);
    handle->address = nullptr;
}

}  // namespace

void* HeapMalloc(u32 size, const char* file, s32 line) {
    return MallocWith(NewHandle, size, file, line, true);
}

void* HeapMallocBestFit(u32 size, const char* file, s32 line) {
    return MallocWith(NewHandleBestFit, size, file, line, false);
}

void* HeapMallocLow(u32 size, const char* file, s32 line) {
    return MallocWith(NewHandleLow, size, file, line, false);
}

void* HeapCalloc(u32 count, u32 size, const char* file, s32 line) {
    u32 bytes = 0;
    if (!ArrayBytes(count, size, &bytes))
        return nullptr;
    return Cleared(HeapMalloc(bytes, file, line), bytes);
}

void* HeapMallocFromExtraHeap(u32 size, const char* file, s32 line) {
    u32 length = 0;
    if (ExtraHeap.size == 0 || !BlockLength(size, &length))
        return nullptr;
    return HandOut(NewHandle(&ExtraHeap, length, kMallocAlign, file, line));
}

void* HeapCallocFromExtraHeap(u32 count, u32 size) {
    u32 bytes = 0;
    if (!ArrayBytes(count, size, &bytes))
        return nullptr;
    return Cleared(HeapMallocFromExtraHeap(bytes, __FILE_NAME__, __LINE__), bytes);
}

u32 HeapMallocLimit() {
    // No heap holds a block larger than itself.
    u32 largest = std::max(CurrentHeap->size, ExtraHeap.size);
    return largest > MALLOC_HEADER_SIZE ? largest - MALLOC_HEADER_SIZE : 0;
}

void HeapMallocFree(void* pointer) {
    Release(LiveHeader(pointer));
}

void HeapMallocDelayedFree(void* pointer, s32 frames) {
    s_malloc_header* header = LiveHeader(pointer);
    OpenHeader open(header);
    header->cookie = kMallocCookiePending;
    header->timer = frames < INT32_MAX ? frames + 1 : frames;
    header->prev = &HeapFreeList;
    header->next = HeapFreeList.next;
    if (header->next != nullptr) {
        OpenHeader openNext(header->next);
        header->next->prev = header;
    }
    HeapFreeList.next = header;
}

bool HeapOwnsPointer(const void* pointer) {
    return OwningHeap(HeapAddr(pointer)) != nullptr;
}

void HeapAddrAddComment(void* pointer, const char* text) {
    if (pointer != nullptr)
        HeapHandleAddComment(HandleOf(LiveHeader(pointer)), text);
}

void HeapFreeListReset() {
    HeapFreeList.next = nullptr;
    HeapFreeList.prev = nullptr;
}

namespace {

// Gives back the waiting blocks whose delay ran out this frame, or all of them.
void ReleaseWaiting(bool all) {
    s_malloc_header* next = nullptr;
    for (s_malloc_header* header = HeapFreeList.next; header != nullptr; header = next) {
        {
            OpenHeader open(header);
            next = header->next;
            if (--header->timer >= 1 && !all)
                continue;
            OpenHeader openPrev(header->prev);
            header->prev->next = next;
            if (next != nullptr) {
                OpenHeader openNext(next);
                next->prev = header->prev;
            }
        }
        Release(header);
    }
}

}  // namespace

void HeapMallocFreeDelayedNow() {
    ReleaseWaiting(true);
}

void HeapThread(s_thread*, void*) {
    ReleaseWaiting(false);
    if (g_UseFastHeapSearch)
        HeapSetAllocSearchStart(CurrentHeap);
    if (g_HeapDumpOnDemand) {
        HeapDump(CurrentHeap, 0, "Dump on Demand\n");
        g_HeapDumpOnDemand = 0;
    }
    if (g_HeapDumpStatsOnDemand) {
        HeapDump(CurrentHeap, HEAP_DUMP_STATS_ONLY, "Dump Stats on Demand\n");
        g_HeapDumpStatsOnDemand = 0;
    }
    if (g_HeapDumpFreeOnDemand) {
        HeapDump(CurrentHeap, HEAP_DUMP_FREE_ONLY, "Dump Free Blocks on Demand\n");
        g_HeapDumpFreeOnDemand = 0;
    }
}
