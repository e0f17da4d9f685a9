// The data registry: every loaded asset image, known by name and type, shared by
// reference count and optionally bound to a data-file id.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_heap;

constexpr s32 DEBUG_DATAFILE_COUNT = 1496;
constexpr u32 DATA_NAME_LENGTH = 16;
constexpr u32 DATA_TYPE_LENGTH = 4;
constexpr u32 DATA_HASH_SIZE = 128;

struct s_DATA_ENTRY {
    s_DATA_ENTRY* next;
    s_DATA_ENTRY* prev;
    u32 id;                       // SysId when made
    char name[DATA_NAME_LENGTH];  // NUL-padded, not terminated when full
    char type[DATA_TYPE_LENGTH];  // tag with its NUL, compared as one word
    s32 refCount;
    void* addr;    // the image, a heap block, or null
    void* record;  // the owner's object built from the image, or null
    s32 dataId;    // -1 when unbound
};

struct s_datafile {
    char name[DATA_NAME_LENGTH];
    char type[DATA_TYPE_LENGTH];
    void* addr;
};

// ELF hash over the name (at most 16 characters) and then the type (at most 4).
u32 dataHashName(const char* name, const char* type);

void DataWarmReset(u32 maxdata);
s_DATA_ENTRY* DataFindEntry(const char* name, const char* type);
void* DataFind(const char* name, const char* type);
s_DATA_ENTRY* DataLoad(const char* name, const char* type, void* data, s32 dataId);
s_DATA_ENTRY* DataAdd(const char* name, const char* type, void* data, s32 dataId);
void DataRegister(const char* name, const char* type, s32 dataId);
// A data-file id with bit 31 set is a symbol, translated first.
void* DataGetAddr(u32 id);
s_DATA_ENTRY* DataGetEntry(u32 id);
// 1 when the last reference went and the image was freed.
int DataRemove(s_DATA_ENTRY* entry);
// 1 when the next DataRemove will free the entry.
int DataRemoveCheck(const s_DATA_ENTRY* entry);
void DataFree(s_DATA_ENTRY* entry);
void DataMove(s_DATA_ENTRY* entry, void* addr);
s32 DataGetList(s_datafile* list, const char* type, s32 max);

// The asset loaders' sharing steps. First: a `name` already registered under
// `type` frees the newly read `data` (when given) and, when it has a record,
// gains a reference; the record is returned and `registered` set.
void* DataShareLoaded(const char* name, const char* type, void* data, bool* registered);
// Then: registers a parsed record, a heap block that the entry owns from then on
// (the last release frees it). Null, with the block freed, when there is no room.
s_DATA_ENTRY* DataLoadRecord(const char* name, const char* type, void* record);
s_heap* DataGetHeap();
