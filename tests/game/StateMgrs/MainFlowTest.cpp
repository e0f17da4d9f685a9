// The main flow as the game shell steps it from power-on on the demo disc: the
// order of its states and when each begins, under scripted remotes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/system.h"
#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "source/ControllerMessage.h"
#include "source/DefaultDisc.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Objects/Object.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/MainFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/Wii_HomeButton.h"
#include "tests/game/StateMgrs/ShellRun.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestHost.h"

namespace {

namespace fs = std::filesystem;

u32 EnteredAt(const std::vector<Visit>& visits, s32 state) {
    for (const Visit& visit : visits)
        if (visit.state == state)
            return visit.retrace;
    ADD_FAILURE() << "state " << state << " never ran";
    return 0;
}

std::vector<s32> States(const std::vector<Visit>& visits) {
    std::vector<s32> states;
    for (const Visit& visit : visits)
        states.push_back(visit.state);
    return states;
}

constexpr u32 kSecond = 60;  // retraces

// A press in the strap warning's first second is ignored, the next one ends
// it; the licence notice cannot be skipped; a press in the legal notice's first
// two seconds ends it right after them; the two logo movies play through; A and
// B on the title go on to the boot-time load, whose offer of a new save is taken
// (HOME pressed while it asks does nothing), the menu, and with A on its first
// entry and A on the quick-play set-up to the chosen level.
TEST(MainFlowTest, BootsThroughTheScreensToTheMenusAndTheGame) {
    const std::string script = kBootToQuickPlay + "1450 0 button a down\n1452 0 button a up\n";
    const std::vector<Visit> visits =
        RunShell(script, 1900, [] { return g_MainFlow.state.m_value[0] == 19; });
    EXPECT_EQ(States(visits),
              (std::vector<s32>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    const u32 strapShown = EnteredAt(visits, 3);
    EXPECT_GE(EnteredAt(visits, 4), 120u);
    EXPECT_LT(EnteredAt(visits, 4), 126u);
    EXPECT_GT(strapShown, 0u);
    const u32 licence = EnteredAt(visits, 6);
    EXPECT_NEAR(double(EnteredAt(visits, 7) - licence), 2.0 * kSecond, 4.0);
    const u32 legal = EnteredAt(visits, 9);
    EXPECT_NEAR(double(EnteredAt(visits, 10) - legal), 2.0 * kSecond, 6.0);
    EXPECT_GE(EnteredAt(visits, 12) - EnteredAt(visits, 11), 2 * 90 * 2u);  // two movies of 90 frames
    EXPECT_GE(EnteredAt(visits, 15), 900u);
    // HOME does nothing until the logo movies have played.
    for (const Visit& visit : visits)
        EXPECT_EQ(visit.home, visit.state > 11 ? 1 : 0) << "state " << visit.state;
    EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, 20);
}

// Thirty seconds on the title with no press start bring the attract game; any
// button ends it and the title comes back with a fresh count.
TEST(MainFlowTest, TheIdleTitleStartsAttractMode) {
    std::string script =
        "0 0 connect\n"
        "100 0 button a down\n102 0 button a up\n"
        "280 0 button a down\n282 0 button a up\n";
    // A press as soon as the attract game runs, after its six seconds of loading:
    // one every quarter second.
    for (u32 retrace = 2250; retrace < 3400; retrace += 15)
        script +=
            std::to_string(retrace) + " 0 button a down\n" + std::to_string(retrace + 2) + " 0 button a up\n";
    bool attract = false;
    bool back = false;
    std::vector<Visit> visits = RunShell(script, 3600, [&] {
        attract = attract || g_LevelMgr.bAttractModeEnabled != 0;
        back = attract && g_MainFlow.state.m_value[0] == 13;
        return back;
    });
    ASSERT_TRUE(attract);
    const u32 title = EnteredAt(visits, 13);
    EXPECT_NEAR(double(EnteredAt(visits, 14) - title), 30.0 * kSecond, 4.0);
    ASSERT_GE(visits.size(), 3u);
    EXPECT_EQ(States({visits.end() - 3, visits.end()}), (std::vector<s32>{19, 12, 13}));
    EXPECT_EQ(visits.end()[-3].home, 0) << "no HOME menu over the attract game";
    EXPECT_TRUE(back);
}

// B on the main menu goes back to the title, not through the logo movies again;
// the boot left autosave on.
TEST(MainFlowTest, BackingOutOfTheMainMenuShowsTheTitle) {
    s32 autosave = -1;
    const std::vector<Visit> visits =
        RunShell(std::string(kBootToMainMenu) + "1300 0 button b down\n1302 0 button b up\n", 1800, [&] {
            const s32 main = g_MainFlow.state.m_value[0];
            if (main == 18 && autosave < 0)
                autosave = g_GameSettings.m_Current.bAutoSave;
            return autosave >= 0 && main == 13;
        });
    EXPECT_EQ(States(visits),
              (std::vector<s32>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 12, 13}));
    EXPECT_EQ(autosave, 1);
}

}  // namespace

