// Pointer-tracking lists of the debug tools: a named list of the live pointers of
// one kind (e.g. the registry's "DataEntries"), kept in the extra heap.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_debug_memory {
    const char* name;
    u32 capacity;
    u32 count;
    void** pointers;
};

// A list with room for `count` pointers; a count below 1 is fatal. Null when the
// extra heap cannot hold it.
s_debug_memory* DebugMemoryInit(s32 count, const char* name);
// A null list or pointer is fatal.
void DebugMemoryAddPtr(s_debug_memory* list, void* pointer);
void DebugMemoryRemovePtr(s_debug_memory* list, void* pointer, const char* source, s32 line);
// Reports the pointers the list still holds, then frees it.
void DebugMemoryFree(s_debug_memory* list);
