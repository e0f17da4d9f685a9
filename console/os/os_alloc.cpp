// System heaps: first-fit heaps inside the arenas, 32-byte aligned blocks, each
// with a 32-byte header in front. The heap descriptors live in the arena memory
// that OSInitAlloc takes; the handle table is host-side, so every OSInitAlloc call
// adds handles and the handles of earlier calls stay valid (the program sets up
// one heap in each arena with its own OSInitAlloc call).
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "console/gx/gx_texcopy.h"
#include "console/host_services.h"
#include "console/os.h"
#include "console/os/arena.h"
#include "console/poison.h"

namespace {

constexpr uintptr_t kAlign = 32;

struct Cell {
    Cell* prev;
    Cell* next;
    uintptr_t size;  // bytes, header included
};
constexpr uintptr_t kHeader = 32;
static_assert(sizeof(Cell) <= kHeader);
constexpr uintptr_t kMinCell = kHeader + kAlign;

struct HeapDesc {
    bool inUse;
    u8* start;
    u8* end;
    Cell* free;       // address order, for coalescing
    Cell* allocated;  // unordered
};

struct Region {
    u8* start;
    u8* end;
};

std::vector<HeapDesc*> s_heaps;
std::vector<Region> s_regions;
OSHeapHandle s_currentHeap = -1;

uintptr_t RoundUp(uintptr_t v) {
    return (v + kAlign - 1) & ~(kAlign - 1);
}
uintptr_t RoundDown(uintptr_t v) {
    return v & ~(kAlign - 1);
}
uintptr_t Addr(const void* p) {
    return reinterpret_cast<uintptr_t>(p);
}
u8* Ptr(uintptr_t a) {
    return reinterpret_cast<u8*>(a);
}

HeapDesc& Heap(OSHeapHandle heap, const char* caller) {
    if (heap < 0 || static_cast<size_t>(heap) >= s_heaps.size() || !s_heaps[heap]->inUse)
        OSPanic(__FILE_NAME__, __LINE__, "%s(): invalid heap handle %d\n", caller, heap);
    return *s_heaps[heap];
}

void Unlink(Cell*& list, Cell* cell) {
    if (cell->prev != nullptr)
        cell->prev->next = cell->next;
    else
        list = cell->next;
    if (cell->next != nullptr)
        cell->next->prev = cell->prev;
}

void PushFront(Cell*& list, Cell* cell) {
    cell->prev = nullptr;
    cell->next = list;
    if (list != nullptr)
        list->prev = cell;
    list = cell;
}

// Puts a cell back on the free list in address order and merges it with
// neighbours it touches.
void InsertFree(HeapDesc& heap, Cell* cell) {
    Cell* before = nullptr;
    Cell* after = heap.free;
    while (after != nullptr && after < cell) {
        before = after;
        after = after->next;
    }
    cell->prev = before;
    cell->next = after;
    if (before != nullptr)
        before->next = cell;
    else
        heap.free = cell;
    if (after != nullptr)
        after->prev = cell;

    // A merged cell's header becomes free space.
    if (after != nullptr && Addr(cell) + cell->size == Addr(after)) {
        cell->size += after->size;
        Unlink(heap.free, after);
        PoisonMemory(after, kHeader);
    }
    if (before != nullptr && Addr(before) + before->size == Addr(cell)) {
        before->size += cell->size;
        Unlink(heap.free, cell);
        PoisonMemory(cell, kHeader);
    }
}

bool Overlaps(const u8* aStart, const u8* aEnd, const u8* bStart, const u8* bEnd) {
    return aStart < bEnd && bStart < aEnd;
}

}  // namespace

void console::OSAllocReset() {
    s_heaps.clear();
    s_regions.clear();
    s_currentHeap = -1;
}

void* OSInitAlloc(void* arenaStart, void* arenaEnd, s32 maxHeaps) {
    HostMemoryScope hostMemory;
    if (maxHeaps <= 0)
        OSPanic(__FILE_NAME__, __LINE__, "OSInitAlloc(): invalid number of heaps %d\n", maxHeaps);
    const uintptr_t table = RoundUp(Addr(arenaStart));
    const uintptr_t tableEnd = RoundUp(table + sizeof(HeapDesc) * static_cast<uintptr_t>(maxHeaps));
    if (table < Addr(arenaStart) || tableEnd > Addr(arenaEnd) ||
        !console::ArenaContains(arenaStart, arenaEnd))
        OSPanic(__FILE_NAME__, __LINE__, "OSInitAlloc(): range %p-%p too small or outside the arenas\n",
                arenaStart, arenaEnd);
    for (s32 i = 0; i < maxHeaps; ++i) {
        auto* desc = new (Ptr(table + i * sizeof(HeapDesc))) HeapDesc{};
        s_heaps.push_back(desc);
    }
    s_regions.push_back(Region{Ptr(tableEnd), static_cast<u8*>(arenaEnd)});
    return Ptr(tableEnd);
}

