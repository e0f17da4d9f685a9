// The main menu's flow as the main flow runs it, once a frame on the demo disc,
// under a scripted remote: each entry reaches its flow and comes back or ends
// the menu, and the settings screen keeps or restores what was changed.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/MainMenuFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/game/StateMgrs/ShellRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GameFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class MainMenuFlowTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
    }
    HostConfig Config() const override {
        HostConfig config = MenuScreenFixture::Config();
        config.pictures = false;  // the flow runs the same without them
        return config;
    }
};

constexpr s32 kDepth = 1;
constexpr s32 kWaitingAtMenu = 4;  // the flow's states
constexpr s32 kQuickPlay = 7;
constexpr s32 kSettings = 10;
constexpr s32 kCareer = 11;
constexpr s32 kCredits = 13;

constexpr s32 kFirstPress = 20;
constexpr s32 kPressEvery = 8;  // frames

TEST_F(MainMenuFlowTest, EachEntryReachesItsFlow) {
    const struct {
        const char* what;
        const char* keys;
        s32 through;  // a state the flow went through
        bool done;    // else back at the menu, waiting
        eScreenNavigation answer;
        s32 keptMusic;
    } rows[] = {
        {"quick play starts a game", "a...a", kQuickPlay, true, SFP_SCREEN_NAV_NEXT, 8},
        // B on the career's bowler slots.
        {"the career comes back", "da....b", kCareer, false, SFP_SCREEN_NAV_NONE, 8},
        // A change accepted is saved: the save dialogue offers a new save (left, A).
        {"settings, changed and accepted", "dda...ra............la", kSettings, false, SFP_SCREEN_NAV_NONE,
         9},
        {"settings, B while they leave changes nothing", "dda...rab...........la", kSettings, false,
         SFP_SCREEN_NAV_NONE, 9},
        {"settings, changed and backed out", "dda...rb", kSettings, false, SFP_SCREEN_NAV_NONE, 8},
        {"settings, changed back and accepted", "dda...rla", kSettings, false, SFP_SCREEN_NAV_NONE, 8},
        {"the credits come back", "ddda....b", kCredits, false, SFP_SCREEN_NAV_NONE, 8},
        {"back leaves the menu", "b", kWaitingAtMenu, true, SFP_SCREEN_NAV_PREVIOUS, 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_GameSettings.SetDefault();
        g_ScreenTracker.Reset();
        MainMenuFlashColdReset();  // the last row's cursor
        ScriptFromNow(ScriptPresses(row.keys, kFirstPress, kPressEvery));
        State state;
        std::set<s32> visited;
        // Past the last press, the flow ends or waits at the menu again.
        const s32 settled = kFirstPress + kPressEvery * s32(std::strlen(row.keys)) + 30;
        bool done = false;
        for (s32 frame = 0; frame < 800 && !done; ++frame) {
            if (frame > settled && state.m_value[kDepth] == kWaitingAtMenu)
                break;
            visited.insert(state.m_value[kDepth]);
            done = g_MainMenuFlow.run(state, kDepth) == 1;
            EventWait(1);
        }
        EXPECT_TRUE(visited.count(row.through));
        EXPECT_EQ(done, row.done);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer);
        EXPECT_EQ(g_GameSettings.m_Current.musicVolume, row.keptMusic);
        if (row.through == kQuickPlay) {
            EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, 20);
            EXPECT_EQ(g_GameSettings.m_Current.gameMode, eGameMode_QuickPlay);
        }
        if (row.done) {
            EXPECT_EQ(g_MainMenuFlow.pFlashMainMenu, nullptr) << "the screens are freed";
        } else {
            EXPECT_EQ(state.m_value[kDepth], kWaitingAtMenu);
            const CFlashMainMenu& menu = *g_MainMenuFlow.pFlashMainMenu;
            EXPECT_EQ(SFP2KIsScreenActive(menu.m_iScreenIds[MAINMENU_LAYER_MENU]), 1);
            EXPECT_EQ(menu.m_iScreenIds[MAINMENU_LAYER_SETTINGS], -1);
            EXPECT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_MainMenu);
        }
        g_MainMenuFlow.pFlashMainMenu.reset();
    }
}

// A menu whose movie does not load says so; A takes the player back to the title
// rather than leaving an empty background that answers nothing.
TEST_F(MainMenuFlowTest, AMenuThatDoesNotLoadSaysSoAndGoesBack) {
    SFP_SCREEN_INFO_t& layer = FlashMainMenuScreen[MAINMENU_LAYER_MENU];
    const char* movie = layer.fileName;
    layer.fileName = "Missing";
    g_GameSettings.SetDefault();
    g_ScreenTracker.Reset();
    ScriptFromNow(ScriptPresses("a", kFirstPress, kPressEvery));
    State state;
    bool done = false;
    bool told = false;
    for (s32 frame = 0; frame < 400 && !done; ++frame) {
        told = told || std::strcmp(g_GenPopupFlow.m_sMessageBuffer, SymbolText(kTextMenuLoadFailed)) == 0;
        done = g_MainMenuFlow.run(state, kDepth) == 1;
        if (frame < kFirstPress && !done) {
            EXPECT_NE(state.m_value[kDepth], kWaitingAtMenu) << "frame " << frame;
        }
        EventWait(1);
    }
    layer.fileName = movie;
    EXPECT_TRUE(told);
    EXPECT_TRUE(report().contains("SFP2K: cannot read 640/Missing.sfp"));
    EXPECT_TRUE(done) << "A answered the message";
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
    EXPECT_EQ(g_MainMenuFlow.pFlashMainMenu, nullptr);
}

// The program stopped by its frame limit while the main menu is up ends cleanly:
// the menu's screens are freed while the heap holding them is still there.
using MainMenuFlowProgramTest = ChildProcessTest;

TEST_F(MainMenuFlowProgramTest, TheProgramEndsCleanlyInTheMainMenu) {
    ChildProcess child(BOWLING_PROGRAM, {"--headless", "--verbose", "--frames", "1400", "--input",
                                         File("boot.txt", kBootToMainMenu), "--nand", Path("nand")});
    std::string error;
    EXPECT_EQ(child.Wait(&error), 0) << Tail(error);
    EXPECT_NE(error.find("Load 640/MainMenu.sfp"), std::string::npos) << "the menu was up";
}

}  // namespace
