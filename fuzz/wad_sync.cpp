// An archive loaded whole and freed again: the input is the ".WAD" file.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Wad.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile("FUZZ.WAD", {data, size});
    WadFree(WadLoad("FUZZ", 0));
    return 0;
}
