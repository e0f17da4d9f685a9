// Pointer-tracking lists of the debug tools: a named list of the live pointers of
// one kind (e.g. the registry's "DataEntries"), kept in the extra heap when there
// is one. A slot remembers the pointer it last held and where that was removed,
// so that a second removal names the first.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 DEBUG_MEMORY_FILE_SIZE = 128;
constexpr u32 DEBUG_MEMORY_NAME_SIZE = 32;

struct s_debug_memory {
    s32 maxNumPtr;
    s32 currentNumPtr;
    void** pointer;                            // 0: a free slot
    void** lastPointer;                        // what the slot held before its last removal, 0 none
    char (*fileName)[DEBUG_MEMORY_FILE_SIZE];  // source of the last removal
    u32* lineNum;
    char memName[DEBUG_MEMORY_NAME_SIZE];  // empty when none was given
};

// A list with room for `numPtr` pointers; a count below 1 is fatal. Null when the
// heap cannot hold it.
s_debug_memory* DebugMemoryInit(s32 numPtr, const char* name);
// Reports the pointers the list still holds, then frees it. A null list is fatal.
void DebugMemoryFree(s_debug_memory* mem);
// 1 when added, 0 when every slot holds a live pointer. A null list or pointer and
// a pointer already in the list are fatal.
s32 DebugMemoryAddPtr(s_debug_memory* mem, void* ptr);
// The number of slots that held `ptr` (0 for a pointer never added); removing a
// pointer a second time is fatal.
s32 DebugMemoryRemovePtr(s_debug_memory* mem, void* ptr, const char* file, s32 line);
