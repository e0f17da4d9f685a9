// The career overview, statistics and attributes pages on the demo disc: the
// values they show at the counters' limits, the trophy browser, the spare points
// and how each page looks inside the menus' border.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/TrophyMgr.h"
#include "source/Flash/CareerAttributesFlash.h"
#include "source/Flash/CareerOverviewFlash.h"
#include "source/Flash/CareerStatsFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

// Overview sprites.
constexpr s32 kTxtArmStr = 4, kTxtAccuracy = 6, kTxtMoney = 14, kTxtTName = 20, kTxtTPlace = 21,
              kTxtTSeason = 22, kSprLock = 23;
constexpr u32 kOrange = 0xFF9900FF, kWhite = 0xFFFFFFFF;

class CareerOverviewFlashTest : public MenuFixture {
protected:
    CareerOverviewFlashTest() : MenuFixture(MenuCareer::kInSeason) {}

    // The menus' border around a page, as the career flow opens it.
    void Border(CFlashMainMenu& menu, u32 title) {
        EventWait(GPU_BLACK_FRAMES);
        menu.LoadBackground();
        menu.LoadBorder();
        menu.OpenBorder(SymbolText(title), SymbolText(kTextCareerSubtitle));
    }

    // Tournament podiums in the current slot, as the event manager reports them.
    void WinTrophies(std::initializer_list<s_TrophyEventResult> results) {
        g_TrophyMgr.ClearTrophies(career->GetStats().TrophyProgress);
        for (const s_TrophyEventResult& result : results) {
            g_TrophyMgr.SetEventResult(result);
            g_TrophyMgr.UpdateTrophies();
        }
    }
};

TEST_F(CareerOverviewFlashTest, TheOverviewLooksAsKept) {
    CFlashMainMenu menu;
    Border(menu, kTextCareerOverviewTitle);
    career->ItemBuy(1);
    career->EquipItem(1);  // accuracy +2: orange
    CCareerOverviewFlash overview;
    Show(overview);
    EventWait(120);
    ExpectLooksAsKept("career_overview");
}

TEST_F(CareerOverviewFlashTest, TheTrophiesLookAsKept) {
    CFlashMainMenu menu;
    Border(menu, kTextCareerOverviewTitle);
    WinTrophies({{eEventType_Tournament, 1, 20, eSeason_Winter, AMATEUR_L2, 3}});
    CCareerOverviewFlash overview;
    Show(overview);
    PressOn(overview.m_iScreen, "d");
    EventWait(120);
    ExpectLooksAsKept("career_overview_trophies");
}

TEST_F(CareerOverviewFlashTest, TheStatisticsLookAsKept) {
    CFlashMainMenu menu;
    Border(menu, kTextCareerStatsTitle);
    s_Character_Stats& stats = career->GetStats();
    stats.m_TotalWins = 12;
    stats.m_TotalGames = 20;
    stats.m_Strikes = 143;
    career->ChangeMoney(1500);
    CCareerStatsFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    EventWait(120);
    ExpectLooksAsKept("career_stats");
}

TEST_F(CareerOverviewFlashTest, TheAttributesLookAsKept) {
    CFlashMainMenu menu;
    Border(menu, kTextCareerAttributesTitle);
    career->AddSkillPoints(30);
    CCareerAttributesFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    PressOn(page.m_iScreen, "rd");
    EventWait(120);
    ExpectLooksAsKept("career_attributes");
}

// Money and the counters at their largest fit their fields whole.
TEST_F(CareerOverviewFlashTest, ValuesAtTheCountersLimitsShowWhole) {
    for (s32 i = 0; i < 3; ++i)
        career->ChangeMoney(0x7FFFFFFF);  // saturates at 2^32 - 1
    s_Character_Stats& stats = career->GetStats();
    stats.m_TotalWins = 4000000000u;
    stats.m_TotalGames = 4294967295u;
    stats.m_RivalWins = 5;
    stats.m_RivalChallenges = 3;  // a damaged save: no losses rather than a wrapped count
    career->ItemBuy(1);
    career->EquipItem(1);  // accuracy +2

    CCareerOverviewFlash overview;
    Show(overview);
    EXPECT_STREQ(overview.money, "$4294967295");
    EXPECT_EQ(SpriteText(overview.m_iScreen, kTxtMoney), "$4294967295");
    EXPECT_EQ(SpriteText(overview.m_iScreen, kTxtAccuracy), "22");
    EXPECT_EQ(Sprite(overview.m_iScreen, kTxtAccuracy).tint, kOrange) << "raised by the equipment";
    EXPECT_EQ(Sprite(overview.m_iScreen, kTxtArmStr).tint, kWhite);

    CCareerStatsFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    EXPECT_STREQ(page.StatStrings[0], "4000000000/294967295");
    EXPECT_STREQ(page.StatStrings[6], "5/0");
    EXPECT_STREQ(page.StatStrings[13], "$4294967295");
    EXPECT_EQ(SpriteText(page.m_iScreen, 15), "4000000000/294967295");
    EXPECT_EQ(SpriteText(page.m_iScreen, 28), "$4294967295");
}

