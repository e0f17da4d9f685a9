#include "tools/discbuild/OctreeWriter.h"

#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

constexpr u32 kMapSize = 16;
constexpr u32 kNodeSize = 32;

struct Flat {
    const OctreeNode* node;
    s16 parent;
    s16 sibling = -1;
    s16 child = -1;
    u32 start = 0;
    u32 count = 0;
};

// Numbers the subtree of `node` in depth-first order, its atoms after `atoms`.
s16 Flatten(const OctreeNode& node, s16 parent, std::vector<Flat>* flat, std::vector<u16>* atoms) {
    if (flat->size() >= 0x7FFF)
        throw std::invalid_argument("octree: more than 32767 nodes");
    if (!node.children.empty() && !node.items.empty())
        throw std::invalid_argument("octree: an inner node with items of its own");
    const s16 id = s16(flat->size());
    flat->push_back({&node, parent});
    const u32 start = u32(atoms->size());
    atoms->insert(atoms->end(), node.items.begin(), node.items.end());
    s16 previous = -1;
    for (const OctreeNode& child : node.children) {
        const s16 childId = Flatten(child, id, flat, atoms);
        if (previous == -1)
            (*flat)[id].child = childId;
        else
            (*flat)[previous].sibling = childId;
        previous = childId;
    }
    (*flat)[id].start = start;
    (*flat)[id].count = u32(atoms->size()) - start;
    return id;
}

void Word(u8* p, f32 value) {
    StoreBE32(p, std::bit_cast<u32>(value));
}

}  // namespace

u32 OctreeAppend(std::vector<u8>& chunk, const OctreeNode* root) {
    std::vector<Flat> flat;
    std::vector<u16> atoms;
    if (root != nullptr)
        Flatten(*root, -1, &flat, &atoms);
    if (atoms.size() > 0xFFFF)
        throw std::invalid_argument("octree: more than 65535 atoms");

    const u32 map = u32((chunk.size() + 3) & ~size_t(3));
    const u32 nodes = map + kMapSize;
    const u32 atomList = nodes + u32(flat.size()) * kNodeSize;
    chunk.resize(atomList + 2 * atoms.size());
    u8* out = chunk.data();
    StoreBE32(out + map, u32(flat.size()));
    StoreBE32(out + map + 4, nodes);
    StoreBE32(out + map + 8, u32(atoms.size()));
    StoreBE32(out + map + 12, atomList);
    for (size_t i = 0; i < flat.size(); ++i) {
        const Flat& f = flat[i];
        u8* p = out + nodes + i * kNodeSize;
        for (s32 axis = 0; axis < 3; ++axis)
            Word(p + 4 * axis, f.node->center[axis]);
        StoreBE32(p + 12, 0);
        Word(p + 16, f.node->radius);
        StoreBE16(p + 20, u16(f.count));
        StoreBE16(p + 22, u16(f.start));
        StoreBE16(p + 24, u16(f.child));
        StoreBE16(p + 26, u16(f.sibling));
        StoreBE16(p + 28, u16(f.parent));
        StoreBE16(p + 30, u16(f.node->flags));
    }
    for (size_t i = 0; i < atoms.size(); ++i)
        StoreBE16(out + atomList + 2 * i, atoms[i]);
    return map;
}

}  // namespace discbuild
