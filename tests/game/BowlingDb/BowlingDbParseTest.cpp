// The compiled sample tables load into every table global with the derived
// counts; a damaged or inconsistent image is refused with one line and leaves
// the tables already loaded as they were.
#include <gmock/gmock.h>

#include <bit>
#include <cstring>
#include <string>

#include "orblib47/source/Heap.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "tests/game/BowlingDb/DbTestTables.h"
#include "tests/support/DamagedChunks.h"
#include "tests/support/GameFixture.h"

namespace {

class BowlingDbParseTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        image_ = tables_.Compile();
    }
    void TearDown() override {
        BowlingDbFree();
        GameFixture::TearDown();
    }

    // Loads the good image, then offers `image`: true when it was refused with a
    // message and the good tables stayed.
    bool RefusedKeepingTables(const std::vector<u8>& image, std::string* error) {
        EXPECT_TRUE(BowlingDbParse(image_.data(), u32(image_.size()), nullptr));
        const s_DBItem* items = ItemsList;
        const u32 heapAvail = HeapAvail(&MainHeap);
        if (BowlingDbParse(image.data(), u32(image.size()), error))
            return false;
        EXPECT_FALSE(error->empty());
        EXPECT_EQ(error->find('\n'), std::string::npos);
        EXPECT_EQ(HeapAvail(&MainHeap), heapAvail) << *error;
        return ItemsList == items && uDBItemCount == 9 && std::strcmp(ItemsList[1].m_Name, "Comet") == 0;
    }

    DbTestTables tables_;
    std::vector<u8> image_;
};

// One field of every record kind, and the counts the loader derives.
TEST_F(BowlingDbParseTest, EveryTableRoundTrips) {
    ASSERT_TRUE(BowlingDbParse(image_.data(), u32(image_.size()), nullptr));

    ASSERT_EQ(uDBItemCount, 9u);
    const s_DBItem& guard = ItemsList[6];
    EXPECT_STREQ(guard.m_Name, "Wrist Guard");
    EXPECT_EQ(guard.m_Index, 30);
    EXPECT_EQ(guard.e_EquipType, EQUIP_TYPE_ACC);
    EXPECT_EQ(guard.m_Bonus[0].m_Attrib, DB_ATTRIB_ACCURACY);
    EXPECT_EQ(guard.m_Bonus[1].m_Amount, -1);
    EXPECT_EQ(ItemsList[4].m_Price, 0x80u);
    EXPECT_STREQ(ItemsList[5].m_Description, "");
    // Per-gender counts, the accessories counting the glasses but not the cap.
    const u32 counts[] = {uDBBallCount,   uDBMShirtCount, uDBFShirtCount, uDBMShoesCount,
                          uDBFShoesCount, uDBMAccCount,   uDBFAccCount};
    EXPECT_THAT(counts, testing::ElementsAre(2, 1, 1, 1, 1, 2, 1));

    const s_DBBallInfo& comet = BallInfosList[1];
    EXPECT_STREQ(comet.m_Oil, "Heavy");
    EXPECT_EQ(comet.m_Friction, 0.18);
    EXPECT_EQ(comet.m_AbsorbRate, 40);
    EXPECT_EQ(BallInfosList[DB_ITEM_COUNT - 1].m_FactoryFinish, nullptr);

    ASSERT_EQ(uDBQPBowlerCount, 2u);
    const s_DBQPBowler& ada = qpBowlersList[0];
    EXPECT_STREQ(ada.m_LastName, "Lane");
    EXPECT_EQ(ada.m_Look.m_uGender, 1u);
    EXPECT_EQ(ada.m_Look.m_iFacialHair, -1);
    EXPECT_EQ(ada.m_uPrimaryBall, 1);
    EXPECT_EQ(qpBowlersList[1].m_Look.m_uShoes, 1u);

    ASSERT_EQ(uDBBowlerCount, 10u);
    EXPECT_EQ(bowlersList[9].m_uLeague, 5u);
    EXPECT_EQ(bowlersList[9].m_uAverage, 200u);
    ASSERT_EQ(RivalCount, 2u);
    EXPECT_EQ(RivalList[1].m_LossReputationPenalty, -5);

    ASSERT_EQ(TournamentCount, 4u);
    EXPECT_STREQ(TournamentList[2].sTournName, "Masters");
    EXPECT_EQ(TournamentList[3].ThirdPlacePay, 10000u);

    // The file lists the pro league first; the blocks come out in league order.
    const u32 weeks[] = {BeginnerLeagueSeasonCount, IntermediateLeagueSeasonCount, AdvancedLeagueSeasonCount,
                         ExpertLeagueSeasonCount, ProLeagueSeasonCount};
    EXPECT_THAT(weeks, testing::ElementsAre(36, 36, 36, 36, 6));
    EXPECT_EQ(LeagueSeasonList[9 * 3 + 4].TournID, 2);  // week 5 of the fourth season
    EXPECT_EQ(LeagueSeasonList[144 + 5].TournID, 37);

    ASSERT_EQ(AmateurLeagueCount, 5u);
    EXPECT_STREQ(AmateurLeagueList[4].sLeagueName, "Pro Tour");

    ASSERT_EQ(uDBOilPatternCount, 2u);
    EXPECT_STREQ(dbOilPatternList[1].m_ProTweener, "Left");
    EXPECT_EQ(dbOilPatternList[1].m_Length, 32.5f);

    const s_ShellLight* menus = GetShellLight(eShellLightUsage_SelectBowler);
    ASSERT_NE(menus, nullptr);
    EXPECT_EQ(menus->Count, 2u);
    EXPECT_EQ(menus->Lights[0].direction.z, 0.5f);
    EXPECT_EQ(menus->Lights[3].diffuse.x, 0.0f);
    EXPECT_EQ(GetShellLight(eShellLightUsage_CreateACharacter), nullptr);

    // Men's entries first, each gender in file order.
    EXPECT_EQ(uMaleBowlingTexCount, 2u);
    EXPECT_EQ(FemaleBowlingShirtList[0].m_bCAConly, 1u);
    EXPECT_EQ(FemaleShoeList[1].m_bCAConly, 0u);
    EXPECT_EQ(uFacialHairModelCount, 16u);
}

