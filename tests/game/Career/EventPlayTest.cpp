#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using namespace testdb;
using EventPlayTest = CareerEventsTest;

TEST_F(EventPlayTest, LeagueNightGamesFromTheScoreboard) {
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    events.SetOpponent(3);
    CScoreboard win = Scores(PerfectGame(), NinetyGame());
    CScoreboard loss = Scores(NinetyGame(), PerfectGame());

    EXPECT_EQ(events.PostGameUpdate(&win), ePostGameResult_DoneNewGame);
    EXPECT_EQ(events.m_CurrentRound, 1);
    EXPECT_TRUE(events.m_bPlayerWonLastGame);
    EXPECT_EQ(career->GetStrikes(), 12u);
    EXPECT_EQ(career->GetTotalWins(), 1u);
    EXPECT_EQ(League().GetBowlerByID(3)->TotalAverageScore, 90u);
    for (s16 other : {4, 5})
        EXPECT_EQ(League().GetBowlerByID(other)->TotalGames, 1u) << "the rest of the league bowled too";

    EXPECT_EQ(events.PostGameUpdate(&loss), ePostGameResult_DoneNewGame);
    EXPECT_FALSE(events.m_bPlayerWonLastGame);
    EXPECT_EQ(events.PostGameUpdate(&win), ePostGameResult_DoneNoGame);
    EXPECT_EQ(events.GetCurrentEventNum(), 1);
    EXPECT_EQ(events.GetPreviousEventType(), eEventType_LeagueNight);
    EXPECT_EQ(career->GetTotalGames(), 3u);
    EXPECT_EQ(career->GetTotalWins(), 2u);
    EXPECT_EQ(Player().TotalAverageScore, 230u);
    // The night's best series (690) takes the league night's first prize.
    EXPECT_EQ(Player().Earnings, 100u);
    EXPECT_EQ(career->GetMoney(), CAREER_START_MONEY + 100);
    EXPECT_EQ(events.GetOpponentID(), 0) << "the next night starts without an opponent";
}

TEST_F(EventPlayTest, RivalChallengeTurnsALeagueNightIntoARivalGame) {
    const struct {
        bool win;
        s32 rep3, rep4;  // reputation change against rival 3 or 4
    } cases[] = {{true, 5, 8}, {false, -3, -4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.win);
        // Seeds until the challenge comes up; it is asked once per night.
        bool challenged = false;
        for (u32 seed = 1; seed < 200 && !challenged; ++seed) {
            OrbSRand(seed);
            events.InitSeason(AMATEUR_L2, eSeason_Winter);
            challenged = events.IsRivalChallenge();
            if (!challenged) {
                EXPECT_FALSE(events.IsRivalChallenge()) << "no second roll for the same night";
            }
        }
        ASSERT_TRUE(challenged);
        EXPECT_EQ(events.m_CurrentEventType, eEventType_RivalGame);
        const s16 rival = events.GetOpponentID();
        ASSERT_TRUE(rival == 3 || rival == 4);
        career->m_RepChange = 0;
        const u32 wins = career->GetRivalWins();

        CScoreboard board = c.win ? Scores(PerfectGame(), NinetyGame()) : Scores(NinetyGame(), PerfectGame());
        EXPECT_EQ(events.PostGameUpdate(&board), ePostGameResult_DoneNoGame);
        EXPECT_EQ(career->GetRivalWins(), wins + c.win);
        EXPECT_EQ(career->m_RepChange, rival == 3 ? c.rep3 : c.rep4);
        EXPECT_EQ(events.GetPreviousEventType(), eEventType_RivalGame);
        EXPECT_EQ(events.GetCurrentEventNum(), 1);
        EXPECT_EQ(League().GetBowlerByID(5)->TotalGames, 3u) << "the others bowled their whole night";
    }
    EXPECT_EQ(career->GetRivalChallenges(), 2u);

    for (u32 seed = 1; seed < 100; ++seed) {
        OrbSRand(seed);
        events.InitSeason(AMATEUR_L1, eSeason_Winter);
        EXPECT_FALSE(events.IsRivalChallenge()) << "a league without rivals";
    }
}

