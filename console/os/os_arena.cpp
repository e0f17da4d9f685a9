// MEM1 and MEM2: one host allocation each; lo and hi move as the program takes
// memory from either end.
#include <cstdint>
#include <new>

#include "console/os.h"
#include "console/os/arena.h"

namespace {

constexpr u32 kArenaAlign = 32;

struct Arena {
    u8* block = nullptr;  // the host allocation
    u32 size = 0;
    void* lo = nullptr;
    void* hi = nullptr;
};

Arena s_arenas[2];

void AllocateArena(Arena& arena, u32 size) {
    const u32 rounded = (size + kArenaAlign - 1) & ~(kArenaAlign - 1);
    if (rounded < size)
        OSPanic(__FILE_NAME__, __LINE__, "arena size %u too large\n", size);
    arena.block = static_cast<u8*>(::operator new (rounded, std::align_val_t{kArenaAlign}));
    arena.size = rounded;
    arena.lo = arena.block;
    arena.hi = arena.block + rounded;
}

void FreeArena(Arena& arena) {
    if (arena.block != nullptr)
        ::operator delete (arena.block, std::align_val_t{kArenaAlign});
    arena = Arena{};
}

}  // namespace

namespace console {

void ArenaReset(u32 mem1Size, u32 mem2Size) {
    ArenaRelease();
    AllocateArena(s_arenas[0], mem1Size);
    AllocateArena(s_arenas[1], mem2Size);
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

}  // namespace console

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
