#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using namespace testdb;
using EventCalendarTest = CareerEventsTest;

TEST_F(EventCalendarTest, AmateurWeeksAreTwoLeagueNightsAndTheWeeksRecord) {
    SetWeekRecord(AMATEUR_L2, eSeason_Spring, 4, NAMED_TOURNAMENT_A_ID);
    events.InitSeason(AMATEUR_L2, eSeason_Spring);
    ASSERT_EQ(events.GetNumberOfEvents(), AMATEUR_SEASON_EVENTS);
    for (s8 n = 0; n < s8(AMATEUR_SEASON_EVENTS); ++n) {
        const Event* e = events.GetEvent(n);
        EXPECT_EQ(e->m_WeekNumber, u32(n) / EVENTS_PER_WEEK + 1);
        if (n % EVENTS_PER_WEEK != 2) {
            EXPECT_TRUE(e->m_IsLeaguePlay);
            EXPECT_STREQ(e->m_Tourn.sTournName, "League Night");
        }
    }
    EXPECT_EQ(events.GetEvent(11)->m_Tourn.ID, NAMED_TOURNAMENT_A_ID) << "week 4 of the spring block";
    EXPECT_EQ(events.GetEvent(26)->m_Tourn.ID, COUNTY_CLASSIC_ID);
    EXPECT_EQ(events.GetEvent(-1)->m_Tourn.ID, 0);
    EXPECT_STREQ(events.GetEvent(27)->m_Tourn.sTournName, "");

    // The same week of the winter block is a league night.
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    EXPECT_TRUE(events.GetEvent(11)->m_IsLeaguePlay);
    EXPECT_EQ(events.m_CurrentEventType, eEventType_LeagueNight);
}

TEST_F(EventCalendarTest, ProSeasonSpreadsEighteenEventsOverTheYear) {
    events.InitSeason(PRO_L1, eSeason_Winter);
    EXPECT_EQ(events.GetSeason(), eSeason_Pro);
    ASSERT_EQ(events.GetNumberOfEvents(), PRO_SEASON_EVENTS);
    u32 previous = 0;
    for (s8 n = 0; n < s8(PRO_SEASON_EVENTS); ++n) {
        const u32 week = events.GetEvent(n)->m_WeekNumber;
        EXPECT_GT(week, previous);
        EXPECT_LE(week, PRO_SEASON_WEEKS);
        previous = week;
    }
    EXPECT_GE(previous, 49u) << "the last event falls in the last month";
    EXPECT_EQ(events.GetEvent(5)->m_Tourn.ID, NAMED_TOURNAMENT_A_ID);
    EXPECT_EQ(events.GetEvent(17)->m_Tourn.ID, NAMED_TOURNAMENT_B_ID);
}

TEST_F(EventCalendarTest, SeasonsFollowEachOtherAndMovesChangeReputation) {
    events.InitSeason(AMATEUR_L3, eSeason_Autumn);
    events.InitNextSeason(AMATEUR_L3);
    EXPECT_EQ(events.GetSeason(), eSeason_Winter);
    EXPECT_EQ(career->m_RepChange, 0);
    events.InitNextSeason(AMATEUR_L4);
    EXPECT_EQ(events.GetSeason(), eSeason_Spring);
    EXPECT_EQ(career->m_RepChange, 2) << "promoted";
    events.InitNextSeason(PRO_L1);
    EXPECT_EQ(events.GetSeason(), eSeason_Pro);
    events.InitNextSeason(AMATEUR_L4);
    EXPECT_EQ(events.GetSeason(), eSeason_Winter);
    EXPECT_EQ(career->m_RepChange, 2 + 2 - 1) << "relegated";
    EXPECT_EQ(leagues.GetLeagueType(), AMATEUR_L4);
}

TEST_F(EventCalendarTest, PracticeComesAndGoesWithoutLosingTheEvent) {
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    events.SetPractice(1);
    EXPECT_EQ(events.m_CurrentEventType, eEventType_Practice);
    CScoreboard board = Scores(PerfectGame(), NinetyGame());
    EXPECT_EQ(events.PostGameUpdate(&board), ePostGameResult_DonePractice);
    EXPECT_EQ(career->GetTotalGames(), 0u);
    EXPECT_EQ(Player().TotalGames, 0u);
    events.SetPractice(0);
    EXPECT_EQ(events.m_CurrentEventType, eEventType_LeagueNight);
    EXPECT_EQ(events.GetCurrentEventNum(), 0);

    SimulateTo(4);
    events.Update();
    EXPECT_EQ(career->GetSlot(0)->m_CurrentEvent, 4) << "the event is kept in the career slot";
}

}  // namespace