TEST_F(EventPlayTest, TournamentBuyInInvitationAndForfeit) {
    SetWeekRecord(AMATEUR_L2, eSeason_Winter, 1, COUNTY_CLASSIC_ID);  // event 2
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    ASSERT_EQ(events.m_CurrentEventType, eEventType_Tournament);
    EXPECT_TRUE(events.m_ShowInvitation);
    EXPECT_NE(events.GetOpponentID(), 0) << "the ladder gives the first opponent";

    // Not invited: the simulation pays the buy-in.
    SetReputation(0);
    EXPECT_FALSE(events.EarnedInvitation());
    const u32 before = career->GetMoney();
    EXPECT_FALSE(events.SimulateEvent());
    EXPECT_EQ(career->GetMoney(), before - 50);

    // Invited: reputation 10 and an average of 150, the tournament's minimums, waive it.
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    SetReputation(10);
    s_PlaceBowler& player = *League().GetBowlerByID(PLAYER_BOWLER_ID);
    for (const u32 average : {149u, 150u}) {
        player.TotalAverageScore = average;
        EXPECT_EQ(events.EarnedInvitation(), average >= 150) << average;
    }
    SetReputation(9);
    EXPECT_FALSE(events.EarnedInvitation()) << "a reputation short of the minimum";
    SetReputation(10);
    for (int g = 0; g < 6; ++g)
        League().AddGame(PLAYER_BOWLER_ID, 300, true);  // lifts the average over 150
    EXPECT_TRUE(events.EarnedInvitation());
    const u32 invited = career->GetMoney();
    events.SimulateEvent();
    EXPECT_EQ(career->GetMoney(), invited);

    // Short of the buy-in: a forfeit, the player's standing untouched.
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    SetReputation(0);
    ASSERT_TRUE(career->ChangeMoney(-s32(career->GetMoney() - 20)));
    const u32 games = Player().TotalGames;
    const u32 careerGames = career->GetTotalGames();
    int steps = 1;
    while (!events.SimulateEvent())
        ++steps;
    EXPECT_EQ(steps, TOURNAMENT_ROUNDS);
    EXPECT_EQ(League().m_PlayerTournamentPlace, 17u) << "out in the first round";
    EXPECT_TRUE(events.m_TournLossMessage);
    EXPECT_EQ(Player().TotalGames, games);
    EXPECT_EQ(career->GetTotalGames(), careerGames + 1) << "a forfeit is a lost game";
    EXPECT_EQ(career->GetMoney(), 20u + 100u) << "only the week's salary";
}

TEST_F(EventPlayTest, TournamentRoundsFromTheScoreboard) {
    SetWeekRecord(AMATEUR_L2, eSeason_Winter, 1, COUNTY_CLASSIC_ID);
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    const u32 money = career->GetMoney();
    const s32 rep = career->m_RepChange;
    CScoreboard win = Scores(PerfectGame(), NinetyGame());
    // Four entrants: the player meets all three, then byes to the title.
    for (u8 round = 0; round < 3; ++round) {
        SCOPED_TRACE(int(round));
        ASSERT_EQ(events.m_CurrentRound, round);
        const s16 opponent = events.GetOpponentID();
        ASSERT_GT(opponent, 0);
        EXPECT_TRUE(events.IsBowlerWithPlayer(opponent));
        const u32 pins = League().GetBowlerByID(opponent)->TotalPins;
        EXPECT_EQ(events.PostGameUpdate(&win), ePostGameResult_DoneNoGame);
        EXPECT_EQ(League().GetBowlerByID(opponent)->TotalPins, pins + 90)
            << "the opponent's game from the table";
    }
    EXPECT_EQ(events.GetCurrentEventNum(), 3);
    EXPECT_EQ(League().m_PlayerTournamentPlace, 1u);
    EXPECT_FALSE(events.m_TournLossMessage);
    EXPECT_EQ(career->GetMoney(), money + 500 + 100) << "first prize and the week's salary";
    EXPECT_EQ(career->GetTotalTournamentWins(), 1u);
    EXPECT_EQ(career->m_RepChange, rep + 5) << "the title";

    g_TrophyMgr.UpdateTrophies();
    const s_TrophyInfo& trophy = career->GetStats().TrophyProgress[0];
    EXPECT_EQ(trophy.place, 1u);
    EXPECT_EQ(trophy.league, u32(AMATEUR_L2));
    EXPECT_EQ(trophy.season, u32(eSeason_Winter));
    EXPECT_EQ(trophy.weekNum, 1u) << "the week whose record is the classic";
}

