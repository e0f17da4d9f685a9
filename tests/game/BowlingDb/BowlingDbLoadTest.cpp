// BowlingDbLoad reads the database from the current folder, "LOCAL_BE.DB" before
// "ZQL07_BE.DB", and stops the program when it cannot.
#include <cstring>

#include "orblib47/source/NGC/File.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/GameReset.h"
#include "tests/game/BowlingDb/DbTestTables.h"
#include "tests/support/GameFixture.h"
#include "tests/support/HeapMark.h"
#include "tests/support/TempDisc.h"

namespace {

class BowlingDbLoadTest : public GameFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override {
        DbTestTables tables;
        disc_.Write("DATABASE/ZQL07_BE.DB", tables.Compile());
        tables.Edit("items.txt", "Comet ", "Local ");
        disc_.Write("DATABASE/LOCAL_BE.DB", tables.Compile());
        GameFixture::SetUp();
        FileChangeDirectory("DATABASE");
    }
    void TearDown() override {
        BowlingDbFree();
        GameFixture::TearDown();
    }

    TempDisc disc_;
};

// The fatal message goes to standard error, so nothing is captured.
class BowlingDbLoadDeathTest : public BowlingDbLoadTest {
protected:
    void SetUp() override {
        BowlingDbLoadTest::SetUp();
        report_.reset();
    }
};

// The local file comes first; loading again, without it, replaces the tables with
// the disc's; the game's warm reset forgets them with the engine heap that held them.
TEST_F(BowlingDbLoadTest, LocalFileFirstThenTheDiscAndWarmReset) {
    BowlingDbLoad();
    ASSERT_EQ(uDBItemCount, 9u);
    EXPECT_STREQ(ItemsList[1].m_Name, "Local");
    EXPECT_TRUE(report().contains("LOCAL_BE.DB"));
    disc_.Remove("DATABASE/LOCAL_BE.DB");
    BowlingDbLoad();
    EXPECT_STREQ(ItemsList[1].m_Name, "Comet");
    HeapMarkTake();  // the forgotten tables go with the engine heap at exit
    GameWarmReset();
    EXPECT_EQ(ItemsList, nullptr);
    EXPECT_EQ(AmateurLeagueCount, 0u);
    EXPECT_EQ(GetShellLight(eShellLightUsage_SelectBowler), nullptr);

    // Tables a test points the globals at are its own to put back.
    s_DBItem own[1] = {};
    ItemsList = own;
    GameWarmReset();
    EXPECT_EQ(ItemsList, own);
    ItemsList = nullptr;
}

TEST_F(BowlingDbLoadDeathTest, MissingOrBadFileStopsTheProgram) {
    disc_.Remove("DATABASE/LOCAL_BE.DB");
    disc_.Remove("DATABASE/ZQL07_BE.DB");
    EXPECT_DEATH(BowlingDbLoad(), "BowlingDbLoad: cannot read ZQL07_BE.DB");
    disc_.Write("DATABASE/LOCAL_BE.DB", {'B', 'W', 'D', 'B'});
    EXPECT_DEATH(BowlingDbLoad(), "BowlingDbLoad: LOCAL_BE.DB: file too short for its header \\(4 bytes\\)");
}

}  // namespace
