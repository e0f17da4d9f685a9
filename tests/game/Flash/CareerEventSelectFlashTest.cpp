// The career calendar on the demo disc: its week and month rows, what playing,
// simulating and forfeiting do, a league without opponents, and how it looks.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/CareerEventSelectFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class CareerEventSelectFlashTest : public MenuFixture {
protected:
    CareerEventSelectFlashTest() : MenuFixture(MenuCareer::kInSeason) {}

    static void Show(CCareerEventSelectFlash& calendar) {
        ASSERT_EQ(calendar.LoadBG(), 1);
        ASSERT_EQ(calendar.Load(pEventManager), 1);
        calendar.OpenBG();
        calendar.Open();
    }
    // Simulates the season up to event `n`.
    static void SimulateTo(s32 n) {
        while (pEventManager->GetCurrentEventNum() < n)
            pEventManager->SimulateEvent();
    }
    // The first tournament of the season.
    static s32 FirstTournament() {
        for (s32 n = 0; n < s32(pEventManager->GetNumberOfEvents()); ++n)
            if (!pEventManager->GetEvent(s8(n))->m_IsLeaguePlay)
                return n;
        return -1;
    }
    // Which of its on, off and selected sprites each row shows: "o", "-", "*".
    static std::string Marks(const CCareerEventSelectFlash& calendar, s32 firstRow, s32 rows) {
        std::string marks;
        for (s32 r = 0; r < rows; ++r) {
            const bool on = !SpriteHidden(calendar.m_iScreen, firstRow + 3 * r);
            const bool off = !SpriteHidden(calendar.m_iScreen, firstRow + 3 * r + 1);
            const bool selected = !SpriteHidden(calendar.m_iScreen, firstRow + 3 * r + 2);
            marks += on + off + selected != 1 ? '?' : on ? 'o' : off ? '-' : '*';
        }
        return marks;
    }
};

constexpr s32 kFirstAmateurRow = 1, kTxtA02 = 29, kTxtA05 = 32, kTxtA08 = 35, kFirstProRow = 55,
              kFirstProLine = 103, kTxtLoc01 = 128, kSimAnim = 137;

TEST_F(CareerEventSelectFlashTest, TheCalendarLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    menu.OpenBorder(SymbolText(kTextCareerEventTitle), SymbolText(kTextCareerSubtitle));
    SimulateTo(4);
    CCareerEventSelectFlash calendar;
    Show(calendar);
    EventWait(120);
    ExpectLooksAsKept("career_event_select");
}

// The amateur calendar shows three weeks around the current one (the season's
// last three at its end) and marks the current event's row.
TEST_F(CareerEventSelectFlashTest, TheWeekLabelsFollowTheCurrentWeek) {
    const struct {
        s32 event;
        const char* weeks[3];
        const char* marks;
    } rows[] = {
        {0, {"Week 1", "Week 2", "Week 3"}, "*oooooooo"},  {4, {"Week 1", "Week 2", "Week 3"}, "----*oooo"},
        {9, {"Week 3", "Week 4", "Week 5"}, "---*ooooo"},  {21, {"Week 7", "Week 8", "Week 9"}, "---*ooooo"},
        {26, {"Week 7", "Week 8", "Week 9"}, "--------*"},
    };
    for (const auto& row : rows) {
        SimulateTo(row.event);
        CCareerEventSelectFlash calendar;
        Show(calendar);
        EXPECT_EQ(SpriteText(calendar.m_iScreen, kTxtA02), row.weeks[0]) << "event " << row.event;
        EXPECT_EQ(SpriteText(calendar.m_iScreen, kTxtA05), row.weeks[1]) << "event " << row.event;
        EXPECT_EQ(SpriteText(calendar.m_iScreen, kTxtA08), row.weeks[2]) << "event " << row.event;
        EXPECT_EQ(Marks(calendar, kFirstAmateurRow, 9), row.marks) << "event " << row.event;
    }
}

// The pro calendar writes a month's first event on its first line and a second
// one on its second, and marks the current month.
TEST_F(CareerEventSelectFlashTest, ProEventsFillTheirMonthsLines) {
    pEventManager->InitSeason(PRO_L1, eSeason_Pro);
    SimulateTo(2);
    CCareerEventSelectFlash calendar;
    Show(calendar);
    EXPECT_EQ(SpriteText(calendar.m_iScreen, kFirstProLine), "Tournament") << "week 1";
    EXPECT_EQ(SpriteText(calendar.m_iScreen, kFirstProLine + 1), "League Night") << "week 3";
    EXPECT_EQ(SpriteText(calendar.m_iScreen, kFirstProLine + 2), "Tournament") << "week 6";
    EXPECT_EQ(SpriteText(calendar.m_iScreen, kFirstProLine + 3), "");
    EXPECT_EQ(SpriteText(calendar.m_iScreen, kFirstProLine + 2 * 11), "Silverpine Masters")
        << "a major, alone in December";
    EXPECT_EQ(Marks(calendar, kFirstProRow, 12), "-*oooooooooo");
    EXPECT_TRUE(SpriteHidden(calendar.m_iScreen, kTxtA02));
}

