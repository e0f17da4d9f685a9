#include "orblib47/source/DebugMemory.h"

#include <cstdio>
#include <initializer_list>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

namespace {

// From the extra heap when there is one, so that tracking leaves the main heap's
// picture alone.
void* Calloc(u32 count, u32 size) {
    if (ExtraHeap.size != 0)
        return HeapCallocFromExtraHeap(count, size);
    return HeapCalloc(count, size, __FILE_NAME__, __LINE__);
}

void FreeArrays(s_debug_memory* mem) {
    for (void* block : {static_cast<void*>(mem->pointer), static_cast<void*>(mem->lastPointer),
                        static_cast<void*>(mem->fileName), static_cast<void*>(mem->lineNum)}) {
        if (block != nullptr)
            HeapMallocFree(block);
    }
    HeapMallocFree(mem);
}

// The first slot that is free and has no history; else the first free slot,
// whose history is given up. -1 when every slot is live.
s32 FreeSlot(s_debug_memory* mem) {
    s32 forgotten = -1;
    for (s32 i = 0; i < mem->maxNumPtr; ++i) {
        if (mem->pointer[i] != nullptr)
            continue;
        if (mem->lastPointer[i] == nullptr)
            return i;
        if (forgotten < 0)
            forgotten = i;
    }
    if (forgotten >= 0)
        mem->lastPointer[forgotten] = nullptr;
    return forgotten;
}

}  // namespace

s_debug_memory* DebugMemoryInit(s32 numPtr, const char* name) {
    ORB_ASSERT((numPtr > 0), "DebugMemoryInit: Invalid number of pointers\n");
    auto* mem = static_cast<s_debug_memory*>(Calloc(1, sizeof(s_debug_memory)));
    if (mem == nullptr)
        return nullptr;
    const u32 count = u32(numPtr);
    mem->maxNumPtr = numPtr;
    mem->pointer = static_cast<void**>(Calloc(count, sizeof(void*)));
    mem->lastPointer = static_cast<void**>(Calloc(count, sizeof(void*)));
    mem->fileName = static_cast<char(*)[DEBUG_MEMORY_FILE_SIZE]>(Calloc(count, DEBUG_MEMORY_FILE_SIZE));
    mem->lineNum = static_cast<u32*>(Calloc(count, sizeof(u32)));
    if (mem->pointer == nullptr || mem->lastPointer == nullptr || mem->fileName == nullptr ||
        mem->lineNum == nullptr) {
        FreeArrays(mem);
        return nullptr;
    }
    if (name != nullptr) {
        std::snprintf(mem->memName, sizeof(mem->memName), "%s", name);
        HeapAddrAddComment(mem, name);
    }
    return mem;
}

void DebugMemoryFree(s_debug_memory* mem) {
    ORB_ASSERT(mem, "DebugMemoryFree: NULL mem pointer\n");
    if (mem->currentNumPtr != 0) {
        DEBUG_PRINT("Freeing DEBUG_MEMORY but there's still %d pointers in it\n", mem->currentNumPtr);
        if (mem->memName[0] != '\0')
            DEBUG_PRINT("DEBUG_MEMORY was %s\n", mem->memName);
    }
    FreeArrays(mem);
}

s32 DebugMemoryAddPtr(s_debug_memory* mem, void* ptr) {
    ORB_ASSERT(mem, "DebugMemoryAddPtr: NULL mem pointer\n");
    ORB_ASSERT(ptr, "DebugMemoryAddPtr: NULL pointer\n");
    for (s32 i = 0; i < mem->maxNumPtr; ++i)
        ORB_ASSERT((ptr != mem->pointer[i]), "DebugMemoryAddPtr: ptr has already been added\n");
    const s32 slot = FreeSlot(mem);
    if (slot < 0) {
        DEBUG_PRINT("DEBUG_MEMORY list FULL!\n");
        return 0;
    }
    mem->pointer[slot] = ptr;
    ++mem->currentNumPtr;
    return 1;
}

s32 DebugMemoryRemovePtr(s_debug_memory* mem, void* ptr, const char* file, s32 line) {
    ORB_ASSERT(mem, "DebugMemoryRemovePtr: NULL mem pointer\n");
    ORB_ASSERT(ptr, "DebugMemoryRemovePtr: NULL pointer\n");
    s32 removed = 0;
    for (s32 i = 0; i < mem->maxNumPtr; ++i) {
        if (mem->pointer[i] != ptr)
            continue;
        mem->lastPointer[i] = ptr;
        std::snprintf(mem->fileName[i], DEBUG_MEMORY_FILE_SIZE, "%s", file != nullptr ? file : "");
        mem->lineNum[i] = u32(line);
        mem->pointer[i] = nullptr;
        --mem->currentNumPtr;
        ++removed;
    }
    if (removed != 0)
        return removed;
    for (s32 i = 0; i < mem->maxNumPtr; ++i) {
        if (mem->lastPointer[i] != ptr)
            continue;
        DEBUG_PRINT("DebugMemoryRemovePtr: Removed a pointer more than once! Previously freed by %s - %d\n",
                    mem->fileName[i], s32(mem->lineNum[i]));
        DebugAssertFail("(retVal == 1)", __FILE_NAME__, __LINE__,
                        "DebugMemoryRemovePtr: Removed a pointer more than once\n");
    }
    return 0;
}
