// Host memory behind the two arenas, and the reset of the system heap table that
// lives in them. Internal to the console.
#pragma once

#include "console/types.h"

namespace console {

// Frees any previous arenas, then allocates MEM1 and MEM2 afresh (32-byte aligned)
// and forgets every system heap.
void ArenaReset(u32 mem1Size, u32 mem2Size);
void ArenaRelease();

// True when [start, end) lies inside one arena's host block.
bool ArenaContains(const void* start, const void* end);

// The system heaps live inside the arenas; their table is dropped with them.
void OSAllocReset();

}  // namespace console
