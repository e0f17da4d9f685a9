#include "source/Career/CareerManagers.h"
#include "source/GameReset.h"
#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using CareerManagersTest = CareerEventsTest;

TEST_F(CareerManagersTest, CreatedOnceAndFreshAfterAReset) {
    pLeagueManager = nullptr;
    pEventManager = nullptr;
    CareerManagersCreate();
    ASSERT_NE(pLeagueManager, nullptr);
    ASSERT_NE(pEventManager, nullptr);
    pEventManager->InitSeason(AMATEUR_L3, eSeason_Summer);
    pEventManager->SimulateEvent();
    CLeagueManager* const created = pLeagueManager;
    CareerManagersCreate();
    EXPECT_EQ(pLeagueManager, created);
    EXPECT_EQ(pLeagueManager->GetLeagueType(), AMATEUR_L3) << "a second creation keeps the first";

    GameColdReset();
    EXPECT_EQ(pLeagueManager, nullptr);
    EXPECT_EQ(pEventManager, nullptr);
    CareerManagersCreate();
    EXPECT_EQ(pLeagueManager->GetLeagueType(), NOLEAGUE);
    EXPECT_EQ(pEventManager->GetCurrentEventNum(), 0);
    EXPECT_EQ(pEventManager->m_CurrentRound, 0);
    EXPECT_FALSE(pEventManager->SeasonOver());
    CareerManagersReset();
}

}  // namespace
