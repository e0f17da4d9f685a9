#include "orblib47/source/Record.h"

#include <cstdint>
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

RecordCompareFunc RecordPriorityCompare = DefaultCompare;

namespace {

constexpr u64 kRecordAlign = 16;

u64 AlignUp(u64 value, u64 align) {
    return (value + align - 1) & ~(align - 1);
}

// Offset of the first record from the start of the pool block.
u64 RecordAreaOffset(u64 count) {
    return AlignUp(sizeof(s_stdrec) + count * sizeof(void*) + count, kRecordAlign);
}

u32 RecordIndex(const s_stdrec* pool, const void* record) {
    auto offset =
        reinterpret_cast<std::uintptr_t>(record) - reinterpret_cast<std::uintptr_t>(pool->recordBase);
    if (reinterpret_cast<const u8*>(record) < pool->recordBase || pool->recordSize == 0 ||
        offset % pool->recordSize != 0 || offset / pool->recordSize >= pool->capacity) {
        return pool->capacity;
    }
    return u32(offset / pool->recordSize);
}

s_linked_list* RecordFindPriority(s_linked_list* list, u32 priority) {
    if (list == nullptr)
        return nullptr;
    s32 order = RecordPriorityCompare(list->priority, priority);
    if (order == 0)
        return list;
    if (order > 0) {
        s_linked_list* node = list;
        while (node->next != nullptr && RecordPriorityCompare(node->next->priority, priority) > 0) {
            node = node->next;
        }
        return node;
    }
    for (s_linked_list* node = list->prev; node != nullptr; node = node->prev) {
        if (RecordPriorityCompare(node->priority, priority) > 0)
            return node;
    }
    return nullptr;
}

}  // namespace

bool RecordPoolBytes(u32 count, u32 size, u32* bytes) {
    u64 total = RecordAreaOffset(count) + u64(count) * u64(size);
    if (total > UINT32_MAX)
        return false;
    *bytes = u32(total);
    return true;
}

s_stdrec* RecordCreate(u32 count, u32 size) {
    u32 rounded = u32((u64(count) + 3) & ~u64(3));
    u32 bytes = 0;
    if (u64(count) + 3 > UINT32_MAX || !RecordPoolBytes(rounded, size, &bytes))
        return nullptr;
    void* block = HeapMalloc(bytes, __FILE_NAME__, __LINE__);
    if (block == nullptr)
        return nullptr;
    return RecordInit(block, rounded, size);
}

s_stdrec* RecordInit(void* memory, u32 count, u32 size) {
    auto* pool = static_cast<s_stdrec*>(memory);
    u8* bytes = static_cast<u8*>(memory);
    pool->next = nullptr;
    pool->prev = nullptr;
    pool->priority = 65535;
    pool->count = count;
    pool->capacity = count;
    pool->recordSize = size;
    pool->records = reinterpret_cast<void**>(bytes + sizeof(s_stdrec));
    pool->inUse = bytes + sizeof(s_stdrec) + u64(count) * sizeof(void*);
    pool->recordBase = bytes + RecordAreaOffset(count);
    std::memset(pool->inUse, 0, count);
    for (u32 i = 0; i < count; ++i)
        pool->records[i] = pool->recordBase + u64(i) * size;
    return pool;
}

void* RecordAlloc(s_stdrec* pool) {
    if (pool->count == 0)
        return nullptr;
    void* record = pool->records[--pool->count];
    pool->inUse[RecordIndex(pool, record)] = 1;
    return record;
}

void RecordFree(s_stdrec* pool, void* record) {
    u32 index = pool != nullptr ? RecordIndex(pool, record) : 0;
    ORB_ASSERT(pool != nullptr && index < pool->capacity && pool->inUse[index],
               "RecordFree: record %p is not in use in pool %p\n", record, static_cast<void*>(pool));
    pool->inUse[index] = 0;
    pool->records[pool->count++] = record;
}

void RecordAppendList(s_linked_list* list, s_linked_list* node) {
    s_linked_list* last = list;
    while (last->next != nullptr)
        last = last->next;
    last->next = node;
    node->prev = last;
    node->next = nullptr;
}

void RecordInsertList(s_linked_list* list, s_linked_list* node) {
    s_linked_list* successor = list->next;
    node->next = successor;
    list->next = node;
    node->prev = list;
    if (successor != nullptr)
        successor->prev = node;
}

void RecordRemoveList(s_linked_list* node) {
    if (node->prev != nullptr)
        node->prev->next = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
}

s_linked_list* RecordInsertPriorityList(s_linked_list* list, s_linked_list* node) {
    s_linked_list* place = RecordFindPriority(list, node->priority);
    if (place != nullptr) {
        RecordInsertList(place, node);
        return list;
    }
    node->prev = nullptr;
    node->next = list;
    if (list != nullptr)
        list->prev = node;
    return node;
}

s32 DefaultCompare(u32 a, u32 b) {
    if (a > b)
        return 1;
    if (a < b)
        return -1;
    return 0;
}
