// An archive read chunk by chunk through its table of contents: every entry is
// read raw and loaded, blocking and with the system tasks running, then the table
// is closed.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr u32 kMaxEntries = 64;  // a bigger table only repeats the same reads

void ReadEntry(s_wad_toc* toc, const s_wad_toc_entry& entry) {
    void* raw = nullptr;
    if (WadRead(toc, entry.name, entry.ext, &raw) != nullptr)
        HeapMallocFree(raw);
    raw = nullptr;
    if (WadReadAsync(toc, entry.name, entry.ext, &raw, WAD_LOAD_BEST_FIT) != nullptr)
        HeapMallocFree(raw);
    WadReadData(toc, entry.name, entry.ext);
    WadReadDataAsync(toc, entry.name, entry.ext, 0);
    WadFindToc(entry.name, entry.ext);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile("FUZZ.WAD", {data, size});
    s_wad_toc* toc = WadOpen("FUZZ");
    if (toc == nullptr)
        return 0;
    for (u32 i = 0; i < toc->numEntries && i < kMaxEntries; ++i)
        ReadEntry(toc, toc->entries[i]);
    WadFreeTOC(toc);
    WadReadData(toc, toc->numEntries != 0 ? toc->entries[0].name : "", "");
    WadClose(toc);
    return 0;
}
