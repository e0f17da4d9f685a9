#include "orblib47/source/NamePtrTable.h"

#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"

CNamePtrTable::CNamePtrTable(u32 count) {
    m_NameRecords = RecordCreate(count, sizeof(CNamePtr));
    if (m_NameRecords != nullptr)
        HeapAddrAddComment(m_NameRecords, "CNamePtrTable:m_NameRecords");
}

CNamePtrTable::~CNamePtrTable() {
    if (m_NameRecords != nullptr)
        HeapMallocFree(m_NameRecords);
}

u32 CNamePtrTable::Hash(const char* name) {
    return NameHashAdd(0, name, NAME_LENGTH) & (NAME_HASH_SIZE - 1);
}

e_error_code CNamePtrTable::Add(const char* name, s32 value) {
    CNamePtr* found = Find(name);
    if (found != nullptr) {
        if (found->m_Value != value)
            return RET_ERROR;
        found->m_RefCount++;
        return RET_NO_ERROR;
    }
    auto* entry = m_NameRecords != nullptr ? static_cast<CNamePtr*>(RecordAlloc(m_NameRecords)) : nullptr;
    if (entry == nullptr) {
        DEBUG_PRINT("CNamePtr: Out of records!\n");
        return RET_ERROR;
    }
    CNamePtr*& bucket = m_NameHashTable[Hash(name)];
    entry->m_Next = bucket;
    entry->m_Prev = nullptr;
    entry->m_Name = name;
    entry->m_RefCount = 1;
    entry->m_Value = value;
    if (bucket != nullptr)
        bucket->m_Prev = entry;
    bucket = entry;
    return RET_NO_ERROR;
}

CNamePtr* CNamePtrTable::Find(const char* name) const {
    char wanted[NAME_LENGTH];
    NamePad(wanted, name, NAME_LENGTH);
    for (CNamePtr* entry = m_NameHashTable[Hash(wanted)]; entry != nullptr; entry = entry->m_Next) {
        // The stored name is padded the same way, so nothing past its NUL is read.
        char stored[NAME_LENGTH];
        NamePad(stored, entry->m_Name, NAME_LENGTH);
        if (std::memcmp(stored, wanted, NAME_LENGTH) == 0)
            return entry;
    }
    return nullptr;
}

s32 CNamePtrTable::GetValue(const char* name) const {
    CNamePtr* entry = Find(name);
    return entry != nullptr ? entry->m_Value : NOT_FOUND;
}
