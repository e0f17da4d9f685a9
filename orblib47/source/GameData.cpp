#include "orblib47/source/GameData.h"

#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NamePtrTable.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr const char* kType = "GAM";

void* WadLoadGameData(s_wad_header* header, void* payload) {
    return GameDataLoad(header->name, payload, header->size);
}

void WadFreeGameData(void* data) {
    GameDataFree(static_cast<CGameData*>(data));
}

}  // namespace

CGameData::CGameData(s_GAME_DATA* header, s_DATA_ENTRY* entry, const char* name)
    : m_DataEntry(entry), m_Header(header) {
    std::strncpy(m_Name, name, sizeof(m_Name) - 1);
    m_Name[sizeof(m_Name) - 1] = 0;
    m_InstanceList = new CInstanceList(this, &header->instanceHeader, header->pos, name);
    const s32 numNames = header->numPaths + header->numAreas + header->numGrids + header->numGraphs;
    m_NameTable = new CNamePtrTable(u32(numNames > 0 ? numNames : 1));
    // One table for the four kinds; a name used twice keeps its first binding.
    const auto bind = [this](const char* entryName, s32 index) {
        if (m_NameTable->Add(entryName, index) != RET_NO_ERROR)
            DEBUG_PRINT("GameData: %s: name \"%s\" used twice\n", DebugName(m_Name).c_str(),
                        DebugName(entryName).c_str());
    };
    for (s32 i = 0; i < header->numPaths; ++i)
        bind(header->pathList[i].name, i);
    for (s32 i = 0; i < header->numAreas; ++i)
        bind(header->areaList[i].name, i);
    for (s32 i = 0; i < header->numGrids; ++i)
        bind(header->gridList[i].name, i);
    for (s32 i = 0; i < header->numGraphs; ++i)
        bind(header->graphList[i].name, i);
}

CGameData::~CGameData() {
    delete m_NameTable;
    delete m_InstanceList;
    HeapMallocFree(m_Header);
}

e_error_code CGameData::ColdReset() {
    return RET_NO_ERROR;
}

e_error_code CGameData::WarmReset() {
    WadRegisterType(WadTypeWord(kType), WadLoadGameData, WadFreeGameData);
    return RET_NO_ERROR;
}

CGameData* GameDataLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<CGameData*>(shared);
    if (data == nullptr)
        return nullptr;
    if (name == nullptr || std::strlen(name) >= MAX_LONG_NAME_SIZE) {
        if (name != nullptr)
            DEBUG_PRINT("GameData name too long!!!\n");
        HeapMallocFree(data);
        return nullptr;
    }
    s_GAME_DATA* header = GameDataParse(name, static_cast<u8*>(data), size);
    if (header == nullptr) {
        HeapMallocFree(data);
        return nullptr;
    }
    // The parsed records point into the chunk: it stays with the entry.
    s_DATA_ENTRY* entry = DataLoad(name, kType, data, -1);
    if (entry == nullptr) {
        HeapMallocFree(header);
        HeapMallocFree(data);
        return nullptr;
    }
    auto* gameData = new CGameData(header, entry, name);
    entry->record = gameData;
    return gameData;
}

void GameDataFree(CGameData* gameData) {
    if (gameData == nullptr)
        return;
    s_DATA_ENTRY* entry = gameData->m_DataEntry;
    if (DataRemoveCheck(entry))
        delete gameData;
    DataRemove(entry);
}
