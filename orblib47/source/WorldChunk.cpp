// Parsing a "WRL" chunk: the header, the atoms, the octree over them and the name,
// every offset and count checked before anything is swapped.
#include <cstring>
#include <span>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/WorldInternal.h"

namespace {

constexpr u32 kAtomSize = sizeof(s_world_atom);
constexpr u32 kAtomWords = kAtomSize / 4;

// The native record and the octree map it points at, in one block.
struct WorldBlock {
    s_world world;
    s_octtree_map octTree;
};

struct Region {
    u32 offset, length;
};

s_world* Refuse(const char* name, const char* why) {
    DEBUG_PRINT("WorldLoad: %s: bad WRL chunk (%s)\n", DebugName(name).c_str(), why);
    return nullptr;
}

bool Overlap(const Region& a, const Region& b) {
    return a.length != 0 && b.length != 0 && u64(a.offset) < u64(b.offset) + b.length &&
           u64(b.offset) < u64(a.offset) + a.length;
}

// The atoms, the octree's arrays and the name are swapped or read in place: no
// byte may belong to two of them.
bool Apart(const Region (&regions)[4]) {
    for (u32 i = 0; i < 4; ++i)
        for (u32 j = i + 1; j < 4; ++j)
            if (Overlap(regions[i], regions[j]))
                return false;
    return true;
}

void SwapAtoms(u8* atoms, s32 numAtom) {
    for (u32 i = 0; i < u32(numAtom) * kAtomWords; ++i) {
        const u32 word = LoadBE32(atoms + 4 * i);
        std::memcpy(atoms + 4 * i, &word, sizeof(word));
    }
}

}  // namespace

s_world* WorldParseChunk(const char* name, u8* data, u32 size) {
    const ChunkReader chunk(data, size);
    s32 numAtom = 0;
    u32 atomList = 0, octTree = 0, nameAt = 0;
    ChunkCursor c(chunk, 4);  // the registry entry's slot is run-time state
    c.S32(&numAtom), c.U32(&atomList), c.U32(&octTree), c.U32(&nameAt);
    if (!c.Ok())
        return Refuse(name, "truncated header");
    if (numAtom < 0 || !chunk.RangeArray(atomList, u32(numAtom), kAtomSize) || atomList % 4 != 0)
        return Refuse(name, "atoms");
    const char* worldName = nullptr;
    if (!chunk.CString(nameAt, &worldName))
        return Refuse(name, "name");
    s_octtree_map map{};
    if (!OctTreeCheck({data, size}, octTree, u32(numAtom), &map))
        return Refuse(name, "octree");
    const auto at = [data](const void* p) { return u32(static_cast<const u8*>(p) - data); };
    const Region regions[] = {{atomList, u32(numAtom) * kAtomSize},
                              {at(map.Nodes), map.NumNodes * u32(sizeof(s_octtree_node))},
                              {at(map.BoneIndex), map.NumBoneIndex * u32(sizeof(u16))},
                              {nameAt, u32(std::strlen(worldName)) + 1}};
    if (!Apart(regions))
        return Refuse(name, "lists overlap");

    auto* block = static_cast<WorldBlock*>(HeapMalloc(sizeof(WorldBlock), __FILE_NAME__, __LINE__));
    if (block == nullptr)
        return Refuse(name, "out of memory");
    HeapAddrAddComment(block, name);
    SwapAtoms(data + atomList, numAtom);
    OctTreeSwap(map);
    block->octTree = map;
    block->world = {nullptr, numAtom, reinterpret_cast<s_world_atom*>(data + atomList), &block->octTree,
                    worldName};
    for (s32 i = 0; i < numAtom; ++i)
        block->world.atomList[i].prevModel = -1;
    return &block->world;
}
