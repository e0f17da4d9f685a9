// Record pools and intrusive priority lists. A pool is one heap block: a header
// that doubles as a list head, the free-record stack, the records' in-use flags and
// the records themselves.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The node prefix of every listed record (tasks, archives, registry entries...).
struct s_linked_list {
    s_linked_list* next;
    s_linked_list* prev;
    u32 priority;  // larger first in priority lists
};

struct s_stdrec : s_linked_list {
    u32 count;       // free records on the stack
    u32 capacity;    // records in the pool
    u32 recordSize;  // bytes per record
    u8* recordBase;  // record i lives at recordBase + i * recordSize
    u8* inUse;       // one flag per record: handed out and not yet freed
    void** records;  // the free stack: entries 0 .. count-1 are free
};

// Bytes of a pool of `count` records of `size` bytes laid out by RecordInit; false
// when that does not fit in 32 bits.
bool RecordPoolBytes(u32 count, u32 size, u32* bytes);

// A pool of (count rounded up to 4) records of `size` bytes from the heap; null when
// the heap cannot supply it or the size overflows.
s_stdrec* RecordCreate(u32 count, u32 size);
// Lays out a pool of exactly `count` records in memory the caller provides
// (RecordPoolBytes(count, size) bytes, 16-byte aligned).
s_stdrec* RecordInit(void* memory, u32 count, u32 size);
void* RecordAlloc(s_stdrec* pool);
// Returning a record that is not out of this pool is a fatal assertion.
void RecordFree(s_stdrec* pool, void* record);

void RecordAppendList(s_linked_list* list, s_linked_list* node);
void RecordInsertList(s_linked_list* list, s_linked_list* node);
void RecordRemoveList(s_linked_list* node);
s_linked_list* RecordInsertPriorityList(s_linked_list* list, s_linked_list* node);

s32 DefaultCompare(u32 a, u32 b);
using RecordCompareFunc = s32 (*)(u32 a, u32 b);
extern RecordCompareFunc RecordPriorityCompare;
