// The test database is self-consistent, and removing it gives the previous tables back.
#include <gtest/gtest.h>

#include "tests/game/Career/TestBowlingDb.h"

namespace {

bool TournamentExists(s32 id) {
    for (u32 i = 0; i < TournamentCount; ++i)
        if (TournamentList[i].ID == id)
            return true;
    return false;
}

bool BallExists(s32 index) {
    for (u32 i = 0; i < uDBItemCount; ++i)
        if (ItemsList[i].m_Index == index)
            return ItemsList[i].e_EquipType == EQUIP_TYPE_BALL;
    return false;
}

TEST(TestBowlingDb, TablesAreConsistent) {
    InstallTestBowlingDb();
    u32 perGender[2][EQUIP_TYPE_COUNT] = {};
    u32 balls = 0;
    for (u32 i = 0; i < uDBItemCount; ++i) {
        const s_DBItem& item = ItemsList[i];
        EXPECT_EQ(item.m_Index, s32(i));
        if (item.e_EquipType == EQUIP_TYPE_BALL) {
            ++balls;
            EXPECT_NE(BallInfosList[item.m_Index].m_CoverStock, nullptr) << i;
        } else {
            ++perGender[item.m_Male ? 0 : 1][item.e_EquipType];
        }
    }
    EXPECT_EQ(balls, uDBBallCount);
    EXPECT_EQ(perGender[0][EQUIP_TYPE_SHIRT], uDBMShirtCount);
    EXPECT_EQ(perGender[1][EQUIP_TYPE_SHIRT], uDBFShirtCount);
    EXPECT_EQ(perGender[0][EQUIP_TYPE_SHOES], uDBMShoesCount);
    EXPECT_EQ(perGender[1][EQUIP_TYPE_SHOES], uDBFShoesCount);
    for (u32 g = 0; g < 2; ++g)
        EXPECT_EQ(
            perGender[g][EQUIP_TYPE_ACC] + perGender[g][EQUIP_TYPE_HAT] + perGender[g][EQUIP_TYPE_GLASSES],
            g == 0 ? uDBMAccCount : uDBFAccCount);

    u32 rows = BeginnerLeagueSeasonCount + IntermediateLeagueSeasonCount + AdvancedLeagueSeasonCount +
               ExpertLeagueSeasonCount + ProLeagueSeasonCount;
    for (u32 i = 0; i < rows; ++i)
        EXPECT_TRUE(TournamentExists(LeagueSeasonList[i].TournID)) << i;
    for (u32 i = 0; i < uDBBowlerCount; ++i) {
        EXPECT_TRUE(BallExists(bowlersList[i].m_uPrimaryBall)) << i;
        EXPECT_TRUE(BallExists(bowlersList[i].m_uSecondaryBall)) << i;
    }
    for (u32 r = 0; r < RivalCount; ++r) {
        bool found = false;
        for (u32 i = 0; i < uDBBowlerCount; ++i)
            found |= bowlersList[i].m_ID == RivalList[r].m_ID;
        EXPECT_TRUE(found) << r;
    }
    RemoveTestBowlingDb();
}

TEST(TestBowlingDb, InstallGivesFreshTablesAndRemoveRestores) {
    s_DBItem* before = ItemsList;
    u32 countBefore = uDBItemCount;
    InstallTestBowlingDb();
    ItemsList[testdb::BALL_FIRST].bLocked = 1;
    InstallTestBowlingDb();  // a second install refreshes, and still restores the original
    EXPECT_EQ(ItemsList[testdb::BALL_FIRST].bLocked, 0u);
    RemoveTestBowlingDb();
    EXPECT_EQ(ItemsList, before);
    EXPECT_EQ(uDBItemCount, countBefore);
}

}  // namespace
