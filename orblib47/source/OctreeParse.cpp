// An octree map read from big-endian chunk data: checked once, so that the walks
// can trust every id and atom range, then swapped in place.
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Octree.h"

namespace {

constexpr u32 kNodeSize = sizeof(s_octtree_node);

bool Reject(const char* why) {
    DEBUG_PRINT("OCTTREE: bad octree (%s)\n", why);
    return false;
}

s_octtree_node ReadNode(const u8* p) {
    s_octtree_node node;
    node.Center = {std::bit_cast<f32>(LoadBE32(p)), std::bit_cast<f32>(LoadBE32(p + 4)),
                   std::bit_cast<f32>(LoadBE32(p + 8)), std::bit_cast<f32>(LoadBE32(p + 12))};
    node.Radius = std::bit_cast<f32>(LoadBE32(p + 16));
    node.NumAtoms = LoadBE16(p + 20);
    node.StartAtomId = LoadBE16(p + 22);
    node.ChildId = s16(LoadBE16(p + 24));
    node.SiblingId = s16(LoadBE16(p + 26));
    node.ParentId = s16(LoadBE16(p + 28));
    node.Flags = s16(LoadBE16(p + 30));
    return node;
}

bool Aligned(const void* p, std::size_t alignment) {
    return reinterpret_cast<std::uintptr_t>(p) % alignment == 0;
}

bool IdInRange(s16 id, u32 numNodes) {
    return id == -1 || (id >= 0 && u32(id) < numNodes);
}

// An empty range fits anywhere.
bool RangeInside(const s_octtree_node& node, const s_octtree_node& parent) {
    return node.NumAtoms == 0 ||
           (node.StartAtomId >= parent.StartAtomId &&
            u32(node.StartAtomId) + node.NumAtoms <= u32(parent.StartAtomId) + parent.NumAtoms);
}

// Follows every chain of siblings from the root, each node's children after it:
// a node met twice would make the walks loop or report twice.
const char* CheckLinks(const std::vector<s_octtree_node>& nodes) {
    std::vector<u8> seen(nodes.size(), 0);
    std::vector<std::pair<s16, s16>> chains{{-1, 0}};  // parent, first node
    while (!chains.empty()) {
        const auto [parent, first] = chains.back();
        chains.pop_back();
        for (s16 id = first; id != -1; id = nodes[id].SiblingId) {
            const s_octtree_node& node = nodes[id];
            if (seen[id])
                return "node reachable twice";
            seen[id] = 1;
            if (node.ParentId != parent)
                return "parent id differs from the linking node";
            if (parent != -1 && !RangeInside(node, nodes[parent]))
                return "atoms outside the parent's range";
            if (node.ChildId != -1)
                chains.push_back({id, node.ChildId});
        }
    }
    return nullptr;
}

const char* CheckNodes(const u8* data, u32 numNodes, u32 numAtoms) {
    std::vector<s_octtree_node> nodes(numNodes);
    for (u32 i = 0; i < numNodes; ++i) {
        nodes[i] = ReadNode(data + i * kNodeSize);
        const s_octtree_node& node = nodes[i];
        if (!IdInRange(node.ChildId, numNodes) || !IdInRange(node.SiblingId, numNodes) ||
            !IdInRange(node.ParentId, numNodes))
            return "node id out of range";
        if (u32(node.StartAtomId) + node.NumAtoms > numAtoms)
            return "atom range past the atoms";
    }
    return numNodes == 0 ? nullptr : CheckLinks(nodes);
}

bool Overlap(u32 aStart, u32 aSize, u32 bStart, u32 bSize) {
    return aSize != 0 && bSize != 0 && aStart < bStart + bSize && bStart < aStart + aSize;
}

}  // namespace

bool OctTreeCheck(std::span<u8> chunk, u32 offset, u32 numItems, s_octtree_map* out) {
    const ChunkReader reader(chunk.data(), u32(chunk.size()));
    u32 numNodes = 0, nodes = 0, numAtoms = 0, atoms = 0;
    ChunkCursor c(reader, offset);
    c.U32(&numNodes), c.U32(&nodes), c.U32(&numAtoms), c.U32(&atoms);
    if (!c.Ok())
        return Reject("map outside the chunk");
    if (!reader.RangeArray(nodes, numNodes, kNodeSize))
        return Reject("nodes outside the chunk");
    if (!reader.RangeArray(atoms, numAtoms, sizeof(u16)))
        return Reject("atoms outside the chunk");
    if (!Aligned(chunk.data() + nodes, alignof(s_octtree_node)) ||
        !Aligned(chunk.data() + atoms, alignof(u16)))
        return Reject("arrays not aligned");
    if (Overlap(nodes, numNodes * kNodeSize, atoms, numAtoms * u32(sizeof(u16))))
        return Reject("nodes and atoms overlap");
    for (u32 i = 0; i < numAtoms; ++i) {
        const u16 item = LoadBE16(chunk.data() + atoms + 2 * i);
        if (item >= numItems && item != OCTTREE_NO_ITEM)
            return Reject("item number out of range");
    }
    if (const char* why = CheckNodes(chunk.data() + nodes, numNodes, numAtoms))
        return Reject(why);
    *out = {numNodes, reinterpret_cast<const s_octtree_node*>(chunk.data() + nodes), numAtoms,
            reinterpret_cast<const u16*>(chunk.data() + atoms)};
    return true;
}

void OctTreeSwap(const s_octtree_map& map) {
    // The arrays lie in the writable chunk that OctTreeCheck was handed.
    auto* nodes = reinterpret_cast<u8*>(const_cast<s_octtree_node*>(map.Nodes));
    for (u32 i = 0; i < map.NumNodes; ++i) {
        const s_octtree_node node = ReadNode(nodes + i * kNodeSize);
        std::memcpy(nodes + i * kNodeSize, &node, kNodeSize);
    }
    auto* atoms = reinterpret_cast<u8*>(const_cast<u16*>(map.BoneIndex));
    for (u32 i = 0; i < map.NumBoneIndex; ++i) {
        const u16 item = LoadBE16(atoms + 2 * i);
        std::memcpy(atoms + 2 * i, &item, sizeof(item));
    }
}

bool OctTreeParse(std::span<u8> chunk, u32 offset, u32 numItems, s_octtree_map* out) {
    if (!OctTreeCheck(chunk, offset, numItems, out))
        return false;
    OctTreeSwap(*out);
    return true;
}

void OctTreeRemap(s_octtree_map* octTree, std::ptrdiff_t delta) {
    if (octTree == nullptr)
        return;
    // The data's new place is another block: move the addresses as numbers.
    const auto moved = [delta](const void* p) {
        return reinterpret_cast<std::uintptr_t>(p) + std::uintptr_t(delta);
    };
    octTree->Nodes = reinterpret_cast<const s_octtree_node*>(moved(octTree->Nodes));
    octTree->BoneIndex = reinterpret_cast<const u16*>(moved(octTree->BoneIndex));
}
