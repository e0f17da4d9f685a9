#include "orblib47/source/Data.h"

#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugMemory.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/Name.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SymbolTrans.h"

namespace {

s_DATA_ENTRY* DataTable[DATA_HASH_SIZE];
s_DATA_ENTRY* DataFiles[DEBUG_DATAFILE_COUNT];
s_stdrec* DataEntryRecords;
s_debug_memory* DataEntries;
// PassCount at the last retrace wait of DataRemove: one wait per frame at most.
u32 DataWaitPass;

// A name and a type padded as the entries store them.
struct PaddedKey {
    char name[DATA_NAME_LENGTH];
    char type[DATA_TYPE_LENGTH];

    PaddedKey(const char* n, const char* t) {
        NamePad(name, n, DATA_NAME_LENGTH);
        NamePad(type, t, DATA_TYPE_LENGTH);
    }
    u32 Bucket() const { return dataHashName(name, type) & (DATA_HASH_SIZE - 1); }
};

u32 TypeWord(const char* type) {
    u32 word;
    std::memcpy(&word, type, sizeof(word));
    return word;
}

bool ValidDataId(s32 dataId) {
    return dataId >= 0 && dataId < DEBUG_DATAFILE_COUNT;
}

void Unbind(s_DATA_ENTRY* entry) {
    if (ValidDataId(entry->dataId) && DataFiles[entry->dataId] == entry)
        DataFiles[entry->dataId] = nullptr;
    entry->dataId = -1;
}

// Binds `dataId` to `entry`. The entry replaced in the slot loses its id, and the
// entry's own previous slot is cleared, so no slot points at a freed entry.
void Bind(s_DATA_ENTRY* entry, s32 dataId) {
    Unbind(entry);
    if (DataFiles[dataId] != nullptr)
        DataFiles[dataId]->dataId = -1;
    DataFiles[dataId] = entry;
    entry->dataId = dataId;
}

s_DATA_ENTRY* FindPadded(const PaddedKey& key) {
    u32 type = TypeWord(key.type);
    for (s_DATA_ENTRY* entry = DataTable[key.Bucket()]; entry != nullptr; entry = entry->next) {
        if (TypeWord(entry->type) == type && std::memcmp(entry->name, key.name, DATA_NAME_LENGTH) == 0)
            return entry;
    }
    return nullptr;
}

}  // namespace

u32 dataHashName(const char* name, const char* type) {
    return NameHashAdd(NameHashAdd(0, name, DATA_NAME_LENGTH), type, DATA_TYPE_LENGTH);
}

void DataWarmReset(u32 maxdata) {
    std::memset(DataTable, 0, sizeof(DataTable));
    std::memset(DataFiles, 0, sizeof(DataFiles));
    DataWaitPass = PassCount - 1;
    DataEntryRecords = RecordCreate(maxdata, sizeof(s_DATA_ENTRY));
    if (DataEntryRecords != nullptr)
        HeapAddrAddComment(DataEntryRecords, "DataWarmReset:DataEntryRecords");
    DataEntries = DebugMemoryInit(s32(maxdata), "DataEntries");
}

s_DATA_ENTRY* DataFindEntry(const char* name, const char* type) {
    if (name == nullptr || type == nullptr)
        return nullptr;
    return FindPadded(PaddedKey(name, type));
}

void* DataFind(const char* name, const char* type) {
    s_DATA_ENTRY* entry = DataFindEntry(name, type);
    return entry != nullptr ? entry->addr : nullptr;
}

s_DATA_ENTRY* DataLoad(const char* name, const char* type, void* data, s32 dataId) {
    s_DATA_ENTRY* entry = DataFindEntry(name, type);
    if (entry != nullptr) {
        entry->refCount++;
        return entry;
    }
    if (data == nullptr)
        return nullptr;
    return DataAdd(name, type, data, dataId);
}

void* DataShareLoaded(const char* name, const char* type, void* data, bool* registered) {
    s_DATA_ENTRY* entry = name != nullptr ? DataFindEntry(name, type) : nullptr;
    *registered = entry != nullptr;
    if (entry == nullptr)
        return nullptr;
    if (data != nullptr)
        HeapMallocFree(data);
    if (entry->record != nullptr)
        entry->refCount++;
    return entry->record;
}

s_DATA_ENTRY* DataLoadRecord(const char* name, const char* type, void* record) {
    s_DATA_ENTRY* entry = DataLoad(name, type, record, -1);
    if (entry == nullptr) {
        HeapMallocFree(record);
        return nullptr;
    }
    entry->record = record;
    return entry;
}

