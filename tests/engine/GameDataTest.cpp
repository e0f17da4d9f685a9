#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/NamePtrTable.h"
#include "orblib47/source/Octree.h"
#include "tests/engine/GameDataFixture.h"
#include "tests/support/DamagedChunks.h"

namespace {

using namespace discbuild;
using ChunkBytes = std::vector<u8>;

GamPlaceholder Placeholder(const char* name, u32 type, u32 index) {
    GamPlaceholder placeholder;
    placeholder.name = name;
    placeholder.type = type;
    placeholder.index = index;
    placeholder.pos = {f32(index), 0, 0};
    return placeholder;
}

// Three instances, two placeholders named START, a path, an area, two connected
// grids and a graph whose nodes stand for placeholders.
GamLevel SampleLevel() {
    GamLevel level;
    level.pos = {1, 2, 3};
    level.instances = {GamTestInstance("LAMP", {0, 0, 0}, INSTANCE_TYPE_INSTANCE_SCENE_LIGHT),
                       GamTestInstance("CRATE", {2, 0, 0}, INSTANCE_TYPE_INSTANCE_OBJECT, 1),
                       GamTestInstance("GUARD", {4, 0, 0}, INSTANCE_TYPE_INSTANCE_OBJECT, 1)};
    level.placeholders = {Placeholder("START", PLACEHOLDER_TYPE_PLACEHOLDER_PLAYER_INIT, 1),
                          Placeholder("WAYPT", PLACEHOLDER_TYPE_PLACEHOLDER_WAYPOINT, 2),
                          Placeholder("START", PLACEHOLDER_TYPE_PLACEHOLDER_CAMERA_INIT, 3)};
    GamPath path;
    path.name = "ROUTE";
    path.flags = u_PATH_FLAGS::Closed;
    path.springFactor = 0.5f;
    path.points = {{{0, 0, 0}, {1, 0, 0}, 2.0f, {1, 2, 3, 4}}, {{2, 0, 0}, {-1, 0, 0}, 2.0f, {5, 6, 7, 8}}};
    level.paths = {path};
    level.areas = {{"ARENA", {0, 0, 5}, 3.0f, u_AREA_FLAGS::Stay_On_Circumference}};
    GamGrid floor;
    floor.name = "FLOOR";
    floor.sizeX = 3;
    floor.sizeZ = 2;
    floor.cells = {0, GRID_CELL_BLOCKED_ALWAYS, 0, GRID_CELL_HINDERED, 0, 0};
    floor.connections = {{5, 1, 0}};
    GamGrid roof;
    roof.name = "ROOF";
    roof.sizeX = roof.sizeZ = 1;
    roof.cells = {0};
    roof.connections = {{0, 0, 5}};
    level.grids = {floor, roof};
    level.graphs = {{"NAV", {{"START", {1, 2}}, {"WAYPT", {0}}, {"NOWHERE", {}}}}};
    return level;
}

u32 Word(const ChunkBytes& bytes, u32 at) {
    return LoadBE32(&bytes[at]);
}
void Put(ChunkBytes& bytes, u32 at, u32 value) {
    StoreBE32(&bytes[at], value);
}

// Where the sample's records lie, read from its offsets.
struct SampleLayout {
    explicit SampleLayout(const ChunkBytes& b)
        : instance0(Word(b, Word(b, 24))),
          placeholder0(Word(b, Word(b, 32))),
          path0(Word(b, 40)),
          grid0(Word(b, 56)),
          connection0(Word(b, grid0 + 52)),
          nodes(Word(b, Word(b, 64) + 20)),
          edges0(Word(b, nodes + 24)),
          atoms(Word(b, Word(b, 16) + 12)) {}
    u32 instance0, placeholder0, path0, grid0, connection0, nodes, edges0, atoms;
};

using GameDataTest = GameDataFixture;

TEST_F(GameDataTest, EveryListReadsBackAsWritten) {
    CGameData* game = Load(SampleLevel());
    ASSERT_NE(game, nullptr);
    const s_GAME_DATA& h = *game->m_Header;
    EXPECT_STREQ(game->m_Name, "LEVEL");
    EXPECT_EQ(h.pos.x, 1.0f);
    EXPECT_EQ(h.pos.z, 3.0f);

    ASSERT_EQ(game->m_InstanceList->GetNumInstances(), 3);
    const s_INSTANCE* guard = game->GetInstance(2);
    EXPECT_STREQ(guard->name, "GUARD");
    EXPECT_EQ(guard->type, INSTANCE_TYPE_INSTANCE_OBJECT);
    EXPECT_EQ(guard->groupId, INSTANCE_GROUP_ENEMY);
    EXPECT_EQ(guard->pos.x, 4.0f);
    EXPECT_EQ(guard->quat.w, 1.0f);
    ASSERT_NE(h.instanceHeader.octtree, nullptr);
    EXPECT_EQ(h.instanceHeader.octtree->NumBoneIndex, 3u);

    ASSERT_EQ(h.numPlaceHolder, 3);
    EXPECT_STREQ(h.placeHolderList[1].name, "WAYPT");
    EXPECT_EQ(h.placeHolderList[1].type, PLACEHOLDER_TYPE_PLACEHOLDER_WAYPOINT);
    EXPECT_EQ(h.placeHolderList[1].pos.x, 2.0f);

    ASSERT_EQ(h.numPaths, 1);
    const s_PATH& path = h.pathList[0];
    EXPECT_EQ(path.flags, u_PATH_FLAGS::Closed);
    ASSERT_EQ(path.count, 2u);
    EXPECT_EQ(path.points[1].pos.x, 2.0f);
    EXPECT_EQ(path.points[1].dir.x, -1.0f);
    EXPECT_EQ(path.points[1].length, 2.0f);
    EXPECT_EQ(path.pointData[1].values[3], 8u);

    EXPECT_EQ(h.areaList[0].center.z, 5.0f);
    EXPECT_EQ(h.areaList[0].radius, 3.0f);

    ASSERT_EQ(h.numGrids, 2);
    const s_GRID& floor = h.gridList[0];
    EXPECT_EQ(floor.sizeX, 3);
    EXPECT_EQ(floor.gridTable[1], GRID_CELL_BLOCKED_ALWAYS);
    ASSERT_EQ(floor.numConnections, 1);
    EXPECT_EQ(floor.connections[0].cell, 5u);
    EXPECT_EQ(floor.connections[0].targetGrid, 1u);

    const s_GRAPH& nav = h.graphList[0];
    ASSERT_EQ(nav.numNodes, 3u);
    ASSERT_EQ(nav.nodeList[0].numEdges, 2u);
    EXPECT_EQ(nav.nodeList[0].edgeList[1].targetNode, 2u);
    EXPECT_EQ(nav.nodeList[1].data, &h.placeHolderList[1]);

    // One name table for the four kinds, each name bound to its index in its own list.
    EXPECT_EQ(game->m_NameTable->GetValue("ROUTE"), 0);
    EXPECT_EQ(game->m_NameTable->GetValue("ARENA"), 0);
    EXPECT_EQ(game->m_NameTable->GetValue("ROOF"), 1);
    EXPECT_EQ(game->m_NameTable->GetValue("NAV"), 0);
    EXPECT_EQ(game->m_NameTable->GetValue("START"), CNamePtrTable::NOT_FOUND);
}

TEST_F(GameDataTest, AGraphNodeBindsTheEarlierOfTwoPlaceholdersAndNoneWithoutAMatch) {
    CGameData* game = Load(SampleLevel());
    ASSERT_NE(game, nullptr);
    const s_GAME_DATA& h = *game->m_Header;
    EXPECT_EQ(h.graphList[0].nodeList[0].data, &h.placeHolderList[0]);
    EXPECT_EQ(h.graphList[0].nodeList[2].data, nullptr);
}

TEST_F(GameDataTest, ANodeWithoutAPlaceholderIsNullWhateverTheFileHolds) {
    ChunkBytes chunk = GamPayload(SampleLevel());
    const SampleLayout at(chunk);
    Put(chunk, at.nodes + 2 * kGamGraphNodeSize + 16, 0x12345678u);
    CGameData* game = Load(chunk);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->m_Header->graphList[0].nodeList[2].data, nullptr);
}