// The house pattern: 40 feet, the last 10 tapering; boards 15..23 carry the
// centre oil, three dry boards at each gutter. The short one: 32.5 feet, no taper.
TEST_F(BowlingDbParseTest, OilGridsFollowTheRecipe) {
    ASSERT_TRUE(BowlingDbParse(image_.data(), u32(image_.size()), nullptr));
    const auto& house = dbOilPatternList[0].m_Grid;
    const auto& shortPattern = dbOilPatternList[1].m_Grid;
    struct Cell {
        const u16 (*grid)[DB_OIL_BOARDS];
        u32 row, board, oil;
    };
    const Cell cells[] = {
        {house, 0, 15, 4096}, {house, 0, 23, 4096},        {house, 0, 14, 1024},      {house, 0, 3, 1024},
        {house, 0, 2, 0},     {house, 0, 36, 0},           {house, 29, 19, 4096},     {house, 30, 19, 3891},
        {house, 40, 19, 0},   {shortPattern, 31, 0, 8192}, {shortPattern, 32, 19, 0},
    };
    for (const Cell& cell : cells)
        EXPECT_EQ(cell.grid[cell.row][cell.board], cell.oil) << "row " << cell.row << " board " << cell.board;
}

TEST_F(BowlingDbParseTest, EveryTruncationIsRefused) {
    std::string error;
    for (const std::vector<u8>& cut : Truncations(image_, 7))
        ASSERT_TRUE(RefusedKeepingTables(cut, &error)) << cut.size() << " bytes";
    EXPECT_FALSE(BowlingDbParse(nullptr, 0, &error));
}

