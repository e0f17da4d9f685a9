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
#include "source/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

class CareerMainMenuFlashTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        ASSERT_TRUE(PlayerPartsLoad());
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
        CCareerCharacter& career = *CCareerCharacter::GetInstance();
        career.SetCurrSlot(0);
        career.SetName("ROLLER");
        career.Init();
        g_ScreenTracker.Reset();
    }
    void TearDown() override {
        PlayerPartsFree();
        MenuScreenFixture::TearDown();
    }

    static void Show(CCareerMainMenuFlash& hub) {
        ASSERT_EQ(hub.LoadBG(), 1);
        ASSERT_EQ(hub.Load(), 1);
        hub.OpenBG();
        hub.Open();
    }
};

// One update per character: d down, u up, r right, a A, - nothing.
void Press(CCareerMainMenuFlash& hub, const char* presses) {
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(hub.m_iScreen);
    for (const char* c = presses; *c != '\0'; ++c) {
        const u32 word = *c == 'd'   ? PAD_DOWN
                         : *c == 'u' ? PAD_UP
                         : *c == 'r' ? PAD_RIGHT
                         : *c == 'a' ? PAD_A
                                     : 0;
        Pad[0].bdown = Pad[0].bnew = word;
        info->Update(hub.m_iScreen, info);
    }
    Pad[0].bdown = Pad[0].bnew = 0;
}

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
        Press(hub, row.presses);
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
    menu.OpenBorder(SymbolText(6906), SymbolText(6907));
    CCareerMainMenuFlash hub;
    Show(hub);
    Press(hub, "ddd");
    EventWait(120);
    constexpr const char* kDrawn = "career_hub_drawn.png";
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/career_hub.png", kDrawn), 60u)
        << "see " << kDrawn;
}

}  // namespace
