#include "orblib47/source/StringTable.h"

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr char kTxtType[] = "TXT";
constexpr u32 kTxtLanguage = 4;
constexpr u32 kTxtId = 8;
constexpr u32 kTxtNumStrings = 12;
constexpr u32 kTxtStringList = 16;

u_LANGUAGE Language;

// What an id past its table gets.
char EmptyString[] = "";

// The native table of a payload, or null (after the message) when the payload is bad.
s_string_table* StringTableParse(const s_wad_header* header, void* payload) {
    ChunkReader view(payload, header->size);
    u32 language = 0;
    s32 id = 0;
    s32 numStrings = 0;
    if (!view.U32(kTxtLanguage, &language) || !view.S32(kTxtId, &id) ||
        !view.S32(kTxtNumStrings, &numStrings)) {
        DEBUG_PRINT("StringTableLoad: %s is too short (%u bytes)\n", DebugName(header->name).c_str(),
                    header->size);
        return nullptr;
    }
    if (numStrings < 0 || !view.RangeArray(kTxtStringList, u32(numStrings), 4)) {
        DEBUG_PRINT("StringTableLoad: %s has a bad string count (%d)\n", DebugName(header->name).c_str(),
                    numStrings);
        return nullptr;
    }
    // The count fits the payload, so the block size cannot overflow.
    u32 bytes = sizeof(s_string_table) + u32(numStrings) * sizeof(char*);
    auto* table = static_cast<s_string_table*>(HeapMalloc(bytes, __FILE_NAME__, __LINE__));
    if (table == nullptr) {
        DEBUG_PRINT("StringTableLoad: %s - Out of RAM (%u bytes)\n", DebugName(header->name).c_str(), bytes);
        return nullptr;
    }
    HeapAddrAddComment(table, header->name);
    table->dataEntry = nullptr;
    table->language = language;
    table->id = id;
    table->numStrings = numStrings;
    table->stringList = reinterpret_cast<char**>(table + 1);
    for (s32 i = 0; i < numStrings; ++i) {
        u32 offset = 0;
        const char* text = nullptr;
        view.U32(kTxtStringList + u32(i) * 4, &offset);
        if (!view.CString(offset, &text)) {
            DEBUG_PRINT("StringTableLoad: %s string %d is outside the table\n",
                        DebugName(header->name).c_str(), i);
            HeapMallocFree(table);
            return nullptr;
        }
        table->stringList[i] = static_cast<char*>(payload) + offset;
    }
    return table;
}

}  // namespace

e_error_code StringTableWarmReset() {
    Language = OrbLanguage.Get();
    return RET_NO_ERROR;
}

s_string_table* StringTableLoad(s_wad_header* header, void* payload) {
    s_DATA_ENTRY* entry = DataFindEntry(header->name, kTxtType);
    if (entry != nullptr) {
        HeapMallocFree(payload);
        entry->refCount++;
        return static_cast<s_string_table*>(entry->record);
    }
    s_string_table* table = StringTableParse(header, payload);
    if (table == nullptr) {
        HeapMallocFree(payload);
        return nullptr;
    }
    entry = DataLoad(header->name, kTxtType, payload, -1);
    if (entry == nullptr) {
        HeapMallocFree(table);
        HeapMallocFree(payload);
        return nullptr;
    }
    if ((table->language & Language) == 0) {
        // Another language's copy: dropped, so its id is never bound.
        HeapMallocFree(table);
        DataRemove(entry);
        return nullptr;
    }
    table->dataEntry = entry;
    entry->record = table;
    return table;
}

void StringTableFree(s_string_table* table) {
    if (table == nullptr)
        return;
    s_DATA_ENTRY* entry = table->dataEntry;
    if (DataRemoveCheck(entry))
        HeapMallocFree(table);
    DataRemove(entry);
}

char* StringTableGetString(u32 id) {
    s_DATA_ENTRY* entry = DataGetEntry(id >> 16);
    auto* table = entry != nullptr ? static_cast<s_string_table*>(entry->record) : nullptr;
    ORB_ASSERT(table, "StringTableGetString: String table not loaded!\n");
    // The ids come from the symbol table on the disc: a bad index is no program fault.
    u32 index = id & 0xFFFFu;
    if (index >= u32(table->numStrings)) {
        DEBUG_PRINT("StringTableGetString: Invalid id 0x%08x!\n", id);
        return EmptyString;
    }
    return table->stringList[index];
}

int StrIsEOL(const char* p) {
    return p[0] == '\r' && p[1] == '\n' ? 1 : 0;
}

const char* StrGetLine(char* dst, u32 dstSize, const char* src) {
    u32 n = 0;
    for (; *src != '\0' && !StrIsEOL(src); ++src) {
        if (n + 1 < dstSize)
            dst[n++] = *src;
    }
    if (dstSize != 0)
        dst[n] = '\0';
    return StrIsEOL(src) ? src + 2 : src;
}
