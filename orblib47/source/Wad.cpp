// Archive chunk records: the dispatch of a chunk to its type's loader, the release
// of loaded chunks, the user type table and the module's pools.
#include "orblib47/source/Wad.h"

#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/WadTypeLoaders.h"
#include "orblib47/source/World.h"

s_stdrec* WadRecords = nullptr;
s_stdrec* WadTocRecords = nullptr;
s_stdrec* WadStatusRecords = nullptr;
s_wad_user_type WadUserTypes[WAD_MAX_USER_TYPES];
u32 WadUserTypeCount = 0;

namespace {

constexpr u32 kTypeTIM = FourCC("TIM\0");
constexpr u32 kTypeSFX = FourCC("SFX\0");
constexpr u32 kTypeVHA = FourCC("VHA\0");
constexpr u32 kTypeTOC = FourCC("TOC\0");

using BuiltInLoad = void* (*)(s_wad_header* header, void* payload);
using BuiltInFree = void (*)(void* address);

struct BuiltInType {
    u32 type;
    BuiltInLoad load;  // null: no loader, the payload is not kept
    BuiltInFree free;  // null: only the record goes
};

void* LoadString(s_wad_header* header, void* payload) {
    return StringTableLoad(header, payload);
}

void FreeString(void* address) {
    StringTableFree(static_cast<s_string_table*>(address));
}

// The payload itself is the asset; a second copy of a registered name is dropped.
void* LoadBinary(s_wad_header* header, void* payload) {
    s_DATA_ENTRY* entry = DataLoad(header->name, "BIN", payload, -1);
    if (entry == nullptr || entry->addr != payload)
        HeapMallocFree(payload);
    return entry;
}

void FreeBinary(void* address) {
    DataRemove(static_cast<s_DATA_ENTRY*>(address));
}

void* LoadWorld(s_wad_header* header, void* payload) {
    return WorldLoad(header->name, payload, header->size);
}

void FreeWorld(void* address) {
    WorldFree(static_cast<s_world*>(address));
}

void* KeepPayload(s_wad_header*, void* payload) {
    return payload;
}

void FreePayload(void* address) {
    HeapMallocFree(address);
}

// The engine's own tags; any other tag goes to the user table, which so stays free
// for the game's types.
const BuiltInType kBuiltInTypes[] = {
    {kTypeTIM, WadLoadTexture, WadFreeTexture},
    {FourCC("SPR\0"), WadLoadSprite, WadFreeSprite},
    {FourCC("FNT\0"), WadLoadFont, WadFreeFont},
    {FourCC("F3D\0"), WadLoadFont3D, WadFreeFont3D},
    {FourCC("WRL\0"), LoadWorld, FreeWorld},
    {kTypeSFX, WadLoadSfx, WadFreeSfx},  // samples to audio memory, the rest to the bank
    {FourCC("VHM\0"), WadLoadModel, WadFreeModel},
    {FourCC("GRP\0"), WadLoadModelGroup, WadFreeModelGroup},
    {kTypeVHA, WadLoadHAnim, WadFreeHAnim},
    {FourCC("STG\0"), WadLoadSoundTag, WadFreeSoundTag},
    {FourCC("PAT\0"), WadLoadParticleAttr, WadFreeParticleAttr},
    {FourCC("TXT\0"), LoadString, FreeString},
    {FourCC("BIN\0"), LoadBinary, FreeBinary},
    {kTypeTOC, KeepPayload, FreePayload},
    {FourCC("VHO\0"), nullptr, nullptr},
};

const BuiltInType* FindBuiltIn(u32 type) {
    for (const BuiltInType& builtIn : kBuiltInTypes) {
        if (builtIn.type == type)
            return &builtIn;
    }
    return nullptr;
}

const s_wad_user_type* FindUserType(u32 type) {
    for (u32 i = 0; i < WadUserTypeCount; ++i) {
        if (WadUserTypes[i].type == type)
            return &WadUserTypes[i];
    }
    return nullptr;
}

void* Dispatch(s_wad_header* header, void* payload, u32 type) {
    if (const BuiltInType* builtIn = FindBuiltIn(type)) {
        if (builtIn->load != nullptr)
            return builtIn->load(header, payload);
        HeapMallocFree(payload);  // nothing refers to a "VHO" payload
        return nullptr;
    }
    if (const s_wad_user_type* user = FindUserType(type))
        return user->loadFunc(header, payload);
    DEBUG_PRINT("WAD: Unsupported type %s\n", DebugName(header->ext).c_str());
    HeapMallocFree(payload);
    return nullptr;
}

void BindDataId(const s_wad_header* header) {
    u32 id = header->id;
    // A symbol missing from the table binds nothing (the lookup reports it).
    if ((id & 0x80000000u) && SymbolTransLookup(id & 0x7FFFFFFFu, &id) != RET_NO_ERROR)
        return;
    DataRegister(header->name, header->ext, s32(id));
}

}  // namespace

