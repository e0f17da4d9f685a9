#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "orblib47/source/Octree.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/OctreeBuilder.h"

namespace {

class OctreeParseTest : public EngineFixture {};

// Root 0 with children 1 and 2; node 1 with child 3. Atoms: 3 under node 1, one
// under node 2.
std::vector<OctreeRawNode> GoodNodes() {
    return {{0, 0, 0, 10, 4, 0, 1, -1, -1},
            {-3, 0, 0, 5, 3, 0, 3, 2, 0},
            {3, 0, 0, 5, 1, 3, -1, -1, 0},
            {-3, 0, 0, 2, 3, 0, -1, -1, 1}};
}
const std::vector<u16> kGoodAtoms = {0, 1, 2, 3};

TEST_F(OctreeParseTest, AGoodTreeIsCheckedWithoutWritingThenSwappedInPlace) {
    OctreeChunk chunk = OctreeWriteRaw(GoodNodes(), kGoodAtoms);
    const std::vector<u8> before = chunk.bytes;
    ASSERT_TRUE(OctTreeCheck(chunk.bytes, chunk.offset, 4, &chunk.map));
    EXPECT_EQ(chunk.bytes, before);
    OctTreeSwap(chunk.map);
    const s_octtree_map& map = chunk.map;
    EXPECT_EQ(map.NumNodes, 4u);
    EXPECT_EQ(map.NumBoneIndex, 4u);
    EXPECT_EQ(reinterpret_cast<const u8*>(map.Nodes), chunk.bytes.data() + chunk.offset + 16);
    EXPECT_EQ(map.Nodes[1].Center.x, -3.0f);
    EXPECT_EQ(map.Nodes[1].Radius, 5.0f);
    EXPECT_EQ(map.Nodes[2].StartAtomId, 3);
    EXPECT_EQ(map.Nodes[1].SiblingId, 2);
    EXPECT_EQ(map.Nodes[3].ParentId, 1);
    EXPECT_EQ(map.BoneIndex[3], 3);
}

struct Fault {
    const char* name;
    std::function<void(std::vector<OctreeRawNode>&, std::vector<u16>&)> mutate;
    const char* message;
};

TEST_F(OctreeParseTest, BadTreesAreRefusedUntouched) {
    using N = std::vector<OctreeRawNode>;
    using A = std::vector<u16>;
    const Fault faults[] = {
        {"child past the nodes", [](N& n, A&) { n[1].child = 4; }, "node id out of range"},
        {"negative id", [](N& n, A&) { n[2].sibling = -2; }, "node id out of range"},
        {"parent past the nodes", [](N& n, A&) { n[3].parent = 9; }, "node id out of range"},
        {"sibling cycle", [](N& n, A&) { n[2].sibling = 1; }, "node reachable twice"},
        {"child is an ancestor", [](N& n, A&) { n[3].child = 0; }, "node reachable twice"},
        {"child listed twice", [](N& n, A&) { n[3].child = 2; }, "node reachable twice"},
        {"a node its own child", [](N& n, A&) { n[3].child = 3; }, "node reachable twice"},
        {"parent id of another node", [](N& n, A&) { n[3].parent = 0; }, "parent id differs"},
        {"root with a parent", [](N& n, A&) { n[0].parent = 1; }, "parent id differs"},
        {"atoms past the list", [](N& n, A&) { n[2].numAtoms = 2; }, "atom range past the atoms"},
        {"child atoms outside the parent's", [](N& n, A&) { n[1].numAtoms = 2; },
         "atoms outside the parent's range"},
        {"item past the items", [](N&, A& a) { a[2] = 4; }, "item number out of range"},
    };
    for (const Fault& fault : faults) {
        N nodes = GoodNodes();
        A atoms = kGoodAtoms;
        fault.mutate(nodes, atoms);
        OctreeChunk chunk = OctreeWriteRaw(nodes, atoms);
        const std::vector<u8> before = chunk.bytes;
        EXPECT_FALSE(chunk.Parse(4)) << fault.name;
        EXPECT_EQ(chunk.bytes, before) << fault.name;
        EXPECT_TRUE(report().contains(std::string("OCTTREE: bad octree (") + fault.message)) << fault.name;
    }
}

TEST_F(OctreeParseTest, MapsOutsideTheChunkAreRefused) {
    const auto mutated = [](u32 at, u32 value) {
        OctreeChunk chunk = OctreeWriteRaw(GoodNodes(), kGoodAtoms);
        StoreBE32(&chunk.bytes[chunk.offset + at], value);
        return chunk;
    };
    struct {
        const char* name;
        OctreeChunk chunk;
        const char* message;
    } cases[] = {
        {"node count past the chunk", mutated(0, 0x08000001u), "nodes outside the chunk"},
        {"nodes past the chunk", mutated(4, 0xFFFFFFF0u), "nodes outside the chunk"},
        {"atom count past the chunk", mutated(8, 0x80000001u), "atoms outside the chunk"},
        {"nodes off a word", mutated(4, 8 + 16 + 2), "arrays not aligned"},
        {"atoms inside the nodes", mutated(12, 8 + 16 + 32), "nodes and atoms overlap"},
    };
    for (auto& c : cases) {
        EXPECT_FALSE(c.chunk.Parse(4)) << c.name;
        EXPECT_TRUE(report().contains(std::string("OCTTREE: bad octree (") + c.message)) << c.name;
    }
    OctreeChunk chunk = OctreeWriteRaw(GoodNodes(), kGoodAtoms);
    EXPECT_FALSE(OctTreeParse(chunk.bytes, u32(chunk.bytes.size()) - 15, 4, &chunk.map));
    EXPECT_TRUE(report().contains("OCTTREE: bad octree (map outside the chunk)"));
}

// Every walk, checking that each item it reports is one of the map's.
void WalkAll(const s_octtree_map& map, u32 numItems) {
    u32 limit = numItems;
    auto check = [](s32 item, void* data, s32, const s_octtree_node*) {
        EXPECT_TRUE(item == -1 || (item >= 0 && u32(item) < *static_cast<u32*>(data))) << item;
    };
    OctTreeFrustum(&map, check, &limit);
    const s_Matrix4 matrix = IDMatrix4;
    OctTreeFrustumMatrix(&map, &matrix, check, &limit);
    OctTreeFrustumFar(&map, check, &limit, 30.0f, 1.0f);
    const s_Vector3 pos = {0, 0, -20, 0};
    OctTreeSphere(&map, &pos, 15.0f, check, &limit);
}

// Truncated and mutated random trees: refused, or walked within their items.
TEST_F(OctreeParseTest, TruncatedAndMutatedTreesAreRefusedOrWalkedSafely) {
    std::mt19937 rng(12);
    u32 parsed = 0, refused = 0;
    for (u32 seed = 1; seed <= 8; ++seed) {
        OctreeRandomTree random(seed);
        const discbuild::OctreeNode root = random.Build({0, 0, -20, 0}, 15.0f, 3);
        const OctreeChunk good = OctreeWrite(&root);
        for (u32 size = 0; size < good.bytes.size(); size += 7) {
            OctreeChunk chunk = good;
            chunk.bytes.resize(size);
            EXPECT_FALSE(chunk.Parse(random.numItems));
        }
        for (u32 m = 0; m < 300; ++m) {
            OctreeChunk chunk = good;
            for (s32 flips = std::uniform_int_distribution<s32>(1, 3)(rng); flips > 0; --flips) {
                const size_t at = std::uniform_int_distribution<size_t>(0, chunk.bytes.size() - 1)(rng);
                chunk.bytes[at] ^= u8(1u << std::uniform_int_distribution<s32>(0, 7)(rng));
            }
            if (chunk.Parse(random.numItems)) {
                ++parsed;
                WalkAll(chunk.map, random.numItems);
            } else {
                ++refused;
            }
        }
    }
    EXPECT_GT(parsed, 0u);
    EXPECT_GT(refused, 0u);
}

}  // namespace
