// The standings and league management screens on the demo disc's movies: the
// player's row, the win rate, joining and quitting, a database without leagues,
// and how they look inside the menus' border.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/LeagueManagementFlash.h"
#include "source/Flash/LeagueStandingsFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/Flash/TournStandingsFlash.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class LeagueScreensTest : public MenuFixture {
protected:
    LeagueScreensTest() : MenuFixture(MenuCareer::kAtFirstTournament) {}
};

// Every other bowler of the league bowls one game of 150 and wins it.
void PlayOthers(CLeague& league) {
    for (u32 i = 0; i < league.GetNumberOfBowlers(); ++i)
        if (league.GetBowlerByIndex(i)->UniqueID != PLAYER_BOWLER_ID)
            league.AddGame(league.GetBowlerByIndex(i)->UniqueID, 150, true);
}

// The player's row: among the eight, or in the last row with his own place when
// ranked lower; his win rate to three places.
TEST_F(LeagueScreensTest, StandingsShowThePlayersRow) {
    const struct {
        const char* what;
        u32 score;
        u32 games, wins;
        s32 row;
        const char* winRate;
    } rows[] = {
        {"first, every game won", 300, 3, 3, 0, "1.000"},
        {"first, two of three", 300, 3, 2, 0, "0.667"},
        {"last, no win", 100, 1, 0, 7, "0.000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CLeague& league = *pLeagueManager->GetLeague();
        league.Init(AMATEUR_L2);
        ASSERT_GT(league.GetNumberOfBowlers(), STANDING_ROWS);
        PlayOthers(league);
        for (u32 game = 0; game < row.games; ++game)
            league.AddGame(PLAYER_BOWLER_ID, row.score, game < row.wins);
        league.AddEarnings(PLAYER_BOWLER_ID, 1234);
        league.Rank();
        const std::string place = std::to_string(league.GetBowlerByID(PLAYER_BOWLER_ID)->Place);

        const CCareerLeagueStandingsFlash standings;
        EXPECT_EQ(standings.m_PlayerPos, row.row);
        EXPECT_STREQ(standings.PlaceStrings[row.row], place.c_str());
        EXPECT_STREQ(standings.NameStrings[row.row], "ROLLER");
        EXPECT_STREQ(standings.WinPStrings[row.row], row.winRate);
        EXPECT_STREQ(standings.ScoreStrings[row.row], std::to_string(row.score).c_str());
        const CCareerTournStandingsFlash tournament;
        EXPECT_EQ(tournament.m_PlayerPos, row.row);
        EXPECT_STREQ(tournament.PlaceStrings[row.row], place.c_str());
        EXPECT_STREQ(tournament.EarningsStrings[row.row], "$1234");
    }
}

// Joining only on Yes and only where the league admits the bowler; quitting
// stays on the screen and shows the list.
TEST_F(LeagueScreensTest, JoiningAndQuitting) {
    const struct {
        const char* what;
        bool inLeague;
        const char* presses;
        eLeagues league;
        eScreenNavigation nav;
        s32 buttonsShowing;
    } rows[] = {
        {"yes joins the first league", false, "aa", AMATEUR_L1, SFP_SCREEN_NAV_PREVIOUS, 1},
        {"a league that refuses is left unjoined", false, "daa", NOLEAGUE, SFP_SCREEN_NAV_PREVIOUS, 0},
        {"no goes back to the list", false, "ada", NOLEAGUE, SFP_SCREEN_NAV_NONE, 0},
        {"back leaves the list", false, "db", NOLEAGUE, SFP_SCREEN_NAV_PREVIOUS, 0},
        {"yes quits and shows the list", true, "-a", NOLEAGUE, SFP_SCREEN_NAV_NONE, 0},
        {"no leaves the league as it is", true, "-da", AMATEUR_L2, SFP_SCREEN_NAV_PREVIOUS, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.inLeague)
            pLeagueManager->JoinLeague(AMATEUR_L2);
        else
            pLeagueManager->QuitLeague();
        g_ScreenTracker.ResetScreenNav();
        CCareerLeagueManagementFlash screen;
        ASSERT_EQ(screen.Load(), 1);
        screen.Open();
        PressOn(screen.m_iScreen, row.presses);
        EXPECT_EQ(pLeagueManager->GetLeagueType(), row.league);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.nav);
        EXPECT_EQ(screen.m_ButtonsShowing, row.buttonsShowing);
    }
}

// The list follows the league under the cursor; a database without leagues
// leaves nothing to move to or join.
TEST_F(LeagueScreensTest, TheListStaysWithinTheLeagues) {
    pLeagueManager->QuitLeague();
    const u32 leagues = AmateurLeagueCount;
    const struct {
        u32 count;
        const char* presses;
        u32 index;
        s32 cursor;
        s32 join;
    } rows[] = {
        {leagues, "", 1, 0, 0},      {leagues, "dd", 3, 2, 0}, {leagues, "dddddd", 5, 2, 0},
        {leagues, "ddddu", 4, 1, 0}, {0, "dddd", 1, 0, 0},     {0, "da", 1, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.count << " leagues, " << row.presses);
        AmateurLeagueCount = row.count;
        CCareerLeagueManagementFlash screen;
        ASSERT_EQ(screen.Load(), 1);
        screen.Open();
        PressOn(screen.m_iScreen, row.presses);
        EXPECT_EQ(screen.m_iLeagueIndex, row.index);
        EXPECT_EQ(SFP2KGetScreenInfo(screen.m_iScreen)->curButton, row.cursor);
        EXPECT_EQ(screen.m_Join, row.join);
        EXPECT_EQ(pLeagueManager->GetLeagueType(), NOLEAGUE);
        AmateurLeagueCount = leagues;
    }
}

TEST_F(LeagueScreensTest, TheScreensLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CLeague& league = *pLeagueManager->GetLeague();
    PlayOthers(league);
    league.AddGame(PLAYER_BOWLER_ID, 160, true);
    league.Rank();
    CFlashMainMenu shell;
    shell.LoadBackground();
    shell.LoadBorder();
    shell.OpenBorder(SymbolText(kTextCareerStandingsTitle), SymbolText(kTextCareerSubtitle));
    {
        CCareerLeagueStandingsFlash standings;
        ASSERT_EQ(standings.Load(), 1);
        standings.Open();
        EventWait(60);
        ExpectLooksAsKept("league_standings");
    }
    {
        CCareerTournStandingsFlash standings;
        ASSERT_EQ(standings.Load(), 1);
        standings.Open();
        EventWait(60);
        ExpectLooksAsKept("tournament_standings");
    }
    pLeagueManager->QuitLeague();
    shell.OpenBorder(SymbolText(kTextLeagueManTitle), SymbolText(kTextCareerSubtitle));
    CCareerLeagueManagementFlash screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.Open();
    PressOn(screen.m_iScreen, "d");
    EventWait(60);
    ExpectLooksAsKept("league_management");
}

}  // namespace
