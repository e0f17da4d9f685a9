#include "orblib47/source/DebugMemory.h"

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

s_debug_memory* DebugMemoryInit(s32 count, const char* name) {
    ORB_ASSERT(count >= 1, "DebugMemoryInit: Invalid number of pointers\n");
    auto* list = static_cast<s_debug_memory*>(
        HeapMallocFromExtraHeap(sizeof(s_debug_memory), __FILE_NAME__, __LINE__));
    if (list == nullptr)
        return nullptr;
    list->pointers = static_cast<void**>(HeapCallocFromExtraHeap(u32(count), sizeof(void*)));
    if (list->pointers == nullptr) {
        HeapMallocFree(list);
        return nullptr;
    }
    list->name = name;
    list->capacity = u32(count);
    list->count = 0;
    return list;
}

void DebugMemoryAddPtr(s_debug_memory* list, void* pointer) {
    ORB_ASSERT(list != nullptr && pointer != nullptr, "DebugMemoryAddPtr: Null list or pointer\n");
    if (list->count == list->capacity) {
        DEBUG_PRINT("DebugMemoryAddPtr: %s is full\n", list->name);
        return;
    }
    list->pointers[list->count++] = pointer;
}

void DebugMemoryRemovePtr(s_debug_memory* list, void* pointer, const char* source, s32 line) {
    if (list == nullptr)
        return;
    for (u32 i = 0; i < list->count; ++i) {
        if (list->pointers[i] == pointer) {
            list->pointers[i] = list->pointers[--list->count];
            return;
        }
    }
    DEBUG_PRINT("DebugMemoryRemovePtr: %p is not in %s (%s, %d)\n", pointer, list->name, source, line);
}

void DebugMemoryFree(s_debug_memory* list) {
    if (list->count != 0)
        DEBUG_PRINT("DebugMemoryFree: %s still holds %u pointers\n", list->name, list->count);
    HeapMallocFree(list->pointers);
    HeapMallocFree(list);
}
