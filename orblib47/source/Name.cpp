#include "orblib47/source/Name.h"

#include <cstring>

#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"

namespace {

s_name* NameTable[NAME_HASH_SIZE];
s_stdrec* NameRecords;

}  // namespace

void NamePad(char* out, const char* text, u32 length) {
    u32 n = 0;
    for (; n < length && text[n] != '\0'; ++n)
        out[n] = text[n];
    std::memset(out + n, 0, length - n);
}

u32 NameHashAdd(u32 hash, const char* text, u32 length) {
    for (u32 n = 0; n < length && text[n] != '\0'; ++n) {
        hash = (hash << 4) + u32(s32(s8(text[n])));
        u32 high = hash & 0xF0000000u;
        if (high != 0)
            hash ^= (high >> 24) ^ high;
    }
    return hash;
}

e_error_code NameWarmReset(u32 maxname) {
    std::memset(NameTable, 0, sizeof(NameTable));
    NameRecords = RecordCreate(maxname, sizeof(s_name));
    if (NameRecords == nullptr)
        return RET_ERROR;
    HeapAddrAddComment(NameRecords, "NameWarmReset:NameRecords");
    return RET_NO_ERROR;
}
