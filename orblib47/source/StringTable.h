// Localised string tables ("TXT" chunks) and the CR-LF line splitter.
#pragma once

#include "orblib47/source/Language.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_wad_header;

// Parsed from the chunk payload, which the registry entry keeps as its image; the
// table is the entry's record and its strings point into the payload.
struct s_string_table {
    s_DATA_ENTRY* dataEntry;
    u_LANGUAGE language;
    s32 id;
    s32 numStrings;
    char** stringList;
};

e_error_code StringTableWarmReset();
// Takes over the payload. Null for a table of another language, and for a bad
// table (after a one-line "StringTableLoad: ..." message).
s_string_table* StringTableLoad(s_wad_header* header, void* payload);
void StringTableFree(s_string_table* table);
// String id: data-file id of the table in the high 16 bits, index in the low 16.
// An id of a table not loaded is fatal; one past its table's end gives a one-line
// message and "".
char* StringTableGetString(u32 id);

int StrIsEOL(const char* p);
// Copies the line at `src` (up to CR-LF or the NUL) into `dst`, at most
// dstSize - 1 characters, always terminated; returns the start of the next line,
// or the NUL when the text ends first.
const char* StrGetLine(char* dst, u32 dstSize, const char* src);