void WadColdReset() {
    WadUserTypeCount = 0;
}

void WadWarmReset(u32 maxWad) {
    WadRecords = RecordCreate(maxWad, sizeof(s_wad));
    HeapAddrAddComment(WadRecords, "WadWarmReset:WadRecords");
    WadTocRecords = RecordCreate(WAD_MAX_TOC, sizeof(s_wad_toc));
    HeapAddrAddComment(WadTocRecords, "WadWarmReset:WadTocRecords");
    WadStatusRecords = RecordCreate(WAD_MAX_STATUS, sizeof(s_wad_status));
    HeapAddrAddComment(WadStatusRecords, "WadWarmReset:WadStatusRecords");
    WadTocRecords->next = WadTocRecords->prev = nullptr;
    WadStatusRecords->next = WadStatusRecords->prev = nullptr;
    WadLoadThreadPtr = nullptr;  // the task list is made anew too
}

void WadRegisterType(u32 type, WadUserLoadFunc loadFunc, WadUserFreeFunc freeFunc) {
    // Each warm reset registers its types again: the same registration twice is
    // one entry, so repeated warm resets never fill the table.
    for (u32 i = 0; i < WadUserTypeCount; ++i) {
        const s_wad_user_type& known = WadUserTypes[i];
        if (known.type == type && known.loadFunc == loadFunc && known.freeFunc == freeFunc)
            return;
    }
    if (WadUserTypeCount >= WAD_MAX_USER_TYPES) {
        DEBUG_PRINT("WAD: User Type Table Full\n");
        return;
    }
    WadUserTypes[WadUserTypeCount++] = {type, loadFunc, freeFunc};
}

void SetMemHeap(u32 type) {
    if (type == kTypeTIM || type == kTypeSFX || type == kTypeVHA)
        HeapPush(&ExtraHeap);
}

void UnsetMemHeap(u32 type) {
    if (type == kTypeTIM || type == kTypeSFX || type == kTypeVHA)
        HeapPop();
}

s_wad* WadLoadData(s_wad_header* header, void* payload) {
    auto* record = static_cast<s_wad*>(RecordAlloc(WadRecords));
    if (record == nullptr) {
        DEBUG_PRINT("WAD: [%s] %s - Out of wad records!\n", DebugName(header->ext).c_str(),
                    DebugName(header->name).c_str());
        HeapMallocFree(payload);
        return nullptr;
    }
    std::memset(record, 0, sizeof(*record));
    record->type = WadTypeWord(header->ext);
    std::memcpy(record->name, header->name, sizeof(record->name));
    record->address = Dispatch(header, payload, record->type);
    if (record->type != kTypeTOC)
        BindDataId(header);
    return record;
}

void WadFreeData(s_wad* record) {
    if (const BuiltInType* builtIn = FindBuiltIn(record->type)) {
        if (builtIn->free != nullptr && record->address != nullptr)
            builtIn->free(record->address);
    } else if (const s_wad_user_type* user = FindUserType(record->type)) {
        user->freeFunc(record->address);
    }
    record->address = nullptr;
    RecordFree(WadRecords, record);
}

namespace {

void FreeChunkList(s_wad* wad) {
    while (wad != nullptr) {
        s_wad* next = wad->next;
        WadFreeData(wad);
        wad = next;
    }
}

}  // namespace

void WadFree(s_wad* wad) {
    if (wad == nullptr)
        return;
    s_wad* override = wad->override;
    FreeChunkList(wad);
    if (override != nullptr) {
        DEBUG_PROGRESS("Wad Free Override\n");
        FreeChunkList(override);
    }
}
