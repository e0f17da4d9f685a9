// Shared between the heap's source files; not for other modules.
#pragma once

#include <cinttypes>
#include <cstdint>

#include "orblib47/source/Heap.h"

// s_malloc_header::cookie of a block in use, of one waiting on the delayed-free
// list, and (0) of a freed one.
constexpr u32 kMallocCookieLive = 0x4d4c4c43u;     // "MLLC"
constexpr u32 kMallocCookiePending = 0x444c4159u;  // "DLAY"

// Pointers print at the host's width.
#define HEAP_ADDR_FORMAT "0x%08" PRIxPTR
inline std::uintptr_t HeapAddr(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// Free bytes between a node and its successor (0 after himem).
u32 HeapGap(const s_mem_handle* node);
// The node before the largest gap (the first on a tie); null when there is no gap.
s_mem_handle* HeapLargestGapNode(s_heap* heap);

// Placement (HeapPlace.cpp): lets the next main-heap first-fit failure print its
// warning header again.
void HeapResetOutOfRamReport();

// Tracker (HeapTrack.cpp).
void HeapTrackReset();
void HeapTrackAdd(s_mem_handle* handle);
void HeapTrackRemove(s_mem_handle* handle);

// Delayed frees (HeapMalloc.cpp).
void HeapFreeListReset();
