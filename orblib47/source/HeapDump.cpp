// The heap dump and the allocation tracker.
#include <algorithm>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/HeapInternal.h"

namespace {

constexpr u32 kTrackGrowth = 8192;

s_mem_handle** HeapTrackTable;
u32 HeapTrackTableCount;
bool HeapTrackingOn;
bool HeapTrackingSuspended;
bool HeapTrackTableGrowing;

void PrintBlock(const s_mem_handle* handle, const char* mark) {
    DEBUG_PRINT(HEAP_ADDR_FORMAT " [%8u]%s @ line %4d of %s", HeapAddr(handle->address), handle->length, mark,
                s32(handle->linenum), handle->filename != nullptr ? handle->filename : "");
    if (handle->comment[0] != '\0')
        DEBUG_PRINT(" (%s)", handle->comment);
    DEBUG_PRINT("\n");
}

bool Tracking() {
    return HeapTrackingOn && !HeapTrackingSuspended && !HeapTrackTableGrowing;
}

// Adds kTrackGrowth slots, in the extra heap; false when that cannot be done.
bool GrowTrackTable() {
    u32 count = HeapTrackTableCount + kTrackGrowth;
    if (ExtraHeap.size == 0 || count < kTrackGrowth || u64(count) * sizeof(s_mem_handle*) > UINT32_MAX) {
        return false;
    }
    HeapTrackTableGrowing = true;
    HeapPush(&ExtraHeap);
    auto** table =
        static_cast<s_mem_handle**>(HeapMalloc(u32(count * sizeof(s_mem_handle*)), __FILE_NAME__, __LINE__));
    if (table != nullptr) {
        std::fill(std::copy(HeapTrackTable, HeapTrackTable + HeapTrackTableCount, table), table + count,
                  nullptr);
        if (HeapTrackTable != nullptr)
            HeapMallocFree(HeapTrackTable);
        HeapTrackTable = table;
        HeapTrackTableCount = count;
    }
    HeapPop();
    HeapTrackTableGrowing = false;
    return table != nullptr;
}

s_mem_handle** FindSlot(const s_mem_handle* handle) {
    s_mem_handle** end = HeapTrackTable + HeapTrackTableCount;
    s_mem_handle** slot = std::find(HeapTrackTable, end, handle);
    return slot != end ? slot : nullptr;
}

}  // namespace

void HeapDump(s_heap* heap, u32 dumpFlags, const char* title) {
    if (heap == nullptr)
        return;
    bool statsOnly = (dumpFlags & HEAP_DUMP_STATS_ONLY) != 0;
    bool freeOnly = (dumpFlags & HEAP_DUMP_FREE_ONLY) != 0;
    if (!statsOnly)
        DEBUG_PRINT("Heap Dump: %s\n", title);

    u32 allocs = 0;
    u32 freeBlocks = 0;
    u32 freeTotal = 0;
    u32 largest = 0;
    for (const s_mem_handle* node = &heap->lomem; node != nullptr; node = node->next) {
        bool marker = node == &heap->lomem || node == &heap->himem;
        if (marker && !statsOnly) {
            DEBUG_PRINT(HEAP_ADDR_FORMAT " [%8s]\n", HeapAddr(node->address),
                        node == &heap->lomem ? "lomem" : "himem");
        } else if (!marker) {
            allocs += 1;
            if (!statsOnly && !freeOnly)
                PrintBlock(node, "");
        }
        u32 gap = HeapGap(node);
        if (gap == 0)
            continue;
        if (!statsOnly)
            DEBUG_PRINT(HEAP_ADDR_FORMAT " [%8u] FREE BLOCK\n", HeapAddr(node->address + node->length), gap);
        freeTotal += gap;
        freeBlocks += 1;
        largest = std::max(largest, gap);
    }
    DEBUG_PRINT("\nHeap Dump Statistics: %s\n", title);
    DEBUG_PRINT("         Number of Allocs: %u\n", allocs);
    DEBUG_PRINT("    Number of Free Blocks: %u\n", freeBlocks);
    DEBUG_PRINT("          Space Available: %u\n", freeTotal);
    DEBUG_PRINT("             Largest Free: %u\n", largest);
}

void HeapTrackReset() {
    HeapTrackTable = nullptr;
    HeapTrackTableCount = 0;
    HeapTrackingOn = false;
    HeapTrackingSuspended = false;
    HeapTrackTableGrowing = false;
}

void HeapTrackAdd(s_mem_handle* handle) {
    if (!Tracking())
        return;
    s_mem_handle** slot = FindSlot(nullptr);
    if (slot == nullptr) {
        u32 firstNew = HeapTrackTableCount;
        if (!GrowTrackTable()) {
            HeapTrackingSuspended = true;
            DEBUG_PRINT("HEAP: Track table full, suspending heap tracking.\n");
            return;
        }
        slot = HeapTrackTable + firstNew;
    }
    *slot = handle;
}

void HeapTrackRemove(s_mem_handle* handle) {
    if (!Tracking())
        return;
    s_mem_handle** slot = FindSlot(handle);
    if (slot != nullptr) {
        *slot = nullptr;
    } else {
        DEBUG_PRINT("HEAP: Track address not found: ($%08" PRIxPTR ").\n", HeapAddr(handle->address));
    }
}

void HeapBeginTrack(const char* name) {
    if (HeapTrackTable == nullptr)
        GrowTrackTable();
    if (HeapTrackTable == nullptr)
        return;
    DEBUG_PRINT("*** [HEAP START TRACK %s] %u (largest = %u)\n", name, HeapAvail(CurrentHeap),
                HeapLargestAvail(CurrentHeap));
    std::fill(HeapTrackTable, HeapTrackTable + HeapTrackTableCount, nullptr);
    HeapTrackingOn = true;
    HeapTrackingSuspended = false;
}

void HeapEndTrack() {
    // Off first: freeing the table must not look itself up.
    HeapTrackingOn = false;
    if (HeapTrackTable == nullptr)
        return;
    DEBUG_PRINT("*** [HEAP_TRACK_END] ***\n");
    bool orphans = false;
    for (u32 i = 0; i < HeapTrackTableCount; ++i) {
        if (HeapTrackTable[i] == nullptr)
            continue;
        PrintBlock(HeapTrackTable[i], " **ORPHAN**");
        orphans = true;
    }
    if (orphans && g_HeapDumpOnOrphans)
        HeapDump(CurrentHeap, 0, "Orphans");
    HeapMallocFree(HeapTrackTable);
    HeapTrackTable = nullptr;
    HeapTrackTableCount = 0;
}
