#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using SeasonSimulationTest = CareerEventsTest;

// Simulates the season to its end; the number of steps taken.
int SimulateSeason(EventManager& events) {
    int steps = 0;
    while (!events.SeasonOver() && steps < 1000) {
        events.SimulateEvent();
        ++steps;
    }
    return steps;
}

TEST_F(SeasonSimulationTest, AWholeSeasonEndsWithCompleteStandingsPayAndCounters) {
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    const int steps = SimulateSeason(events);
    ASSERT_TRUE(events.SeasonOver());
    // 26 league nights of three games and the county classic's knock-out rounds.
    EXPECT_EQ(steps, 26 * LEAGUE_NIGHT_GAMES + TOURNAMENT_ROUNDS);
    EXPECT_EQ(events.GetCurrentEventNum(), s32(AMATEUR_SEASON_EVENTS));

    CLeague& league = League();
    ASSERT_EQ(league.GetNumberOfBowlers(), 4u);
    bool placed[5] = {};
    u32 titles = 0;
    for (u32 i = 0; i < league.GetNumberOfBowlers(); ++i) {
        const s_PlaceBowler& b = *league.GetBowlerByIndex(i);
        SCOPED_TRACE(b.UniqueID);
        EXPECT_GE(b.TotalGames, 26u * LEAGUE_NIGHT_GAMES);
        EXPECT_EQ(b.TotalAverageScore, b.TotalPins / b.TotalGames);
        EXPECT_LE(b.GameWins, b.TotalGames);
        ASSERT_TRUE(b.Place >= 1 && b.Place <= 4);
        EXPECT_FALSE(placed[b.Place]);
        placed[b.Place] = true;
        titles += b.TournWins;
    }
    EXPECT_EQ(titles, 1u);
    for (u32 p = 1; p < 4; ++p)
        EXPECT_GE(league.GetBowlerByPlace(p)->TotalAverageScore,
                  league.GetBowlerByPlace(p + 1)->TotalAverageScore);

    // The player's counters match his standing; money is salary and prizes less the
    // classic's buy-in (a new career is not invited).
    EXPECT_EQ(career->GetTotalGames(), Player().TotalGames);
    EXPECT_EQ(career->GetTotalWins(), Player().GameWins);
    EXPECT_EQ(career->GetMoney(), CAREER_START_MONEY + 9 * 100 - 50 + Player().Earnings);
    EXPECT_EQ(career->GetTotalEarnings(), 9 * 100 + Player().Earnings);
    EXPECT_EQ(career->GetStrikes(), 0u) << "a simulated game has no frames";

    // The next season starts afresh in the league the season's end decides.
    const u32 change = leagues.LeagueChangeRequired();
    EXPECT_NE(change, LEAGUE_CHANGE_RELEGATION) << "the intermediate league is the floor";
    events.InitNextSeason(change == LEAGUE_CHANGE_PROMOTION ? AMATEUR_L3 : AMATEUR_L2);
    EXPECT_EQ(events.GetSeason(), eSeason_Spring);
    EXPECT_EQ(events.GetCurrentEventNum(), 0);
    EXPECT_FALSE(events.SeasonOver());
    EXPECT_EQ(Player().TotalGames, 0u);
}

TEST_F(SeasonSimulationTest, TheSameSeedGivesTheSameSeason) {
    auto run = [&](u32 seed) {
        OrbSRand(seed);
        career->Init();
        events.InitSeason(AMATEUR_L2, eSeason_Winter);
        SimulateSeason(events);
        return Record();
    };
    const std::vector<u8> first = run(77);
    EXPECT_EQ(run(77), first);
    EXPECT_NE(run(78), first);
}

TEST_F(SeasonSimulationTest, AProSeasonPaysEveryEventAndItsTrophiesLeadBackToTheTournaments) {
    events.InitSeason(PRO_L1, eSeason_Pro);
    events.m_bPlayerWinsAll = 1;
    SimulateSeason(events);
    ASSERT_TRUE(events.SeasonOver());
    EXPECT_EQ(career->GetTotalWins(), career->GetTotalGames()) << "the cheat takes every game";
    EXPECT_EQ(career->GetTotalEarnings(), 18 * 1000 + Player().Earnings)
        << "the pro salary comes with every event";
    ASSERT_EQ(g_TrophyMgr.GetNumTrophies(), 3u) << "the two named tournaments and the classic";
    const u32 proStart = BeginnerLeagueSeasonCount + IntermediateLeagueSeasonCount +
                         AdvancedLeagueSeasonCount + ExpertLeagueSeasonCount;
    const s32 expected[] = {testdb::NAMED_TOURNAMENT_A_ID, testdb::COUNTY_CLASSIC_ID,
                            testdb::NAMED_TOURNAMENT_B_ID};
    for (u32 i = 0; i < 3; ++i) {
        const s_TrophyInfo& trophy = career->GetStats().TrophyProgress[i];
        EXPECT_EQ(trophy.season, u32(eSeason_Pro));
        // A simulated title is awarded at once, and its week leads back to the tournament.
        EXPECT_EQ(LeagueSeasonList[proStart + trophy.weekNum - 1].TournID, expected[i]);
    }
}

}  // namespace
