#include "fuzz/fuzz_world.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "console/dvd/dvd_control.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "tests/support/TempDisc.h"

namespace fuzz {
namespace {

// The engine's messages about bad files are expected by the thousand.
void DropReport(const char*, void*) {}

const TempDisc& World() {
    static const std::unique_ptr<TempDisc> disc = [] {
        auto made = std::make_unique<TempDisc>();
        HostInit(made->Config());
        HostSetReportSink(DropReport, nullptr);
        OrblibColdReset(GAME_VIDEO_MODE, nullptr);
        OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
        // Transfers complete at the next poll: the clock is not what is fuzzed.
        HostDVDSetReadLatency(0);
        return made;
    }();
    return *disc;
}

Counts Take() {
    u32 openFiles = 0;
    for (s32 fid = 1; fid <= s32(FILE_MAX_RECORDS); ++fid)
        openFiles += FileGetDVDInfo(fid) != nullptr ? 1 : 0;
    return {MainHeap.avail,       MainHeap.numHandles,     ExtraHeap.avail,
            ExtraHeap.numHandles, HandleRecords->count,    WadRecords->count,
            WadTocRecords->count, WadStatusRecords->count, openFiles};
}

void Compare(const char* what, u32 before, u32 after) {
    if (before != after)
        std::fprintf(stderr, "fuzz: %s was %u before the input and is %u after it\n", what, before, after);
}

}  // namespace

Input::Input() {
    World();
    start_ = Take();
}

Input::~Input() {
    const Counts end = Take();
    if (end == start_)
        return;
    Compare("main heap free bytes", start_.mainAvail, end.mainAvail);
    Compare("main heap blocks", start_.mainHandles, end.mainHandles);
    Compare("extra heap free bytes", start_.extraAvail, end.extraAvail);
    Compare("extra heap blocks", start_.extraHandles, end.extraHandles);
    Compare("free heap handles", start_.freeHandleRecords, end.freeHandleRecords);
    Compare("free archive records", start_.freeWads, end.freeWads);
    Compare("free table-of-contents records", start_.freeTocs, end.freeTocs);
    Compare("free async-load records", start_.freeStatus, end.freeStatus);
    Compare("open files", start_.openFiles, end.openFiles);
    Fail("the input left the engine with something it did not give back");
}

void WriteDiscFile(const std::string& path, std::span<const u8> bytes) {
    // A new file rather than a truncated one, which some file systems flush on close.
    World().Remove(path);
    World().Write(path, std::vector<u8>(bytes.begin(), bytes.end()));
}

void RemoveDiscFile(const std::string& path) {
    World().Remove(path);
}

const std::string& DiscRoot() {
    return World().root();
}

void* HeapCopy(std::span<const u8> bytes) {
    void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
    if (block != nullptr && !bytes.empty())
        std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

std::pair<std::span<const u8>, std::span<const u8>> Split(std::span<const u8> input) {
    if (input.size() < 2)
        return {{}, {}};
    const std::size_t first =
        std::min<std::size_t>((std::size_t(input[0]) << 8) | input[1], input.size() - 2);
    return {input.subspan(2, first), input.subspan(2 + first)};
}

std::vector<std::string> SplitAtNul(std::span<const u8> input) {
    const std::string text(reinterpret_cast<const char*>(input.data()), input.size());
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz: %s\n", what.c_str());
    std::abort();
}

}  // namespace fuzz