TEST_F(GameDataTest, RunTimeSlotsOfInstancesStartEmpty) {
    ChunkBytes chunk = GamPayload(SampleLevel());
    const SampleLayout at(chunk);
    Put(chunk, at.instance0 + 48, u_INSTANCE_FLAGS::Active | u_INSTANCE_FLAGS::Force_Create);
    Put(chunk, at.instance0 + 52, 0xDEADBEEFu);
    CGameData* game = Load(chunk);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->GetInstance(0)->sysFlags, u_INSTANCE_FLAGS::Force_Create);
    EXPECT_EQ(game->GetInstance(0)->record, nullptr);
}

TEST_F(GameDataTest, AnEmptyChunkBuildsItsInstanceListAndAnEmptyNameTable) {
    CGameData* game = Load(GamLevel{});
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->m_InstanceList, nullptr);
    EXPECT_EQ(game->m_InstanceList->GetNumInstances(), 0);
    EXPECT_EQ(InstanceList, game->m_InstanceList);
    EXPECT_NE(InstanceListThreadPtr, nullptr);
    EXPECT_EQ(game->m_NameTable->GetValue("ROUTE"), CNamePtrTable::NOT_FOUND);
}

TEST_F(GameDataTest, ASharedLoadCountsReferencesAndTheLastFreeDestroys) {
    const ChunkBytes chunk = GamPayload(SampleLevel());
    CGameData* first = GameDataLoad("LEVEL", Image(chunk), u32(chunk.size()));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GameDataLoad("LEVEL", Image(chunk), u32(chunk.size())), first);
    EXPECT_EQ(RefCount("LEVEL", "GAM"), 2);
    GameDataFree(first);
    EXPECT_EQ(RefCount("LEVEL", "GAM"), 1);
    EXPECT_EQ(InstanceList, first->m_InstanceList);
    GameDataFree(first);
    EXPECT_EQ(DataFindEntry("LEVEL", "GAM"), nullptr);
    EXPECT_EQ(InstanceList, nullptr);
    EXPECT_EQ(InstanceListThreadPtr, nullptr);
    GameDataFree(nullptr);
}