OSHeapHandle OSCreateHeap(void* start, void* end) {
    u8* s = Ptr(RoundUp(Addr(start)));
    u8* e = Ptr(RoundDown(Addr(end)));
    if (e < s || static_cast<uintptr_t>(e - s) < kMinCell)
        OSPanic(__FILE_NAME__, __LINE__, "OSCreateHeap(): range %p-%p too small\n", start, end);
    bool inRegion = false;
    for (const Region& region : s_regions)
        inRegion = inRegion || (s >= region.start && e <= region.end);
    if (!inRegion)
        OSPanic(__FILE_NAME__, __LINE__, "OSCreateHeap(): range %p-%p not given to OSInitAlloc\n", start,
                end);

    OSHeapHandle handle = -1;
    for (size_t i = 0; i < s_heaps.size(); ++i) {
        const HeapDesc& desc = *s_heaps[i];
        if (desc.inUse && Overlaps(s, e, desc.start, desc.end))
            OSPanic(__FILE_NAME__, __LINE__, "OSCreateHeap(): range %p-%p overlaps heap %zu\n", start, end,
                    i);
        if (!desc.inUse && handle < 0)
            handle = static_cast<OSHeapHandle>(i);
    }
    if (handle < 0)
        OSPanic(__FILE_NAME__, __LINE__, "OSCreateHeap(): no free heap descriptor\n");

    HeapDesc& heap = *s_heaps[handle];
    heap = HeapDesc{true, s, e, reinterpret_cast<Cell*>(s), nullptr};
    *heap.free = Cell{nullptr, nullptr, static_cast<uintptr_t>(e - s)};
    // Cell headers stay readable; free space and the slack after a block do not.
    PoisonMemory(s + kHeader, static_cast<size_t>(e - s) - kHeader);
    return handle;
}

OSHeapHandle OSSetCurrentHeap(OSHeapHandle heap) {
    Heap(heap, "OSSetCurrentHeap");
    const OSHeapHandle previous = s_currentHeap;
    s_currentHeap = heap;
    return previous;
}

void* OSAllocFromHeap(OSHeapHandle handle, u32 size) {
    HeapDesc& heap = Heap(handle, "OSAllocFromHeap");
    const uintptr_t need = kHeader + RoundUp(size);
    Cell* cell = heap.free;
    while (cell != nullptr && cell->size < need)
        cell = cell->next;
    if (cell == nullptr)
        return nullptr;

    if (cell->size - need >= kMinCell) {
        auto* rest = reinterpret_cast<Cell*>(Addr(cell) + need);
        UnpoisonMemory(rest, kHeader);
        *rest = Cell{cell->prev, cell->next, cell->size - need};
        if (rest->prev != nullptr)
            rest->prev->next = rest;
        else
            heap.free = rest;
        if (rest->next != nullptr)
            rest->next->prev = rest;
        cell->size = need;
    } else {
        Unlink(heap.free, cell);
    }
    PushFront(heap.allocated, cell);
    UnpoisonMemory(Ptr(Addr(cell) + kHeader), size);
    return Ptr(Addr(cell) + kHeader);
}

void OSFreeToHeap(OSHeapHandle handle, void* ptr) {
    HeapDesc& heap = Heap(handle, "OSFreeToHeap");
    Cell* cell = heap.allocated;
    while (cell != nullptr && Addr(cell) + kHeader != Addr(ptr))
        cell = cell->next;
    if (cell == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "OSFreeToHeap(): %p is not an allocated block of heap %d\n", ptr,
                handle);
    Unlink(heap.allocated, cell);
    // A copy to texture still queued on the pixel threads may write into it.
    console::gx::FinishCopiesInto(ptr, cell->size - kHeader);
    PoisonMemory(ptr, cell->size - kHeader);
    InsertFree(heap, cell);
}
