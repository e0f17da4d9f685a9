// A small name-to-value hash table. The names are the caller's, not copied: the
// caller keeps them alive, NUL-padded to 16 bytes. Entries live until the table goes.
#pragma once

#include "orblib47/source/Name.h"
#include "orblib47/source/OrbTypes.h"

struct s_stdrec;

struct CNamePtr {
    CNamePtr* m_Next;
    CNamePtr* m_Prev;
    const char* m_Name;
    u32 m_RefCount;
    s32 m_Value;
};

class CNamePtrTable {
public:
    static constexpr s32 NOT_FOUND = 0x7FFFFFFF;

    explicit CNamePtrTable(u32 count);
    ~CNamePtrTable();
    CNamePtrTable(const CNamePtrTable&) = delete;
    CNamePtrTable& operator=(const CNamePtrTable&) = delete;

    e_error_code Add(const char* name, s32 value);
    CNamePtr* Find(const char* name) const;
    // The value, or NOT_FOUND.
    s32 GetValue(const char* name) const;

private:
    static u32 Hash(const char* name);

    CNamePtr* m_NameHashTable[NAME_HASH_SIZE] = {};
    s_stdrec* m_NameRecords = nullptr;
};