TEST_F(GameDataTest, AnArchiveLoadsItsChunkThroughTheRegisteredType) {
    WadWriter wad;
    wad.Add(Chunk("LEVEL1", "GAM", GamPayload(SampleLevel())));
    Write("LEVEL1.WAD", wad);
    s_wad* loaded = WadLoad("LEVEL1.WAD", 0);
    ASSERT_NE(loaded, nullptr);
    auto* game = static_cast<CGameData*>(loaded->address);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->m_DataEntry, DataFindEntry("LEVEL1", "GAM"));
    EXPECT_STREQ(game->GetInstance(0)->name, "LAMP");
    WadFree(loaded);
    EXPECT_EQ(DataFindEntry("LEVEL1", "GAM"), nullptr);
}

TEST_F(GameDataTest, ANameOf32CharactersIsRefused) {
    const ChunkBytes chunk = GamPayload(GamLevel{});
    const std::string longName(MAX_LONG_NAME_SIZE, 'N');
    EXPECT_EQ(Load(chunk, longName.c_str()), nullptr);
    EXPECT_TRUE(report().contains("GameData name too long!!!\n"));
    EXPECT_NE(Load(chunk, std::string(MAX_LONG_NAME_SIZE - 1, 'N').c_str()), nullptr);
}

TEST_F(GameDataTest, ANameUsedTwiceKeepsItsFirstBinding) {
    GamLevel level = SampleLevel();
    level.areas[0].name = "ROOF";  // area 0, grid 1
    CGameData* game = Load(level);
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(report().contains("\"ROOF\" used twice"));
    EXPECT_EQ(game->m_NameTable->GetValue("ROOF"), 0);
}