TEST_F(BowlingDbParseTest, FlippedBitsLoadWholeOrNotAtAll) {
    u32 refused = 0;
    for (const std::vector<u8>& damaged : Mutations(image_, 400, 15)) {
        std::string error;
        if (RefusedKeepingTables(damaged, &error))
            ++refused;
        else
            ASSERT_TRUE(error.empty()) << error;  // a flip in a text or a free number
    }
    EXPECT_GT(refused, 100u);
}

// A fault of the block structure, or one the compiler would never write: patched
// into the good image at a block header or a record word.
TEST_F(BowlingDbParseTest, DamagedImagesAreRefusedWithTheirFault) {
    struct Case {
        const char* fault;
        e_DbBlockId block;
        s32 record;  // -1: the block header
        u32 word;
        u32 value;
    };
    const Case cases[] = {
        {"items: block repeated", DB_BLOCK_BALLS, -1, 0, DB_BLOCK_ITEMS},
        {"block 4: unknown block id 99", DB_BLOCK_RIVALS, -1, 0, 99},
        {"items: records of 52 bytes, want 48", DB_BLOCK_ITEMS, -1, 2, 52},
        {"items: records and pool do not fill the block", DB_BLOCK_ITEMS, -1, 1, 0x40000000},
        {"leagues: records and pool do not fill the block", DB_BLOCK_LEAGUES, -1, 5, 0xFFFFFFF0},
        {"items record 0: text outside the pool", DB_BLOCK_ITEMS, 0, 0, 0xFFFF},
        {"items record 0: m_Index 175 out of range", DB_BLOCK_ITEMS, 0, 3, 175},
        {"items record 1: m_Index 0 repeated", DB_BLOCK_ITEMS, 1, 3, 0},
        {"items record 0: e_EquipType 6 out of range", DB_BLOCK_ITEMS, 0, 7, 6},
        {"items record 3: bonus 6 out of range", DB_BLOCK_ITEMS, 3, 10, 6},
        {"ball item 10 has no ball row", DB_BLOCK_ITEMS, 2, 7, EQUIP_TYPE_BALL},
        {"balls record 1: m_Index 10 is no ball item", DB_BLOCK_BALLS, 1, 0, 10},
        {"balls record 1: m_Index 0 repeated", DB_BLOCK_BALLS, 1, 0, 0},
        {"rivals record 0: m_ID 99 is no bowler", DB_BLOCK_RIVALS, 0, 0, 99},
        {"rivals: m_ID 9 repeated", DB_BLOCK_RIVALS, 0, 0, 9},
        {"seasons record 0: TournID 99 is no tournament", DB_BLOCK_SEASONS, 0, 3, 99},
        {"seasons record 0: season 0 week 2, want season 0 week 1", DB_BLOCK_SEASONS, 0, 2, 2},
        {"seasons record 37: league 2 out of order", DB_BLOCK_SEASONS, 36, 0, 3},
        {"tournaments: ID 35 repeated", DB_BLOCK_TOURNAMENTS, 3, 0, 35},
        {"bowlers record 0: m_ID 0 out of range", DB_BLOCK_BOWLERS, 0, 0, 0},
        {"bowlers record 2: m_uHand out of range", DB_BLOCK_BOWLERS, 2, 3, 2},
        {"bowlers record 2: skill out of range", DB_BLOCK_BOWLERS, 2, 6, 101},
        {"bowlers record 1: m_uLeague out of range", DB_BLOCK_BOWLERS, 1, 23, 6},
        {"quick-play bowlers record 0: ball 10 is no ball item", DB_BLOCK_QPBOWLERS, 0, 22, 10},
        {"quick-play bowlers record 1: appearance out of range", DB_BLOCK_QPBOWLERS, 1, 15, 0xFFFFFFFE},
        {"oil patterns record 0: m_Length out of range", DB_BLOCK_OILPATTERNS, 0, 14,
         std::bit_cast<u32>(60.0f)},
        {"oil patterns record 0: m_Length out of range", DB_BLOCK_OILPATTERNS, 0, 14, 0x7FC00000},
        {"oil patterns record 1: taper_feet out of range", DB_BLOCK_OILPATTERNS, 1, 19,
         std::bit_cast<u32>(33.0f)},
        {"shell lights record 0: Count 5 above 4 lights", DB_BLOCK_SHELLLIGHTS, 0, 1, 5},
        {"shell lights record 1: Usage 0 repeated", DB_BLOCK_SHELLLIGHTS, 1, 0, 0},
        {"create-a-bowler list: gender or m_bCAConly out of range", DB_BLOCK_CACSHOES, 2, 0, 2},
        {"leagues record 1: averages out of range", DB_BLOCK_LEAGUES, 1, 2, 171},
    };
    for (const Case& c : cases) {
        std::vector<u8> image = image_;
        const u32 at = c.record < 0 ? DbBlockHeader(image, c.block) + c.word * 4
                                    : DbRecordWord(image, c.block, u32(c.record), c.word);
        StoreBE32(&image[at], c.value);
        std::string error;
        ASSERT_TRUE(RefusedKeepingTables(image, &error)) << c.fault;
        EXPECT_EQ(error, c.fault);
    }
}

