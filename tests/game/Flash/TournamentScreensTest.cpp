// The tournament menu and ladder on the demo disc's movies: the ladder's pages by
// round, the round's two bowlers, and how both look inside the menus' border.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/CareerStandings.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/Flash/TournLadderFlash.h"
#include "source/Flash/TournMenuFlash.h"
#include "source/GameSettings.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CareerPlayers.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class TournamentScreensTest : public MenuFixture {
protected:
    TournamentScreensTest() : MenuFixture(MenuCareer::kAtFirstTournament) {}
};

// Four pages of eight in the first round, two in the second, one after; paging
// stops at both ends.
TEST_F(TournamentScreensTest, TheLadderPagesByRound) {
    const struct {
        u8 round;
        const char* presses;
        u32 page;
    } rows[] = {
        {0, "ddddd", 3}, {0, "dddu", 2}, {0, "u", 0}, {1, "ddd", 1}, {1, "du", 0}, {2, "d", 0}, {4, "d", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "round " << s32(row.round) << " " << row.presses);
        pEventManager->m_CurrentRound = row.round;
        CCareerTournLadderFlash ladder;
        ASSERT_EQ(ladder.LoadBG(), 1);
        ASSERT_EQ(ladder.Load(), 1);
        ladder.Open();
        PressOn(ladder.m_iScreen, row.presses);
        EXPECT_EQ(ladder.m_Current_Page, row.page);
        char first[LADDER_NAME_SIZE];
        StandingName(first, sizeof(first), pEventManager->GetTournamentBowlerByIndex(row.page * 8));
        EXPECT_STREQ(ladder.NameStrings[0], first);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE);
        PressOn(ladder.m_iScreen, "b");
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
        g_ScreenTracker.ResetScreenNav();
    }
    // The player opens the bracket; its last place is empty.
    pEventManager->m_CurrentRound = 0;
    CCareerTournLadderFlash ladder;
    ASSERT_EQ(ladder.Load(), 1);
    ladder.Open();
    PressOn(ladder.m_iScreen, "-");
    EXPECT_STREQ(ladder.NameStrings[0], "ROLLER");
    EXPECT_EQ(ladder.m_PlayerPos, 0);
    PressOn(ladder.m_iScreen, "ddd");
    EXPECT_STREQ(ladder.NameStrings[7], "");
}

// The round's game: the career bowler against the ladder's opponent, or alone when
// the database has no such bowler (nobody of an earlier game stays in slot 1).
TEST_F(TournamentScreensTest, BowlingSetsUpTheRoundsBowlers) {
    const s_DBBowler* opponent = FindDbBowler(pEventManager->GetOpponentID());
    ASSERT_NE(opponent, nullptr);
    char opponentName[32];
    std::snprintf(opponentName, sizeof(opponentName), "%s %s", opponent->m_FirstName, opponent->m_LastName);
    const struct {
        bool known;
        s32 players;
        const char* name;
        s32 human;
    } rows[] = {{true, 2, opponentName, 0}, {false, 1, "", 0}};
    const u32 bowlers = uDBBowlerCount;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.known ? "known opponent" : "unknown opponent");
        g_Players[1].SetName("STALE");
        g_Players[1].bIsHumanPlayer = 1;
        CTournMenuFlash menu;
        ASSERT_EQ(menu.Load(), 1);
        menu.Open();
        uDBBowlerCount = row.known ? bowlers : 0;
        PressOn(menu.m_iScreen, "a");
        uDBBowlerCount = bowlers;
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
        EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_Invalid);
        EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, s32(pEventManager->GetEvent()->m_Tourn.Location));
        EXPECT_EQ(g_GameSettings.m_Current.iNumPlayers, row.players);
        EXPECT_STREQ(g_Players[0].m_Name, "ROLLER");
        EXPECT_STREQ(g_Players[1].m_Name, row.name);
        EXPECT_EQ(g_Players[1].bIsHumanPlayer, row.human);
        g_ScreenTracker.ResetScreenNav();
    }
}

TEST_F(TournamentScreensTest, TheMenuAndTheLadderLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu shell;
    shell.LoadBackground();
    shell.LoadBorder();
    shell.OpenBorder(SymbolText(kTextTournTitle), SymbolText(kTextCareerSubtitle));
    {
        CTournMenuFlash menu;
        ASSERT_EQ(menu.Load(), 1);
        menu.Open();
        PressOn(menu.m_iScreen, "d");
        EventWait(120);
        ExpectLooksAsKept("tournament_menu");
    }
    shell.OpenBorder(SymbolText(kTextTournLadderTitle), SymbolText(kTextCareerSubtitle));
    CCareerTournLadderFlash ladder;
    ASSERT_EQ(ladder.Load(), 1);
    ladder.Open();
    EventWait(60);
    ExpectLooksAsKept("tournament_ladder");
}

}  // namespace
