// Octree chunks for the tests: random trees of nested spheres written by the
// octree writer, and raw node tables for trees the writer refuses to make.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Octree.h"
#include "tools/discbuild/OctreeWriter.h"

// A leaf as the brute-force checks see it.
struct OctreeLeaf {
    s_Vector3 centre;
    f32 radius;
    std::vector<u16> items;
};

// Every child lies inside its parent with room to spare, so a test on a leaf's own
// sphere decides what the walks report for it. Items are numbered in order.
class OctreeRandomTree {
public:
    explicit OctreeRandomTree(u32 seed) : rng_(seed) {}

    discbuild::OctreeNode Build(const s_Vector3& centre, f32 radius, s32 depth) {
        discbuild::OctreeNode node;
        node.center = {centre.x, centre.y, centre.z};
        node.radius = radius;
        const s32 children = depth > 0 ? std::uniform_int_distribution<s32>(0, 4)(rng_) : 0;
        for (s32 i = 0; i < children; ++i) {
            const f32 r = radius * Uniform(0.15f, 0.55f);
            const s_Vector3 dir = Direction();
            const f32 d = Uniform(0.0f, 0.9f * (radius - r));
            node.children.push_back(Build(
                {centre.x + dir.x * d, centre.y + dir.y * d, centre.z + dir.z * d, 0.0f}, r, depth - 1));
        }
        if (children == 0) {
            OctreeLeaf leaf{centre, radius, {}};
            for (s32 n = std::uniform_int_distribution<s32>(1, 3)(rng_); n > 0; --n)
                leaf.items.push_back(numItems++);
            node.items = leaf.items;
            leaves.push_back(leaf);
        }
        return node;
    }

    f32 Uniform(f32 lo, f32 hi) { return std::uniform_real_distribution<f32>(lo, hi)(rng_); }
    s_Vector3 Direction() {
        for (;;) {
            const s_Vector3 v = {Uniform(-1, 1), Uniform(-1, 1), Uniform(-1, 1), 0.0f};
            const f32 len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
            if (len > 0.1f && len <= 1.0f)
                return {v.x / len, v.y / len, v.z / len, 0.0f};
        }
    }

    std::vector<OctreeLeaf> leaves;
    u16 numItems = 0;

private:
    std::mt19937 rng_;
};

// A chunk holding one parsed map (8 bytes of something else in front of it).
struct OctreeChunk {
    std::vector<u8> bytes = std::vector<u8>(8, 0xEE);
    u32 offset = 0;
    s_octtree_map map{};

    bool Parse(u32 numItems) { return OctTreeParse(bytes, offset, numItems, &map); }
};

inline OctreeChunk OctreeWrite(const discbuild::OctreeNode* root) {
    OctreeChunk chunk;
    chunk.offset = discbuild::OctreeAppend(chunk.bytes, root);
    return chunk;
}

// A node as the file holds it, for trees the writer would not make.
struct OctreeRawNode {
    f32 x = 0, y = 0, z = 0, radius = 1;
    u16 numAtoms = 0, startAtom = 0;
    s16 child = -1, sibling = -1, parent = -1;
};

inline OctreeChunk OctreeWriteRaw(const std::vector<OctreeRawNode>& nodes, const std::vector<u16>& atoms) {
    OctreeChunk chunk;
    chunk.offset = u32(chunk.bytes.size());
    const u32 nodeList = chunk.offset + 16;
    const u32 atomList = nodeList + 32 * u32(nodes.size());
    chunk.bytes.resize(atomList + 2 * atoms.size());
    u8* out = chunk.bytes.data();
    StoreBE32(out + chunk.offset, u32(nodes.size()));
    StoreBE32(out + chunk.offset + 4, nodeList);
    StoreBE32(out + chunk.offset + 8, u32(atoms.size()));
    StoreBE32(out + chunk.offset + 12, atomList);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const OctreeRawNode& n = nodes[i];
        u8* p = out + nodeList + 32 * i;
        StoreBE32(p, std::bit_cast<u32>(n.x));
        StoreBE32(p + 4, std::bit_cast<u32>(n.y));
        StoreBE32(p + 8, std::bit_cast<u32>(n.z));
        StoreBE32(p + 16, std::bit_cast<u32>(n.radius));
        StoreBE16(p + 20, n.numAtoms);
        StoreBE16(p + 22, n.startAtom);
        StoreBE16(p + 24, u16(n.child));
        StoreBE16(p + 26, u16(n.sibling));
        StoreBE16(p + 28, u16(n.parent));
    }
    for (size_t i = 0; i < atoms.size(); ++i)
        StoreBE16(out + atomList + 2 * i, atoms[i]);
    return chunk;
}
