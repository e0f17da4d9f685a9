#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using LeagueManagerTest = CareerEventsTest;

TEST_F(LeagueManagerTest, StandingsHoldThePlayerAndTheLeaguesBowlers) {
    ASSERT_TRUE(leagues.JoinLeague(AMATEUR_L2));
    CLeague& league = League();
    EXPECT_EQ(leagues.GetLeagueType(), AMATEUR_L2);
    EXPECT_STREQ(league.m_LeagueDbEntry.sLeagueName, "Intermediate League");
    ASSERT_EQ(league.GetNumberOfBowlers(), 4u);
    EXPECT_EQ(league.GetBowlerByIndex(0)->UniqueID, PLAYER_BOWLER_ID);
    for (s16 id : {3, 4, 5})
        EXPECT_NE(league.GetBowlerByID(id), nullptr);
    EXPECT_EQ(league.GetBowlerByID(1), nullptr) << "a beginner is not in this league";
    EXPECT_EQ(league.GetBowlerByIndex(4), nullptr);
    EXPECT_NE(league.GetBowlerByPlace(4), nullptr);
    EXPECT_EQ(league.GetBowlerByPlace(5), nullptr);
    league.m_PlayerTournamentPlace = 1;
    league.ResetLastTournamentPlace();
    EXPECT_EQ(league.m_PlayerTournamentPlace, 5u);

    leagues.QuitLeague();
    EXPECT_EQ(leagues.GetLeagueType(), NOLEAGUE);
    EXPECT_EQ(League().GetNumberOfBowlers(), 1u) << "the player keeps a standing";
    EXPECT_FALSE(leagues.JoinLeague(eLeagues(7)));
    SetReputation(100);
    EXPECT_FALSE(leagues.CanJoinLeague(PRO_L1)) << "the pros are reached by promotion only";
    EXPECT_FALSE(leagues.CanJoinLeague(NOLEAGUE));
}

TEST_F(LeagueManagerTest, PlacesFollowAverageThenWins) {
    leagues.JoinLeague(AMATEUR_L2);
    CLeague& league = League();
    league.AddGame(3, 200, false);
    league.AddGame(PLAYER_BOWLER_ID, 170, true);
    league.AddGame(PLAYER_BOWLER_ID, 190, true);  // 180 with two wins
    league.AddGame(4, 180, true);                 // 180 with one win
    league.Rank();
    EXPECT_EQ(league.GetBowlerByID(3)->Place, 1u);
    EXPECT_EQ(Player().Place, 2u);
    EXPECT_EQ(league.GetBowlerByID(4)->Place, 3u);
    EXPECT_EQ(league.GetBowlerByID(5)->Place, 4u);
    EXPECT_EQ(Player().HighScore, 190u);
}

struct ChangeCase {
    const char* name;
    eLeagues league;
    u32 playerAverage;
    u32 place;  // the others bowl above him down to this place, the rest below; 0: last
    s32 reputation;
    u32 expected;
};

TEST_F(LeagueManagerTest, PromotionAndRelegationTable) {
    const ChangeCase cases[] = {
        {"first with exactly the next league's average and reputation", AMATEUR_L2, 160, 1, 20,
         LEAGUE_CHANGE_PROMOTION},
        {"second goes up too", AMATEUR_L2, 160, 2, 20, LEAGUE_CHANGE_PROMOTION},
        {"third stays", AMATEUR_L2, 160, 3, 20, LEAGUE_CHANGE_NONE},
        {"average below the next league's minimum", AMATEUR_L2, 159, 1, 20, LEAGUE_CHANGE_NONE},
        {"reputation below the next league's minimum", AMATEUR_L2, 160, 1, 19, LEAGUE_CHANGE_NONE},
        {"last in the floor league stays", AMATEUR_L2, 100, 0, 0, LEAGUE_CHANGE_NONE},
        {"last above the floor goes down", AMATEUR_L3, 185, 0, 30, LEAGUE_CHANGE_RELEGATION},
        {"second to last above the floor stays", AMATEUR_L3, 185, 3, 30, LEAGUE_CHANGE_NONE},
        {"average below the league's minimum goes down", AMATEUR_L3, 159, 1, 30, LEAGUE_CHANGE_RELEGATION},
        {"exactly the league's minimum stays", AMATEUR_L3, 160, 1, 30, LEAGUE_CHANGE_NONE},
        {"top but short of the next league stays", AMATEUR_L3, 175, 1, 30, LEAGUE_CHANGE_NONE},
        {"expert league to the pros", AMATEUR_L4, 205, 1, 60, LEAGUE_CHANGE_PROMOTION},
        {"no league above the pros", PRO_L1, 250, 1, 100, LEAGUE_CHANGE_NONE},
        {"last pro goes down", PRO_L1, 250, 0, 100, LEAGUE_CHANGE_RELEGATION},
        {"no league", NOLEAGUE, 250, 1, 100, LEAGUE_CHANGE_NONE},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetReputation(c.reputation);
        if (c.league == NOLEAGUE)
            leagues.QuitLeague();
        else
            leagues.JoinLeague(c.league);
        CLeague& league = League();
        for (u32 i = 1; i < league.GetNumberOfBowlers(); ++i)
            league.AddGame(league.GetBowlerByIndex(i)->UniqueID,
                           c.place == 0 || i < c.place ? c.playerAverage + 20 : c.playerAverage - 20, false);
        league.AddGame(PLAYER_BOWLER_ID, c.playerAverage, false);
        league.Rank();
        EXPECT_EQ(leagues.LeagueChangeRequired(), c.expected);
    }
}

}  // namespace
