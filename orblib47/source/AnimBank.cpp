#include <cstring>

#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

s_stdrec* HAnimRecords = nullptr;
s_stdrec* HChannelRecords = nullptr;
const s8* HAnimBoneMaskTable = nullptr;
s32 HAnimFastForward = 0;

namespace {

constexpr const char* kType = "VHA";
constexpr u32 kSpoolPriority = 3401;
constexpr u32 kLoadSpooled = 0x1;

// Nothing feeds the spool queue, so the task has nothing to service.
void SpoolUpdateThread(s_thread*, void*) {}

s_stdrec* CreatePool(u32 count, u32 size, const char* comment) {
    s_stdrec* pool = RecordCreate(count, size);
    if (pool != nullptr)
        HeapAddrAddComment(pool, comment);
    return pool;
}

}  // namespace

void* WadLoadHAnim(s_wad_header* header, void* payload) {
    return HAnimLoad(header->name, payload, header->size, header->flags);
}

void WadFreeHAnim(void* data) {
    HAnimFree(static_cast<s_hanim_header*>(data));
}

s32 HAnimWarmReset(u32 maxAnims, u32 maxChannels) {
    HAnimRecords = CreatePool(maxAnims, sizeof(s_hanim), "HAnimWarmReset:HAnimRecords");
    HChannelRecords = CreatePool(maxChannels, sizeof(s_hchannel), "HAnimWarmReset:HChannelRecords");
    HAnimFastForward = 0;
    HAnimBoneMaskTable = nullptr;
    HAnimFillQuatTable();
    ThreadInsertPriorityDebug("HAnimSpoolUpdateThread", nullptr, nullptr, SpoolUpdateThread, nullptr,
                              kSpoolPriority);
    return HAnimRecords != nullptr && HChannelRecords != nullptr;
}

s_hanim_header* HAnimLoad(const char* name, void* data, u32 size, u32 flags) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<s_hanim_header*>(shared);
    if (data == nullptr)
        return nullptr;
    s_hanim_header* bank =
        name != nullptr ? HAnimParseChunk(name, static_cast<u8*>(data), size, (flags & kLoadSpooled) != 0)
                        : nullptr;
    if (bank == nullptr) {
        HeapMallocFree(data);
        return nullptr;
    }
    // The keys are read in place: the chunk stays with the entry.
    s_DATA_ENTRY* entry = DataLoad(name, kType, data, -1);
    if (entry == nullptr) {
        HeapMallocFree(bank);
        HeapMallocFree(data);
        return nullptr;
    }
    entry->record = bank;
    bank->dataEntry = entry;
    return bank;
}

void HAnimFree(s_hanim_header* hanim) {
    if (hanim == nullptr)
        return;
    if (DataRemoveCheck(hanim->dataEntry) && hanim->aramHandle != nullptr) {
        FreeHandle(hanim->aramHandle);
        hanim->aramHandle = nullptr;
    }
    if (DataRemove(hanim->dataEntry))
        HeapMallocFree(hanim);
}

s_hanim_header* HAnimResolveId(u32 id, u32* index) {
    if ((id & 0x80000000u) != 0 && SymbolTransLookup(id & 0x7FFFFFFFu, &id) != RET_NO_ERROR)
        return nullptr;
    s_DATA_ENTRY* entry = DataGetEntry(id >> 16);
    if (entry == nullptr || entry->record == nullptr ||
        std::strncmp(entry->type, kType, DATA_TYPE_LENGTH) != 0)
        return nullptr;
    *index = id & 0xFFFFu;
    return static_cast<s_hanim_header*>(entry->record);
}

bool HAnimDataLoaded(const s_hanim_data* data) {
    return data != nullptr && data->channels != nullptr && data->bLoadInProgress == 0;
}