TEST_F(EventPlayTest, TournamentLossEndsThePlayersRunAndTheCheatWinsAnyway) {
    SetWeekRecord(AMATEUR_L2, eSeason_Winter, 1, COUNTY_CLASSIC_ID);
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    auto totals = [&](u32 s_PlaceBowler::*field) {
        u32 sum = 0;
        for (u32 i = 0; i < League().GetNumberOfBowlers(); ++i)
            sum += League().GetBowlerByIndex(i)->*field;
        return sum;
    };
    const u32 earningsBefore = totals(&s_PlaceBowler::Earnings);
    CScoreboard loss = Scores(NinetyGame(), PerfectGame());
    EXPECT_EQ(events.PostGameUpdate(&loss), ePostGameResult_DoneNoGame);
    EXPECT_EQ(events.GetCurrentEventNum(), 3) << "the rest of the ladder is played out";
    EXPECT_EQ(League().m_PlayerTournamentPlace, 17u);
    EXPECT_TRUE(events.m_TournLossMessage);
    EXPECT_FALSE(events.m_bPlayerWonLastGame);
    EXPECT_EQ(totals(&s_PlaceBowler::TournWins), 1u);
    EXPECT_EQ(totals(&s_PlaceBowler::Earnings) - earningsBefore, 500u + 300u + 200u)
        << "winner, runner-up and the loser before the final";

    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    SimulateTo(2);
    events.m_bPlayerWinsAll = 1;
    while (events.GetCurrentEventNum() == 2)
        events.PostGameUpdate(&loss);
    EXPECT_EQ(League().m_PlayerTournamentPlace, 1u);
}

// Quitting at the lane while ahead: the game and the rest of the event are lost,
// with nothing earned and nothing bowled put in the player's standing.
TEST_F(EventPlayTest, AGameForfeitedWhileAheadLosesTheRestOfTheEvent) {
    for (const bool tournament : {false, true}) {
        SCOPED_TRACE(tournament ? "a tournament" : "a league night");
        SetWeekRecord(AMATEUR_L2, eSeason_Winter, 1, COUNTY_CLASSIC_ID);  // event 2
        events.InitSeason(AMATEUR_L2, eSeason_Winter);
        if (tournament)
            SimulateTo(2);
        else
            events.SetOpponent(3);
        const s32 event = events.GetCurrentEventNum();
        const u32 games = Player().TotalGames;
        const u32 wins = career->GetTotalWins();
        const u32 strikes = career->GetStrikes();
        const u32 points = career->GetStats().m_SkillPoints;
        career->m_RepChange = 0;
        CScoreboard ahead = Scores(PerfectGame(), NinetyGame());
        ahead.Forfeit(0);
        EXPECT_EQ(events.PostGameUpdate(&ahead), ePostGameResult_DoneNoGame);
        EXPECT_FALSE(events.m_bPlayerWonLastGame);
        EXPECT_EQ(events.GetCurrentEventNum(), event + 1) << "the event is over";
        EXPECT_EQ(events.m_CurrentRound, 0);
        EXPECT_EQ(career->m_RepChange, 0);
        EXPECT_EQ(career->GetTotalWins(), wins);
        EXPECT_EQ(career->GetStrikes(), strikes);
        EXPECT_EQ(career->GetStats().m_SkillPoints, points);
        EXPECT_EQ(Player().TotalGames, games);
        EXPECT_EQ(events.m_TournLossMessage, tournament ? 1 : 0);
    }
}

}  // namespace
