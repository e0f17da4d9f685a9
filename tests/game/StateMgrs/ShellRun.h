// The game shell run from power-on on the demo disc, as the program runs it, for
// tests of whole flows under scripted remotes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "source/ControllerMessage.h"
#include "source/DefaultDisc.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/MainFlow.h"
#include "source/Wii_HomeButton.h"
#include "tests/support/GameFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TestHost.h"

struct Visit {
    s32 state;
    u32 retrace;  // the first retrace of the frame the state's code first ran in
    s32 home;     // whether HOME may open the menu then
};

// Runs the shell's frames until `until` says stop or `retraces` pass; the states
// the main flow went through.
// Flash storage starts empty (a first boot) unless `restart` keeps what the test's
// last run left there.
template <class Until>
std::vector<Visit> RunShell(const std::string& script, u32 retraces, Until until, bool restart = false) {
    // One file and one storage folder per test and process: CTest runs the tests in
    // parallel processes, and other builds may run the same test at the same time.
    namespace fs = std::filesystem;
    HostConfig config = TestHostConfig();
    const std::string name =
        config.nandRoot + "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string path = name + "_input.txt";
    std::ofstream(path) << script;
    config.mem1Size = HostConfig{}.mem1Size;  // the menu fonts need the whole memory
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.inputScript = path;
    config.nandRoot = name + "_nand";
    if (!restart)
        fs::remove_all(config.nandRoot);
    config.pictures = false;  // the flow's timing is the same without them
    HostInit(config);
    OrbMainStartup();
    std::vector<Visit> visits;
    while (VIGetRetraceCount() < retraces) {
        const s32 state = g_MainFlow.state.m_value[0];
        if (visits.empty() || visits.back().state != state)
            visits.push_back({state, VIGetRetraceCount(), HomeButtonEnabled});
        if (until())
            break;
        g_MainFlow.run();
        ControllerMessageCheck();
        EventWait(1);
    }
    OrbMainShutdown();
    HostShutdown();
    return visits;
}

// From power-on through the boot screens (with a press too early, one to end the
// strap warning, one in the legal notice, A and B on the title, HOME while the
// boot-time load asks and A to take its offer of a new save) to the main
// menu, which is up from retrace 1300.
constexpr const char* kBootToMainMenu =
    "0 0 connect\n"
    "30 0 button a down\n32 0 button a up\n"
    "120 0 button a down\n122 0 button a up\n"
    "200 0 button a down\n202 0 button a up\n"
    "300 0 button a down\n302 0 button a up\n"
    "900 0 button a down\n900 0 button b down\n906 0 button a up\n906 0 button b up\n"
    "960 0 button home down\n962 0 button home up\n"
    "1000 0 button a down\n1002 0 button a up\n";

// Then A on the main menu's first entry, quick play, whose set-up is open from
// retrace 1450.
inline const std::string kBootToQuickPlay =
    std::string(kBootToMainMenu) + "1300 0 button a down\n1302 0 button a up\n";

constexpr s32 kLevelOilPattern = 6, kLevelPlay = 8, kLevelScoreBoard = 14;  // the level flow's states

// Plays a level's game for the players: each human throw swung when the lane asks
// for it, and the screens between the lane's turns taken with A. Step() once a
// frame while the level runs; it returns whether the lane's state changed.
class LevelPlayer {
public:
    bool Step() {
        const bool changed = Physics.m_state != lane_;
        if (changed) {
            lane_ = Physics.m_state;
            if (lane_ == LANE_STATE_AIM && g_Players[Physics.iCurrentBowler].bIsHumanPlayer)
                ScriptFromNow("0 0 connect\n1 0 button b down\n1 0 swing 12 2.5\n15 0 button b up\n");
        }
        // The career's oil pattern and every screen after the game wait for A.
        const s32 level = g_MainFlow.state.m_value[1];
        if ((level == kLevelOilPattern || level > kLevelPlay) && VIGetRetraceCount() >= nextPress_) {
            ScriptFromNow(ScriptPress('a'));
            nextPress_ = VIGetRetraceCount() + 60;
        }
        return changed;
    }
    s32 lane() const { return lane_; }

private:
    s32 lane_ = -1;
    u32 nextPress_ = 0;
};
