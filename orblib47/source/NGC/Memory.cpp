#include "orblib47/source/NGC/Memory.h"

#include <cstdint>

#include "console/os.h"
#include "orblib47/source/Debug.h"

namespace {

constexpr u32 kArenaReserve = 64;       // arena bytes not counted in the heap size
constexpr u32 kPlatformReserve = 1024;  // left in the system heap for the platform
constexpr std::uintptr_t kSystemHeapAlign = 32;

struct Arena {
    void* (*getLo)();
    void* (*getHi)();
    void (*setLo)(void*);
};

const Arena kArenas[2] = {
    {OSGetMEM1ArenaLo, OSGetMEM1ArenaHi, OSSetMEM1ArenaLo},
    {OSGetMEM2ArenaLo, OSGetMEM2ArenaHi, OSSetMEM2ArenaLo},
};

u8* MemoryPointer[2];
u32 HeapSize[2];
OSHeapHandle NGCHeap[2];

void TakeArena(int i) {
    const Arena& arena = kArenas[i];
    auto lo = reinterpret_cast<std::uintptr_t>(arena.getLo());
    auto hi = reinterpret_cast<std::uintptr_t>(arena.getHi());
    // Too small an arena would make the sizes below wrap.
    if (hi < lo || hi - lo < kArenaReserve + kPlatformReserve || hi - lo > UINT32_MAX) {
        DEBUG_ERROR("Unable to allocate Memory!\n");
    }
    HeapSize[i] = u32(hi - lo) - kArenaReserve;

    auto heapLo = reinterpret_cast<std::uintptr_t>(OSInitAlloc(arena.getLo(), arena.getHi(), 1));
    arena.setLo(reinterpret_cast<void*>(heapLo));
    std::uintptr_t start = (heapLo + kSystemHeapAlign - 1) & ~(kSystemHeapAlign - 1);
    std::uintptr_t end = hi & ~(kSystemHeapAlign - 1);
    NGCHeap[i] = OSCreateHeap(reinterpret_cast<void*>(start), reinterpret_cast<void*>(end));
    OSSetCurrentHeap(NGCHeap[i]);
    arena.setLo(reinterpret_cast<void*>(hi));

    MemoryPointer[i] = static_cast<u8*>(OSAllocFromHeap(NGCHeap[i], HeapSize[i] - kPlatformReserve));
    if (MemoryPointer[i] == nullptr)
        DEBUG_ERROR("Unable to allocate Memory!\n");
    DEBUG_PROGRESS("MEM%d RAM Size: %d bytes\n", i, s32(HeapSize[i]));
}

// The block is HeapSize less what stays with the platform; the heaps are built
// from this, so they never reach into the platform's part. No block, no size.
u32 BlockSize(int i) {
    return MemoryPointer[i] != nullptr ? HeapSize[i] - kPlatformReserve : 0;
}

}  // namespace

void MemoryColdReset() {
    TakeArena(0);
    TakeArena(1);
    OSSetCurrentHeap(NGCHeap[0]);
}

void MemoryExit() {
    for (int i = 0; i < 2; ++i) {
        if (MemoryPointer[i] == nullptr)
            continue;
        OSSetCurrentHeap(NGCHeap[i]);
        OSFreeToHeap(NGCHeap[i], MemoryPointer[i]);
        MemoryPointer[i] = nullptr;
    }
}

u8* MemoryGetBase() {
    return MemoryPointer[0];
}
u32 MemoryGetSize() {
    return BlockSize(0);
}
u8* MemoryGetDebugBase() {
    return MemoryPointer[1];
}
u32 MemoryGetDebugSize() {
    return BlockSize(1);
}
