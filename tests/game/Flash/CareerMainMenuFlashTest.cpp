// The career hub on the demo disc's movies: the practice entry's kind and how the
// hub looks inside the menus' border.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/CareerMainMenuFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class CareerMainMenuFlashTest : public MenuFixture {
protected:
    CareerMainMenuFlashTest() : MenuFixture(MenuCareer::kBowler) {}
};

// Practice is played only when accepted on its entry showing practice; leaving
// the entry goes back to a standard game.
TEST_F(CareerMainMenuFlashTest, PracticeIsChosenOnlyOnItsEntry) {
    const struct {
        const char* presses;
        s32 practice;
        eScreen_List next;
    } rows[] = {
        {"dddra", 1, eScreen_List_Career_TrainingSelect},
        {"dddrra", 0, eScreen_List_Career_TrainingSelect},
        {"dddrdua", 0, eScreen_List_Career_TrainingSelect},
        {"dddrda", 0, eScreen_List_Career_Proshop},
    };
    for (const auto& row : rows) {
        CCareerMainMenuFlash hub;
        Show(hub);
        g_ScreenTracker.ResetScreenNav();
        PressOn(hub.m_iScreen, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_NextScreen, row.next) << row.presses;
        EXPECT_EQ(hub.m_Practice, row.practice) << row.presses;
        EXPECT_EQ(g_GameSettings.m_Current.gameType, row.practice ? eGameType_Practice : eGameType_Standard);
    }
}

TEST_F(CareerMainMenuFlashTest, TheHubLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    menu.OpenBorder(SymbolText(kTextCareerHubTitle), SymbolText(kTextCareerSubtitle));
    CCareerMainMenuFlash hub;
    Show(hub);
    PressOn(hub.m_iScreen, "ddd");
    EventWait(120);
    ExpectLooksAsKept("career_hub");
}

}  // namespace
