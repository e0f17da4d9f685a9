// MEM1 and MEM2: one host allocation each; lo and hi move as the program takes
// memory from either end. MEM1's allocation starts with the system area, below the
// arena, as the console's own data lies below its arena. Physical addresses count
// from the start of each allocation.
#include <cstdint>
#include <cstring>
#include <new>

#include "console/os.h"
#include "console/os/arena.h"

namespace {

constexpr u32 kArenaAlign = 32;

struct Arena {
    u8* host = nullptr;   // the host allocation: the system area (MEM1 only), then the arena
    u8* block = nullptr;  // the arena
    u32 size = 0;
    u32 hostSize = 0;
    u32 physical = 0;  // physical address of host[0]
    void* lo = nullptr;
    void* hi = nullptr;
};

Arena s_arenas[2];

void AllocateArena(Arena& arena, u32 size, u32 systemSize, u32 physical) {
    const u32 rounded = (size + kArenaAlign - 1) & ~(kArenaAlign - 1);
    if (rounded < size || rounded > OS_PHYSICAL_MEM2 - systemSize)
        OSPanic(__FILE_NAME__, __LINE__, "arena size %u too large\n", size);
    arena.hostSize = systemSize + rounded;
    arena.host = static_cast<u8*>(::operator new (arena.hostSize, std::align_val_t{kArenaAlign}));
    std::memset(arena.host, 0, systemSize);
    arena.block = arena.host + systemSize;
    arena.size = rounded;
    arena.physical = physical;
    arena.lo = arena.block;
    arena.hi = arena.block + rounded;
}

void FreeArena(Arena& arena) {
    if (arena.host != nullptr)
        ::operator delete (arena.host, std::align_val_t{kArenaAlign});
    arena = Arena{};
}

}  // namespace

namespace console {

void ArenaReset(u32 mem1Size, u32 mem2Size) {
    ArenaRelease();
    AllocateArena(s_arenas[0], mem1Size, kSystemAreaSize, OS_PHYSICAL_MEM1);
    AllocateArena(s_arenas[1], mem2Size, 0, OS_PHYSICAL_MEM2);
}

void ArenaRelease() {
    OSAllocReset();
    for (Arena& arena : s_arenas)
        FreeArena(arena);
}

bool ArenaContains(const void* start, const void* end) {
    const auto s = reinterpret_cast<uintptr_t>(start);
    const auto e = reinterpret_cast<uintptr_t>(end);
    for (const Arena& arena : s_arenas) {
        const auto lo = reinterpret_cast<uintptr_t>(arena.block);
        if (arena.block != nullptr && s >= lo && s <= e && e <= lo + arena.size)
            return true;
    }
    return false;
}

u8* ArenaSystemArea() {
    return s_arenas[0].host;
}

PhysicalSpan ArenaPhysicalSpan(u32 physical) {
    for (const Arena& arena : s_arenas) {
        if (arena.host != nullptr && physical >= arena.physical && physical - arena.physical < arena.hostSize)
            return {arena.host, arena.physical, arena.hostSize};
    }
    return {};
}

u8* ArenaPhysicalRange(u32 physical, u32 bytes) {
    const PhysicalSpan span = ArenaPhysicalSpan(physical);
    const u32 offset = physical - span.first;
    if (span.host == nullptr || bytes > span.size - offset)
        return nullptr;
    return span.host + offset;
}

}  // namespace console

u32 OSCachedToPhysical(const void* address) {
    const auto p = reinterpret_cast<uintptr_t>(address);
    for (const Arena& arena : s_arenas) {
        const auto host = reinterpret_cast<uintptr_t>(arena.host);
        if (arena.host != nullptr && p >= host && p - host < arena.hostSize)
            return arena.physical + u32(p - host);
    }
    return 0;
}

void* OSPhysicalToCached(u32 address) {
    return console::ArenaPhysicalRange(address, 1);
}

void* OSGetMEM1ArenaLo() {
    return s_arenas[0].lo;
}
void* OSGetMEM1ArenaHi() {
    return s_arenas[0].hi;
}
void OSSetMEM1ArenaLo(void* addr) {
    s_arenas[0].lo = addr;
}
void OSSetMEM1ArenaHi(void* addr) {
    s_arenas[0].hi = addr;
}
void* OSGetMEM2ArenaLo() {
    return s_arenas[1].lo;
}
void* OSGetMEM2ArenaHi() {
    return s_arenas[1].hi;
}
void OSSetMEM2ArenaLo(void* addr) {
    s_arenas[1].lo = addr;
}
void OSSetMEM2ArenaHi(void* addr) {
    s_arenas[1].hi = addr;
}