// Playing a league night pays its fee and sets up the game; a tournament goes on
// to the tournament flow without paying (it takes the fee itself), or to the
// qualification popup without the money. Backing out pays nothing.
TEST_F(CareerEventSelectFlashTest, PlayingChargesOnlyALeagueNightsFee) {
    const s32 tournament = FirstTournament();
    ASSERT_GT(tournament, 0);
    const u32 fee = pEventManager->GetEvent(s8(tournament))->m_Tourn.BuyIn;
    ASSERT_GT(fee, 0u);
    const struct {
        s32 event;
        u32 money;
        const char* presses;
        eScreenNavigation nav;
        eScreen_List next;
    } rows[] = {
        {0, 600, "a", SFP_SCREEN_NAV_NEXT, eScreen_List_Invalid},
        {tournament, 600, "a", SFP_SCREEN_NAV_NEXT, eScreen_List_Career_TournMenu},
        {tournament, fee, "a", SFP_SCREEN_NAV_NEXT, eScreen_List_Career_TournMenu},
        {tournament, fee - 1, "a", SFP_SCREEN_NAV_NEXT, eScreen_List_Career_EventQualifyPopup},
        {tournament, 600, "b", SFP_SCREEN_NAV_PREVIOUS, eScreen_List_Invalid},
    };
    for (const auto& row : rows) {
        SimulateTo(row.event);
        career->ChangeMoney(s32(row.money) - s32(career->GetMoney()));
        g_ScreenTracker.Reset();
        g_GameSettings.m_Current.iNumPlayers = 0;
        CCareerEventSelectFlash calendar;
        Show(calendar);
        PressOn(calendar.m_iScreen, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.nav) << "event " << row.event << " money " << row.money;
        EXPECT_EQ(g_ScreenTracker.m_NextScreen, row.next) << "event " << row.event << " money " << row.money;
        EXPECT_EQ(career->GetMoney(), row.money) << "event " << row.event;
        EXPECT_EQ(g_GameSettings.m_Current.iNumPlayers, row.event == 0 ? 2 : 0);
        if (row.event == 0) {
            EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, pEventManager->GetEvent()->m_Tourn.Location);
        }
    }
}

// A simulation takes a step every 11 frames with the remote ignored, shows the
// spinning ball until the event is complete, and backing out afterwards asks
// for an autosave.
TEST_F(CareerEventSelectFlashTest, ASimulationStepsEveryElevenFramesAndAsksForAnAutosave) {
    g_GameSettings.m_Current.bAutoSave = 1;
    CCareerEventSelectFlash calendar;
    Show(calendar);
    PressOn(calendar.m_iScreen, "da");
    EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_Career_EventSim);
    g_ScreenTracker.ResetScreenNav();
    calendar.Simulate();
    EXPECT_NE(pEventManager->GetOpponentID(), 0);
    EXPECT_FALSE(SpriteHidden(calendar.m_iScreen, kSimAnim));
    PressOn(calendar.m_iScreen, "bbbbbbbbbb");
    EXPECT_EQ(pEventManager->m_CurrentRound, 0u) << "no step in ten frames";
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE) << "the remote is ignored";
    PressOn(calendar.m_iScreen, "-");
    EXPECT_EQ(pEventManager->m_CurrentRound, 1u);
    PressOn(calendar.m_iScreen, "----------------------");
    EXPECT_EQ(pEventManager->GetCurrentEventNum(), 1) << "three games make the night";
    EXPECT_TRUE(SpriteHidden(calendar.m_iScreen, kSimAnim));
    EXPECT_EQ(calendar.Sim, 0);
    PressOn(calendar.m_iScreen, "b");
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
    EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_Career_Autosave);
    calendar.Kill();
    calendar.KillBG();

    // The season's last event, simulated, leaves the calendar.
    SimulateTo(26);
    g_ScreenTracker.ResetScreenNav();
    CCareerEventSelectFlash last;
    Show(last);
    last.Simulate();
    for (s32 frame = 0; frame < 33 && g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE; ++frame)
        PressOn(last.m_iScreen, "-");
    EXPECT_TRUE(pEventManager->SeasonOver());
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
}

// A league with no bowler to draw (only the player, or nobody) gives no opponent:
// forfeiting and simulating start, and the game is bowled alone.
TEST_F(CareerEventSelectFlashTest, ALeagueWithoutOpponentsDrawsNone) {
    for (u32 bowlers : {1u, 0u}) {
        pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
        pLeagueManager->GetLeague()->m_NumberOfBowlers = bowlers;
        CCareerEventSelectFlash calendar;
        Show(calendar);
        calendar.SkipEvent();
        calendar.Simulate();
        EXPECT_EQ(pEventManager->GetOpponentID(), 0) << bowlers << " bowlers";
        calendar.Sim = 0;
        PressOn(calendar.m_iScreen, "a");
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
        EXPECT_EQ(g_GameSettings.m_Current.iNumPlayers, 1) << bowlers << " bowlers";
        EXPECT_EQ(SpriteText(calendar.m_iScreen, kTxtLoc01), "Hometown, USA");
        g_ScreenTracker.ResetScreenNav();
    }
}

}  // namespace
