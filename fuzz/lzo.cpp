// LZO1X data expanded into a heap block of exactly the expected size (so that
// the heap poisoning reports any write past it): two bytes of expected size, then
// the compressed data.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Wad.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size < 2)
        return 0;
    fuzz::Input input;
    u32 expected = (u32(data[0]) << 8) | data[1];
    auto* packed = static_cast<u8*>(HeapMalloc(u32(size - 2), __FILE_NAME__, __LINE__));
    auto* block = static_cast<u8*>(HeapMalloc(expected, __FILE_NAME__, __LINE__));
    if (packed != nullptr && block != nullptr) {
        std::memcpy(packed, data + 2, size - 2);
        u32 length = expected;
        if (LZODecompress(packed, u32(size - 2), block, &length) == 1 && length != expected)
            fuzz::Fail("a good expansion of the wrong length");
    }
    for (u8* p : {packed, block}) {
        if (p != nullptr)
            HeapMallocFree(p);
    }
    return 0;
}
