// An octree map: the first two bytes (big-endian) give the number of items, the
// rest is chunk data with the map at its start. A map the parse takes is walked
// by all four walks, and every item reported must be one of its items.
#include "orblib47/source/Octree.h"

#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Heap.h"

namespace {

void CheckItem(s32 item, void* data, s32 clipFlags, const s_octtree_node*) {
    if (item != -1 && (item < 0 || u32(item) >= *static_cast<const u32*>(data)))
        fuzz::Fail("an octree walk reported an item past the items");
    if (clipFlags != 0 && clipFlags != 1)
        fuzz::Fail("an octree walk reported clip flags other than 0 and 1");
}

void WalkAll(const s_octtree_map& map, u32 numItems) {
    OctTreeFrustum(&map, CheckItem, &numItems);
    const s_Matrix4 matrix = IDMatrix4;
    OctTreeFrustumMatrix(&map, &matrix, CheckItem, &numItems);
    OctTreeFrustumFar(&map, CheckItem, &numItems, 50.0f, 2.0f);
    const s_Vector3 pos = {0.0f, 0.0f, -20.0f, 0.0f};
    OctTreeSphere(&map, &pos, 30.0f, CheckItem, &numItems);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    if (size < 2)
        return 0;
    const u32 numItems = LoadBE16(data);
    const u32 chunkSize = u32(size - 2);
    // A heap block, word-aligned like the chunks the loaders are handed.
    auto* chunk = static_cast<u8*>(HeapMalloc(chunkSize == 0 ? 1 : chunkSize, __FILE_NAME__, __LINE__));
    if (chunk == nullptr)
        return 0;
    std::memcpy(chunk, data + 2, chunkSize);
    s_octtree_map map;
    if (OctTreeParse({chunk, chunkSize}, 0, numItems, &map))
        WalkAll(map, numItems);
    HeapMallocFree(chunk);
    return 0;
}