// A trophy names the tournament of its week (an amateur season's, counted through
// the league's seasons) or of its record (the pro calendar's); a record outside
// its league's calendar names none.
TEST_F(CareerOverviewFlashTest, ATrophyFindsItsTournamentOnlyInsideItsLeaguesCalendar) {
    const struct {
        u32 league, season, week;
        const char* name;
    } rows[] = {
        {AMATEUR_L1, eSeason_Winter, 3, "Rookie Roll-Off"},
        {AMATEUR_L2, eSeason_Winter, 3, "Moonlight Pin Dash"},
        {AMATEUR_L1, eSeason_Autumn, 9, "League Night"},  // the block's last record
        {AMATEUR_L1, eSeason_Autumn, 10, nullptr},
        {AMATEUR_L1, eSeason_Winter, 0, nullptr},
        {AMATEUR_L1, 0xFFFFFFFFu, 3, nullptr},
        {PRO_L1, eSeason_Pro, 18, "Silverpine Masters"},
        {PRO_L1, eSeason_Pro, 19, nullptr},
        {NOLEAGUE, eSeason_Winter, 1, nullptr},
        {PRO_L1 + 1, eSeason_Winter, 1, nullptr},
    };
    for (const auto& row : rows) {
        const s_TournamentDef* t = TrophyTournament({row.season, row.league, 1, 0, row.week});
        EXPECT_STREQ(t != nullptr ? t->sTournName : nullptr, row.name)
            << "league " << row.league << " season " << row.season << " week " << row.week;
    }
}

// Without trophies the trophy button shows the lock instead of the bowler; with
// two, left and right turn through them, wrapping.
TEST_F(CareerOverviewFlashTest, TheTrophyButtonBrowsesTheTrophiesOrShowsTheLock) {
    CCareerOverviewFlash empty;
    Show(empty);
    PressOn(empty.m_iScreen, "d");
    EXPECT_FALSE(SpriteHidden(empty.m_iScreen, kSprLock));
    EXPECT_TRUE(SpriteHidden(empty.m_iScreen, kTxtTName));
    EXPECT_FALSE(empty.m_bDisplayModel);
    EXPECT_FALSE(empty.m_bDisplayTrophy);
    PressOn(empty.m_iScreen, "u");
    EXPECT_TRUE(SpriteHidden(empty.m_iScreen, kSprLock));
    EXPECT_TRUE(empty.m_bDisplayModel);
    empty.Kill();
    empty.KillBG();

    WinTrophies({{eEventType_Tournament, 1, 20, eSeason_Winter, AMATEUR_L2, 3},
                 {eEventType_Tournament, 3, 24, eSeason_Spring, AMATEUR_L2, 7}});
    CCareerOverviewFlash overview;
    Show(overview);
    const struct {
        const char* presses;
        const char* name;
        const char* place;
        const char* season;
    } steps[] = {
        {"d", "Moonlight Pin Dash", "1st place", "WINTER LEAGUE"},
        {"r", "Riverside Scratch Open", "3rd place", "SPRING LEAGUE"},
        {"r", "Moonlight Pin Dash", "1st place", "WINTER LEAGUE"},
        {"l", "Riverside Scratch Open", "3rd place", "SPRING LEAGUE"},
    };
    for (const auto& step : steps) {
        PressOn(overview.m_iScreen, step.presses);
        EXPECT_EQ(SpriteText(overview.m_iScreen, kTxtTName), step.name) << step.presses;
        EXPECT_EQ(SpriteText(overview.m_iScreen, kTxtTPlace), step.place);
        EXPECT_EQ(SpriteText(overview.m_iScreen, kTxtTSeason), step.season);
    }
    EXPECT_TRUE(overview.m_bDisplayTrophy);
    EXPECT_TRUE(SpriteHidden(overview.m_iScreen, kSprLock));
    PressOn(overview.m_iScreen, "a");
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE) << "accept on the trophies leads nowhere";
    PressOn(overview.m_iScreen, "ua");
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
    EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_Stats);
}

// Back is the statistics page's only way out.
TEST_F(CareerOverviewFlashTest, TheStatisticsLeaveOnlyByBack) {
    CCareerStatsFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    PressOn(page.m_iScreen, "udlra-");
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE);
    PressOn(page.m_iScreen, "b");
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
}

// The page spends the career's spare points, one skill point for every ten earned,
// on skills up to 100, and takes back only what it spent.
TEST_F(CareerOverviewFlashTest, TheAttributesSpendTheSparePointsTheCareerHas) {
    career->AddSkillPoints(25);
    career->SetHookControl(99);
    CCareerAttributesFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    EXPECT_EQ(page.sp, 2u);
    const struct {
        const char* presses;
        u8 arm, hook;
        u32 sp;
    } steps[] = {
        {"r", 21, 99, 1},    {"r", 22, 99, 0},  {"r", 22, 99, 0},  // none left
        {"lll", 20, 99, 2},                                        // not below the career's own
        {"ddr", 20, 100, 1}, {"r", 20, 100, 1},                    // at the top
        {"uur", 21, 100, 0},
    };
    for (const auto& step : steps) {
        PressOn(page.m_iScreen, step.presses);
        EXPECT_EQ(page.attrib[0], step.arm) << step.presses;
        EXPECT_EQ(page.attrib[2], step.hook) << step.presses;
        EXPECT_EQ(page.sp, step.sp) << step.presses;
    }
    EXPECT_EQ(SpriteText(page.m_iScreen, 13), "0");
    PressOn(page.m_iScreen, "b");
    EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_Career_Overview);
    page.Close();
    EXPECT_EQ(career->GetStats().m_ArmStrength, 21u);
    EXPECT_EQ(career->GetStats().m_HookControl, 100u);
    EXPECT_EQ(career->GetStats().m_SkillPoints, 5u);
}

}  // namespace