s_DATA_ENTRY* DataAdd(const char* name, const char* type, void* data, s32 dataId) {
    if (name == nullptr || type == nullptr)
        return nullptr;
    auto* entry =
        DataEntryRecords != nullptr ? static_cast<s_DATA_ENTRY*>(RecordAlloc(DataEntryRecords)) : nullptr;
    if (entry == nullptr) {
        DEBUG_PRINT("DATA: Out of data records!\n");
        return nullptr;
    }
    PaddedKey key(name, type);
    std::memset(entry, 0, sizeof(*entry));
    std::memcpy(entry->name, key.name, DATA_NAME_LENGTH);
    std::memcpy(entry->type, key.type, DATA_TYPE_LENGTH);
    entry->id = SysId;
    entry->refCount = 1;
    entry->addr = data;
    entry->dataId = -1;
    if (dataId != -1) {
        if (ValidDataId(dataId))
            Bind(entry, dataId);
        else
            DEBUG_PRINT("DataAdd: Invalid id (%d)\n", dataId);
    }
    s_DATA_ENTRY*& bucket = DataTable[key.Bucket()];
    entry->next = bucket;
    if (bucket != nullptr)
        bucket->prev = entry;
    bucket = entry;
    DebugMemoryAddPtr(DataEntries, entry);
    return entry;
}

void DataRegister(const char* name, const char* type, s32 dataId) {
    if (!ValidDataId(dataId)) {
        DEBUG_PRINT("DataRegister: Invalid id (%d)\n", dataId);
        return;
    }
    s_DATA_ENTRY* entry = DataFindEntry(name, type);
    if (entry != nullptr)
        Bind(entry, dataId);
}

s_DATA_ENTRY* DataGetEntry(u32 id) {
    u32 newId = id;
    if ((id & 0x80000000u) != 0 && SymbolTransLookup(id & 0x7FFFFFFFu, &newId) != RET_NO_ERROR)
        return nullptr;
    if (newId >= u32(DEBUG_DATAFILE_COUNT)) {
        DebugAssertWarn("newId < DEBUG_DATAFILE_COUNT", __FILE_NAME__, __LINE__, "id out of range\n");
        return nullptr;
    }
    return DataFiles[newId];
}

void* DataGetAddr(u32 id) {
    s_DATA_ENTRY* entry = DataGetEntry(id);
    return entry != nullptr ? entry->addr : nullptr;
}

int DataRemove(s_DATA_ENTRY* entry) {
    if (entry == nullptr)
        return 0;
    if (--entry->refCount > 0)
        return 0;
    // The graphics processor may still read the image drawn this frame. Waiting for
    // it takes no retrace, so whether a release frees the data never moves the clock.
    if (PassCount != DataWaitPass) {
        DrawFinish();
        DataWaitPass = PassCount;
    }
    Unbind(entry);
    if (entry->addr != nullptr)
        HeapMallocFree(entry->addr);
    if (entry->prev != nullptr)
        entry->prev->next = entry->next;
    else
        DataTable[dataHashName(entry->name, entry->type) & (DATA_HASH_SIZE - 1)] = entry->next;
    if (entry->next != nullptr)
        entry->next->prev = entry->prev;
    DebugMemoryRemovePtr(DataEntries, entry, __FILE_NAME__, __LINE__);
    RecordFree(DataEntryRecords, entry);
    return 1;
}

int DataRemoveCheck(const s_DATA_ENTRY* entry) {
    return entry != nullptr && entry->refCount <= 1 ? 1 : 0;
}

void DataFree(s_DATA_ENTRY* entry) {
    DrawWait();
    if (entry != nullptr && entry->addr != nullptr) {
        HeapMallocFree(entry->addr);
        entry->addr = nullptr;
    }
}

void DataMove(s_DATA_ENTRY* entry, void* addr) {
    entry->addr = addr;
}

s32 DataGetList(s_datafile* list, const char* type, s32 max) {
    char padded[DATA_TYPE_LENGTH];
    NamePad(padded, type, DATA_TYPE_LENGTH);
    u32 word = TypeWord(padded);
    s32 count = 0;
    for (u32 bucket = 0; bucket < DATA_HASH_SIZE; ++bucket) {
        for (s_DATA_ENTRY* entry = DataTable[bucket]; entry != nullptr && count < max; entry = entry->next) {
            if (TypeWord(entry->type) != word)
                continue;
            s_datafile& file = list[count++];
            std::memcpy(file.name, entry->name, DATA_NAME_LENGTH);
            std::memcpy(file.type, entry->type, DATA_TYPE_LENGTH);
            file.addr = entry->addr != nullptr ? entry->addr : entry->record;
        }
    }
    return count;
}

s_heap* DataGetHeap() {
    return &MainHeap;
}
