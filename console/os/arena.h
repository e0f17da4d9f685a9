// Host memory behind the two arenas, and the reset of the system heap table that
// lives in them. Internal to the console.
#pragma once

#include "console/types.h"

namespace console {

// Frees any previous arenas, then allocates MEM1 and MEM2 afresh (32-byte aligned)
// and forgets every system heap.
void ArenaReset(u32 mem1Size, u32 mem2Size);
void ArenaRelease();

// MEM1's host block starts with this much of the console's own memory, below the
// arena: physical addresses from OS_PHYSICAL_MEM1 (the hardware's buffers live there).
constexpr u32 kSystemAreaSize = 4096;
u8* ArenaSystemArea();

// The whole allocation (system area and arena) that holds a physical address:
// host memory of physical [first, first + size); empty (null host) when none does.
struct PhysicalSpan {
    u8* host = nullptr;
    u32 first = 0;
    u32 size = 0;
};
PhysicalSpan ArenaPhysicalSpan(u32 physical);

// The host memory of physical [physical, physical + bytes) when it lies inside one
// allocation (system area or arena), else null.
u8* ArenaPhysicalRange(u32 physical, u32 bytes);

// True when [start, end) lies inside one arena's host block.
bool ArenaContains(const void* start, const void* end);

// The system heaps live inside the arenas; their table is dropped with them.
void OSAllocReset();

}  // namespace console
