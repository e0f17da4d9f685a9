// "SymTable.bin" read from the disc, every symbol looked up, and the table
// dropped again.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/SymbolTrans.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile("SymTable.bin", {data, size});
    SymbolTransLoad("SymTable.bin");
    const u32 symbols = SymbolTransTable != nullptr ? SymbolTransTable->numSymbols : 0;
    u32 value = 0;
    for (u32 i = 0; i <= symbols; ++i)
        SymbolTransLookup(i, &value);
    SymbolTransLoadImage(nullptr, 0);  // a bad image leaves no table
    return 0;
}
