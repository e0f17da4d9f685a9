// A "TXT" chunk's payload handed to the string-table loader twice (the second
// load shares the first), every string read, and both references released.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/Wad.h"

namespace {

s_string_table* Load(const u8* data, std::size_t size) {
    s_wad_header header{};
    std::strcpy(header.name, "FUZZ");
    std::strcpy(header.ext, "TXT");
    header.size = u32(size);
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return nullptr;
    return StringTableLoad(&header, payload);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_string_table* table = Load(data, size);
    if (table == nullptr)
        return 0;
    volatile std::size_t total = 0;  // the reads must happen
    for (s32 i = 0; i < table->numStrings; ++i)
        total = total + std::strlen(table->stringList[i]);
    if (Load(data, size) != table)
        fuzz::Fail("a second load of the same table made another");
    StringTableFree(table);
    StringTableFree(table);
    return 0;
}