// Quick play from power-on: player 1 and a computer bowler picked on the set-up
// (down, left: the second slot from nobody to the computer), a whole game with the
// player's throws swung as the lane asks for them, the screens after it taken with
// A (the scoreboard among them), and back to the main menu; the same scores every
// time.
TEST(MainFlowTest, AQuickPlayGameFromPowerOnBackToTheMainMenu) {
    const std::string script = kBootToQuickPlay +
                               "1450 0 button down down\n1452 0 button down up\n"
                               "1462 0 button left down\n1464 0 button left up\n"
                               "1476 0 button a down\n1478 0 button a up\n";
    std::vector<s32> levelStates;
    std::vector<u32> totals;
    LevelPlayer player;
    bool inLevel = false, hudShown = true;
    const std::vector<Visit> visits = RunShell(script, 60000, [&] {
        const s32 main = g_MainFlow.state.m_value[0];
        if (main == 18 && inLevel)
            return g_ScreenTracker.m_CurrScreen == eScreen_List_MainMenu;
        if (main != 19)
            return false;
        inLevel = true;
        const s32 level = g_MainFlow.state.m_value[1];
        if (levelStates.empty() || levelStates.back() != level)
            levelStates.push_back(level);
        if (player.Step()) {
            hudShown &= player.lane() != LANE_STATE_AIM || g_HUDDraw == 1;
            if (player.lane() == LANE_STATE_GAME_OVER)
                for (u32 bowler = 0; bowler < 2; ++bowler)
                    totals.push_back(Physics.mScoreKeeper.GetTotalScore(bowler));
        }
        return false;
    });
    EXPECT_EQ(States(visits),
              (std::vector<s32>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 18}));
    for (s32 state : {kLevelPlay, kLevelScoreBoard})
        EXPECT_NE(std::find(levelStates.begin(), levelStates.end(), state), levelStates.end()) << state;
    EXPECT_EQ(totals, (std::vector<u32>{116, 181}));
    EXPECT_TRUE(hudShown);
}

// Settings changed and accepted in one run (down twice to the settings, the music
// one step up, A, and Yes to overwriting the save the first boot made) are saved,
// and the next run with the same storage boots with them.
TEST(MainFlowTest, SettingsChangedInOneRunAreThereInTheNext) {
    const auto atMainMenu = [] {
        return g_MainFlow.state.m_value[0] == 18 && g_ScreenTracker.m_CurrScreen == eScreen_List_MainMenu;
    };
    std::vector<s32> music;
    RunShell(std::string(kBootToMainMenu) +
                 "1300 0 button down down\n1302 0 button down up\n"
                 "1310 0 button down down\n1312 0 button down up\n"
                 "1320 0 button a down\n1322 0 button a up\n"
                 "1380 0 button right down\n1382 0 button right up\n"
                 "1400 0 button a down\n1402 0 button a up\n"
                 "1440 0 button left down\n1442 0 button left up\n"
                 "1460 0 button a down\n1462 0 button a up\n",
             1800, [&] {
                 if (music.empty() && atMainMenu())
                     music.push_back(g_GameSettings.m_Current.musicVolume);
                 return false;
             });
    music.push_back(g_GameSettings.m_Current.musicVolume);
    RunShell(kBootToMainMenu, 1800, atMainMenu, true);
    music.push_back(g_GameSettings.m_Current.musicVolume);
    EXPECT_EQ(music, (std::vector<s32>{8, 9, 9}));
}
