// Loading worlds: the writer's chunk parsed into native order, shared by name,
// current until freed, and bad chunks refused with one line and no leak.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WorldInternal.h"
#include "tests/engine/DataFixture.h"
#include "tests/support/DamagedChunks.h"
#include "tools/discbuild/WrlWriter.h"

namespace {

using namespace discbuild;
using Bytes = std::vector<u8>;

// Header fields by offset.
constexpr u32 kNumAtom = 4, kAtomList = 8, kOctTree = 12, kName = 16;

WrlWorld TwoAtoms() {
    WrlWorld world;
    world.name = "ALLEY";
    for (u32 i = 0; i < 2; ++i) {
        WrlAtom atom;
        atom.matrix.element[3] = f32(i) + 0.5f;
        atom.center = {f32(i), 2.0f, -3.0f};
        atom.groupId = 40 + i;
        atom.flags = 0x80000000u >> i;
        world.atoms.push_back(atom);
    }
    const auto leaf = [](u16 item) { return OctreeNode{{f32(item), 0, 0}, 1.0f, 0, {item}, {}}; };
    world.octTree = OctreeNode{{0.5f, 0, 0}, 4.0f, 0, {}, {leaf(0), leaf(1)}};
    return world;
}

class WorldTest : public LeakCheckedFixture {
protected:
    static s_world* Load(const char* name, const Bytes& chunk) {
        return WorldLoad(name, Image(chunk), u32(chunk.size()));
    }
};

TEST_F(WorldTest, AtomsOctreeAndNameLoadInNativeOrder) {
    Bytes chunk = WrlPayload(TwoAtoms());
    StoreBE32(&chunk[0], 0xDEADBEEFu);                       // run-time slot
    StoreBE32(&chunk[LoadBE32(&chunk[kAtomList]) + 84], 5);  // prevModel
    s_world* world = Load("ALLEY", chunk);
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(WorldGetWorld(), world);
    EXPECT_NE(world->dataEntry, nullptr);
    EXPECT_STREQ(world->name, "ALLEY");
    ASSERT_EQ(world->numAtom, 2);
    for (s32 i = 0; i < 2; ++i) {
        const s_world_atom& atom = world->atomList[i];
        EXPECT_EQ(atom.matrix.element[0], 1.0f);
        EXPECT_EQ(atom.matrix.element[3], f32(i) + 0.5f);
        EXPECT_EQ(atom.center.x, f32(i));
        EXPECT_EQ(atom.center.z, -3.0f);
        EXPECT_EQ(atom.groupId, 40u + u32(i));
        EXPECT_EQ(atom.prevModel, -1);
        EXPECT_EQ(atom.flags, 0x80000000u >> i);
    }
    ASSERT_EQ(world->octTree->NumNodes, 3u);
    EXPECT_EQ(world->octTree->Nodes[0].ChildId, 1);
    EXPECT_EQ(world->octTree->Nodes[2].Center.x, 1.0f);
    ASSERT_EQ(world->octTree->NumBoneIndex, 2u);
    EXPECT_EQ(world->octTree->BoneIndex[1], 1u);
    WorldFree(world);
    EXPECT_EQ(WorldGetWorld(), nullptr);
}

TEST_F(WorldTest, SharedByNameAndFreedWithTheLastReference) {
    const Bytes chunk = WrlPayload(TwoAtoms());
    s_world* first = Load("ALLEY", chunk);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Load("ALLEY", chunk), first);  // the second image is freed
    EXPECT_EQ(WorldLoad("ALLEY", nullptr, 0), first);
    EXPECT_EQ(first->dataEntry->refCount, 3);
    WorldFree(first);
    WorldFree(first);
    EXPECT_EQ(WorldGetWorld(), first);
    EXPECT_NE(WorldDrawList, nullptr);
    WorldFree(first);
    EXPECT_EQ(WorldGetWorld(), nullptr);
    EXPECT_EQ(WorldDrawList, nullptr);
    EXPECT_EQ(DataFindEntry("ALLEY", "WRL"), nullptr);
    WorldFree(nullptr);
    EXPECT_EQ(WorldLoad("ALLEY", nullptr, 0), nullptr);
}