TEST_F(BowlingDbParseTest, FileHeaderFaults) {
    struct Case {
        u32 offset, value;
        const char* fault;
    };
    const Case cases[] = {
        {0, 0x12345678, "not a database file"},
        {4, 2, "version 2, want 1"},
        {8, DB_BLOCK_COUNT - 1, "13 blocks, want 14"},
        {12, 16, "file header gives 16 bytes"},
    };
    for (const Case& c : cases) {
        std::vector<u8> image = image_;
        StoreBE32(&image[c.offset], c.value);
        std::string error;
        ASSERT_TRUE(RefusedKeepingTables(image, &error)) << c.fault;
        EXPECT_EQ(error.rfind(c.fault, 0), 0u) << error;
    }
    // A string pool whose last text lost its terminator.
    std::vector<u8> image = image_;
    const u32 itemsEnd =
        DbBlockHeader(image, DB_BLOCK_ITEMS) + LoadBE32(&image[DbBlockHeader(image, DB_BLOCK_ITEMS) + 12]);
    image[itemsEnd - 1] = 'x';
    std::string error;
    EXPECT_TRUE(RefusedKeepingTables(image, &error));
    EXPECT_NE(error.find("text outside the pool"), std::string::npos) << error;
}

// Each oil-pattern record grows to a grid in memory: a file of many makes tables
// larger than the heap, refused before any record is read.
TEST_F(BowlingDbParseTest, TablesBeyondTheHeapAreRefused) {
    constexpr u32 kPatterns = 6000;
    std::vector<u8> image = image_;
    const u32 header = DbBlockHeader(image, DB_BLOCK_OILPATTERNS);
    const u32 count = LoadBE32(&image[header + 4]);
    const u32 added = (kPatterns - count) * DbRecordSize[DB_BLOCK_OILPATTERNS];
    image.insert(image.begin() + header + LoadBE32(&image[header + 16]), added, 0);
    StoreBE32(&image[header + 4], kPatterns);
    for (u32 field : {12u, 16u})
        StoreBE32(&image[header + field], LoadBE32(&image[header + field]) + added);
    StoreBE32(&image[12], u32(image.size()));
    std::string error;
    ASSERT_TRUE(RefusedKeepingTables(image, &error));
    EXPECT_EQ(error.rfind("out of memory for", 0), 0u) << error;
}

TEST_F(BowlingDbParseTest, FreeEmptiesEveryTable) {
    ASSERT_TRUE(BowlingDbParse(image_.data(), u32(image_.size()), nullptr));
    BowlingDbFree();
    EXPECT_EQ(ItemsList, nullptr);
    EXPECT_EQ(uDBMAccCount, 0u);
    EXPECT_EQ(ProLeagueSeasonCount, 0u);
    EXPECT_EQ(GetShellLight(eShellLightUsage_SelectBowler), nullptr);
}

}  // namespace