struct Corruption {
    const char* what;
    std::function<void(ChunkBytes&, const SampleLayout&)> apply;
};

TEST_F(GameDataTest, BadChunksAreRefusedWithOneLine) {
    const Corruption cases[] = {
        {"truncated header", [](ChunkBytes& b, const SampleLayout&) { b.resize(kGamHeaderSize - 1); }},
        {"negative instance count", [](ChunkBytes& b, const SampleLayout&) { Put(b, 20, 0xFFFFFFFFu); }},
        {"instance table past the end",
         [](ChunkBytes& b, const SampleLayout&) { Put(b, 24, u32(b.size()) - 4); }},
        {"instance outside",
         [](ChunkBytes& b, const SampleLayout&) { Put(b, Word(b, 24), u32(b.size()) - 8); }},
        {"instance name outside",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.instance0 + 36, u32(b.size())); }},
        {"instance type",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.instance0 + 32, INSTANCE_TYPE_COUNT); }},
        {"group id 3", [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.instance0 + 44, 3); }},
        {"placeholder name",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.placeholder0, 0xFFFFFF00u); }},
        {"path count", [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.path0 + 20, 0x10000000u); }},
        {"path points past the end",
         [](ChunkBytes& b, const SampleLayout& at) {
             Put(b, at.path0 + 36, u32(b.size()) - kGamPathPointSize);
         }},
        {"path points misaligned",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.path0 + 36, Word(b, at.path0 + 36) + 2); }},
        {"path lists overlap",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.path0 + 40, Word(b, at.path0 + 36)); }},
        {"grid cells past the end",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.grid0 + 40, u32(b.size()) - 2); }},
        {"connection cell", [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.connection0, 6); }},
        {"connection target grid",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.connection0 + 4, 2); }},
        {"connection target cell",
         [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.connection0 + 8, 1); }},
        {"graph node count",
         [](ChunkBytes& b, const SampleLayout&) { Put(b, Word(b, 64) + 16, 0x01000000u); }},
        {"edge target", [](ChunkBytes& b, const SampleLayout& at) { Put(b, at.edges0, 3); }},
        {"octree item", [](ChunkBytes& b, const SampleLayout& at) { StoreBE16(&b[at.atoms], 3); }},
        {"octree outside", [](ChunkBytes& b, const SampleLayout&) { Put(b, 16, u32(b.size())); }},
    };
    const ChunkBytes good = GamPayload(SampleLevel());
    const SampleLayout at(good);
    for (const Corruption& c : cases) {
        SCOPED_TRACE(c.what);
        ChunkBytes bad = good;
        c.apply(bad, at);
        report_->clear();
        EXPECT_EQ(Load(bad), nullptr);
        EXPECT_TRUE(report().contains("GameDataLoad: LEVEL: bad GAM chunk")) << report().text();
        EXPECT_EQ(InUse(), before_);
        EXPECT_EQ(InstanceList, nullptr);
    }
}

TEST_F(GameDataTest, TruncatedAndMutatedChunksNeverCrashOrLeak) {
    const ChunkBytes good = GamPayload(SampleLevel());
    for (const ChunkBytes& cut : Truncations(good, 1, 1))
        GameDataFree(GameDataLoad("CUT", Image(cut), u32(cut.size())));
    for (const ChunkBytes& bad : Mutations(good, 400, 13)) {
        CGameData* game = GameDataLoad("MUTANT", Image(bad), u32(bad.size()));
        if (game != nullptr) {
            for (s32 i = 0; i < game->m_InstanceList->GetNumInstances(); ++i)
                ASSERT_LT(game->GetInstance(u32(i))->groupId, INSTANCE_GROUP_COUNT);
        }
        GameDataFree(game);
    }
    EXPECT_EQ(InUse(), before_);
}

}  // namespace
