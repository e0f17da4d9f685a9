// The save file read back from flash storage: two bytes of the length the game
// asks for, one byte choosing a short read, then the file as it lies in storage.
// A load must either fail or deliver exactly the file's first bytes, into a heap
// block of exactly that length (so that the heap poisoning reports a write past it).
#include "orblib47/source/NGC/NVRam.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "console/nand/nand_control.h"
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"

namespace {

const char kName[] = "save.dat";

void WriteSave(const u8* bytes, std::size_t size) {
    const std::filesystem::path folder = std::filesystem::path(HostNANDRoot()) / (NvHomeDir + 1);
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / kName);  // see fuzz::WriteDiscFile
    std::ofstream out(folder / kName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
    if (!out.flush())
        fuzz::Fail("the save file cannot be written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size < 3)
        return 0;
    fuzz::Input input;
    const u32 length = u32(data[0]) << 8 | data[1];
    const u8* file = data + 3;
    const std::size_t fileSize = size - 3;
    WriteSave(file, fileSize);
    if (data[2] != 0)
        HostNANDShortNextRead(data[2] * 32u);

    u32 stored = 0;
    if (NVRamFileExist(kName, &stored) != 1 || stored != fileSize)
        fuzz::Fail("the save file's length is not what lies in storage");
    auto* buffer = static_cast<u8*>(HeapMalloc(length, __FILE_NAME__, __LINE__));
    if (buffer == nullptr)
        fuzz::Fail("no room for a 64 KB buffer");
    if (NVRamLoadFile(kName, buffer, length) == 1 &&
        (length > fileSize || !std::equal(buffer, buffer + length, file)))
        fuzz::Fail("a load that succeeded delivered bytes that are not the file's");
    HeapMallocFree(buffer);
    HostNANDReset();
    NVRamColdReset();  // back to the home directory
    return 0;
}
