// Installing the test database twice refreshes it; removing it gives the previous tables back.
#include <gtest/gtest.h>

#include "tests/game/Career/TestBowlingDb.h"

namespace {

TEST(TestBowlingDb, InstallGivesFreshTablesAndRemoveRestores) {
    // The install forgets a database an earlier test of the process left loaded;
    // what it gives back is the state after that.
    BowlingDbForget();
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