TEST_F(WorldTest, TheLatestWorldIsCurrentAndAnEarlierOneFreedLeavesIt) {
    const Bytes chunk = WrlPayload(TwoAtoms());
    s_world* first = Load("ONE", chunk);
    s_world* second = Load("TWO", chunk);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WorldGetWorld(), second);
    WorldFree(first);
    EXPECT_EQ(WorldGetWorld(), second);
    EXPECT_NE(WorldDrawList, nullptr);
    WorldFree(second);
    EXPECT_EQ(WorldGetWorld(), nullptr);
}

TEST_F(WorldTest, ArchivesHandWrlChunksToTheWorldLoader) {
    // Built in, so the engine's resets leave the user table a slot for the game.
    EXPECT_FALSE(report().contains("WAD: User Type Table Full\n"));
    const Bytes chunk = WrlPayload(TwoAtoms());
    s_wad_header header{"ALLEY", "WRL", u32(chunk.size()), 0, 0, 0};
    s_wad* record = WadLoadData(&header, Image(chunk));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->address, WorldGetWorld());
    EXPECT_NE(record->address, nullptr);
    WadFreeData(record);
    EXPECT_EQ(WorldGetWorld(), nullptr);
}

TEST_F(WorldTest, AnEmptyWorldLoads) {
    WrlWorld empty;
    empty.name = "VOID";
    s_world* world = Load("VOID", WrlPayload(empty));
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->numAtom, 0);
    EXPECT_EQ(world->octTree->NumNodes, 0u);
    WorldFree(world);
}

TEST_F(WorldTest, BadChunksAreRefusedWithOneReason) {
    const Bytes good = WrlPayload(TwoAtoms());
    const u32 atoms = LoadBE32(&good[kAtomList]);
    const u32 map = LoadBE32(&good[kOctTree]);
    const u32 nodes = LoadBE32(&good[map + 4]);
    const u32 items = LoadBE32(&good[map + 12]);
    const u32 name = LoadBE32(&good[kName]);
    struct Case {
        const char* why;
        u32 at;
        u32 value;
        u32 width;  // 0: cut the chunk to `at` bytes
    } cases[] = {
        {"truncated header", 19, 0, 0},
        {"atoms", kNumAtom, 0xFFFFFFFFu, 4},
        {"atoms", kNumAtom, 0x02000000u, 4},
        {"atoms", kAtomList, u32(good.size()) - 96, 4},
        {"atoms", kAtomList, atoms + 2, 4},
        {"name", kName, u32(good.size()), 4},
        {"name", name + 5, 0, 0},  // the name runs off the end
        {"octree", kOctTree, u32(good.size()) - 8, 4},
        {"octree", items + 2, 2, 2},  // an atom past the list
        {"octree", nodes + 32 + 28, 2, 2},
        {"lists overlap", kAtomList, u32(good.size()) - 2 * 96 - 4, 4},  // over the nodes
        {"lists overlap", kName, atoms + 4, 4},                          // a zero word of the first matrix
        {"lists overlap", kName, items, 4},
    };
    ASSERT_EQ(good[name + 5], 0);
    ASSERT_LT(u32(good.size()) - 2 * 96 - 4, nodes);
    for (const Case& c : cases) {
        Bytes chunk = good;
        if (c.width == 4)
            StoreBE32(&chunk[c.at], c.value);
        else if (c.width == 2)
            StoreBE16(&chunk[c.at], u16(c.value));
        else
            chunk.resize(c.at);
        report_->clear();
        EXPECT_EQ(Load("BAD", chunk), nullptr) << c.why;
        EXPECT_TRUE(report().contains(std::string("WorldLoad: BAD: bad WRL chunk (") + c.why + ")\n"))
            << c.why << "\n"
            << report().text();
        EXPECT_EQ(DataFindEntry("BAD", "WRL"), nullptr);
        EXPECT_EQ(WorldGetWorld(), nullptr);
    }
}

TEST_F(WorldTest, TruncatedAndMutatedChunksLoadSoundlyOrNotAtAll) {
    const Bytes good = WrlPayload(TwoAtoms());
    for (const Bytes& chunk : Truncations(good))
        WorldFree(Load("CUT", chunk));
    for (const Bytes& chunk : Mutations(good, 2000, 13))
        WorldFree(Load("MUTANT", chunk));
}

}  // namespace
