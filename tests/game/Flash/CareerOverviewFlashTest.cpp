// The career overview, statistics and attributes pages on the demo disc: the
// values they show at the counters' limits, the trophy browser, the spare points
// and how each page looks inside the menus' border.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/TrophyMgr.h"
#include "source/Flash/CareerAttributesFlash.h"
#include "source/Flash/CareerOverviewFlash.h"
#include "source/Flash/CareerStatsFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "tests/game/Flash/CareerScreenFixture.h"

namespace {

// Overview sprites.
constexpr s32 kTxtArmStr = 4, kTxtAccuracy = 6, kTxtMoney = 14, kTxtTName = 20, kTxtTPlace = 21,
              kTxtTSeason = 22, kSprLock = 23;
constexpr u32 kOrange = 0xFF9900FF, kWhite = 0xFFFFFFFF;

class CareerOverviewFlashTest : public CareerScreenFixture {
protected:
    static void Show(CCareerOverviewFlash& overview) {
        ASSERT_EQ(overview.LoadBG(), 1);
        ASSERT_EQ(overview.Load(), 1);
        overview.OpenBG();
        overview.Open();
    }

    // The menus' border around a page, as the career flow opens it.
    void Border(CFlashMainMenu& menu, u32 title) {
        EventWait(GPU_BLACK_FRAMES);
        menu.LoadBackground();
        menu.LoadBorder();
        menu.OpenBorder(SymbolText(title), SymbolText(6907));
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
    Border(menu, 7114);
    career->ItemBuy(1);
    career->EquipItem(1);  // accuracy +2: orange
    CCareerOverviewFlash overview;
    Show(overview);
    EventWait(120);
    ExpectLooksAsKept("career_overview");
}

TEST_F(CareerOverviewFlashTest, TheTrophiesLookAsKept) {
    CFlashMainMenu menu;
    Border(menu, 7114);
    WinTrophies({{eEventType_Tournament, 1, 20, eSeason_Winter, AMATEUR_L2, 3}});
    CCareerOverviewFlash overview;
    Show(overview);
    Press(overview.m_iScreen, "d");
    EventWait(120);
    ExpectLooksAsKept("career_overview_trophies");
}

TEST_F(CareerOverviewFlashTest, TheStatisticsLookAsKept) {
    CFlashMainMenu menu;
    Border(menu, 7239);
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
    Border(menu, 7127);
    career->AddSkillPoints(30);
    CCareerAttributesFlash page;
    ASSERT_EQ(page.Load(), 1);
    page.Open();
    Press(page.m_iScreen, "rd");
    EventWait(120);
    ExpectLooksAsKept("career_attributes");
}

}  // namespace
