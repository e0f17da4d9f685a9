#include "orblib47/source/SymbolTrans.h"

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"

s_symbol_trans_table* SymbolTransTable;

namespace {

constexpr u32 kSymbolSize = 4;

bool ReadHeader(const ChunkReader& file, u32* numSymbols, u32* listOffset) {
    return file.U32(0, numSymbols) && file.U32(4, listOffset) &&
           file.RangeArray(*listOffset, *numSymbols, kSymbolSize);
}

void SymbolTransFree() {
    if (SymbolTransTable != nullptr)
        HeapMallocFree(SymbolTransTable);
    SymbolTransTable = nullptr;
}

}  // namespace

e_error_code SymbolTransColdReset() {
    SymbolTransTable = nullptr;
    return RET_NO_ERROR;
}

e_error_code SymbolTransLoad(const char* name) {
    u32 size = 0;
    void* image = FileLoad(name, &size);
    if (image == nullptr)
        return RET_NO_ERROR;
    SymbolTransLoadImage(image, size);
    HeapMallocFree(image);
    return RET_NO_ERROR;
}

bool SymbolTransImageValid(const void* image, u32 size) {
    u32 numSymbols = 0;
    u32 listOffset = 0;
    return ReadHeader(ChunkReader(image, size), &numSymbols, &listOffset);
}

e_error_code SymbolTransLoadImage(const void* image, u32 size) {
    SymbolTransFree();
    ChunkReader file(image, size);
    u32 numSymbols = 0;
    u32 listOffset = 0;
    if (!ReadHeader(file, &numSymbols, &listOffset)) {
        DEBUG_PRINT("SymbolTransLoad: Bad symbol table (%u bytes)\n", size);
        return RET_ERROR;
    }
    // numSymbols * 4 fits the file, so the block size cannot overflow.
    u32 bytes = sizeof(s_symbol_trans_table) + numSymbols * sizeof(s_symbol_trans_symbol);
    auto* table = static_cast<s_symbol_trans_table*>(HeapMalloc(bytes, __FILE_NAME__, __LINE__));
    if (table == nullptr) {
        DEBUG_PRINT("SymbolTransLoad: Out of memory (%u symbols)\n", numSymbols);
        return RET_ERROR;
    }
    HeapAddrAddComment(table, "SymbolTransTable");
    table->numSymbols = numSymbols;
    table->symbolList = reinterpret_cast<s_symbol_trans_symbol*>(table + 1);
    for (u32 i = 0; i < numSymbols; ++i)
        file.U32(listOffset + i * kSymbolSize, &table->symbolList[i].value);
    SymbolTransTable = table;
    return RET_NO_ERROR;
}

e_error_code SymbolTransLookup(u32 index, u32* value) {
    if (SymbolTransTable == nullptr) {
        DEBUG_PRINT("SymbolTrans: No symbol table for symbol %u\n", index);
        return RET_ERROR;
    }
    if (index >= SymbolTransTable->numSymbols) {
        DEBUG_PRINT("SymbolTrans: Unknown symbol %u\n", index);
        return RET_ERROR;
    }
    *value = SymbolTransTable->symbolList[index].value;
    return RET_NO_ERROR;
}
