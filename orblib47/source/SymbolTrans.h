// Symbol translation: "SymTable.bin" maps the symbol numbers that game code and
// archives use to string ids and data-file ids.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_symbol_trans_symbol {
    u32 value;
};

// Parsed from the file: the values in host order, in one heap block with the table.
struct s_symbol_trans_table {
    u32 numSymbols;
    s_symbol_trans_symbol* symbolList;
};

extern s_symbol_trans_table* SymbolTransTable;

// The file the warm reset loads from the disc's root.
constexpr char SYMBOL_TRANS_FILE[] = "SymTable.bin";

e_error_code SymbolTransColdReset();
// Loads the file whole; a missing or bad file leaves no table. Always RET_NO_ERROR.
e_error_code SymbolTransLoad(const char* name);
// True when the image's header and symbol list lie inside it: what
// SymbolTransLoadImage checks, without the heap.
bool SymbolTransImageValid(const void* image, u32 size);
// Parses a file image and makes it the table (replacing any); RET_ERROR with a
// one-line message when the image is bad, and then no table is left.
e_error_code SymbolTransLoadImage(const void* image, u32 size);
// The value of symbol `index`; RET_ERROR with a one-line message when there is no
// table or the symbol is not in it.
e_error_code SymbolTransLookup(u32 index, u32* value);
