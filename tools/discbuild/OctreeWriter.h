// An octree map inside a chunk's data: the 16-byte map, its nodes depth first, then
// the atoms, each node's range covering the atoms of its subtree.
#pragma once

#include <array>
#include <vector>

#include "console/types.h"

namespace discbuild {

struct OctreeNode {
    std::array<f32, 3> center{};
    f32 radius = 0;
    s16 flags = 0;
    std::vector<u16> items;  // a leaf's atoms; an inner node's are its children's
    std::vector<OctreeNode> children;
};

// Appends the map at the end of `chunk` (rounded up to a word) and returns its
// offset; offsets in it count from the start of `chunk`. A null root writes an
// empty map. An inner node with items of its own, more than 32767 nodes or more
// than 65535 atoms throws std::invalid_argument.
u32 OctreeAppend(std::vector<u8>& chunk, const OctreeNode* root);

}  // namespace discbuild
