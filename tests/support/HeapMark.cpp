#include "tests/support/HeapMark.h"

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <vector>

#include "orblib47/source/Heap.h"

namespace {

constexpr std::initializer_list<const s_heap*> kHeaps = {&MainHeap, &ExtraHeap};
constexpr const char* kHeapNames[] = {"main", "extra"};

struct Block {
    const s_mem_handle* handle;
    const u8* address;
    u32 length;
    bool operator==(const Block&) const = default;
};

struct Usage {
    u32 blocks;
    u32 avail;
};

std::vector<Block> Blocks() {
    std::vector<Block> blocks;
    for (const s_heap* heap : kHeaps) {
        for (const s_mem_handle* node = heap->lomem.next; node != nullptr && node != &heap->himem;
             node = node->next)
            blocks.push_back({node, node->address, node->length});
    }
    return blocks;
}

std::vector<Usage> Usages() {
    std::vector<Usage> usages;
    for (const s_heap* heap : kHeaps)
        usages.push_back({heap->numHandles, heap->avail});
    return usages;
}

// The mark of the test running now; each test's set-up takes or forgets it.
std::vector<Block> MarkedBlocks;
std::vector<Usage> MarkedUsages;

}  // namespace

void HeapMarkTake() {
    MarkedBlocks = Blocks();
    MarkedUsages = Usages();
}

void HeapMarkForget() {
    MarkedBlocks.clear();
    MarkedUsages.clear();
}

std::string HeapMarkLeaks() {
    if (MarkedUsages.empty())
        return {};
    const std::vector<Usage> usages = Usages();
    // A test may give back more than it took: a fixture frees at its end some of
    // what it loaded before the mark.
    bool grown = false;
    for (size_t i = 0; i < usages.size(); ++i)
        grown = grown || usages[i].blocks > MarkedUsages[i].blocks || usages[i].avail < MarkedUsages[i].avail;
    if (!grown)
        return {};
    std::ostringstream leaks;
    for (size_t i = 0; i < usages.size(); ++i) {
        leaks << "the " << kHeapNames[i] << " heap: " << usages[i].blocks << " blocks, " << usages[i].avail
              << " bytes free (at the start " << MarkedUsages[i].blocks << ", " << MarkedUsages[i].avail
              << ")\n";
    }
    for (const Block& block : Blocks()) {
        if (std::find(MarkedBlocks.begin(), MarkedBlocks.end(), block) != MarkedBlocks.end())
            continue;
        const s_mem_handle& handle = *block.handle;
        leaks << (handle.filename != nullptr ? handle.filename : "?") << ":" << handle.linenum << ": "
              << handle.length << " bytes";
        if (handle.comment[0] != '\0')
            leaks << " (" << handle.comment << ")";
        leaks << "\n";
    }
    return leaks.str();
}
