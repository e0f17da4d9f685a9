// The main flow as the game shell steps it from power-on on the demo disc: the
// order of its states and when each begins, under scripted remotes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/system.h"
#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "source/ControllerMessage.h"
#include "source/DefaultDisc.h"
#include "source/LevelMgr.h"
#include "source/OrbMain.h"
#include "source/StateMgrs/MainFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/Wii_HomeButton.h"
#include "tests/support/TestHost.h"

namespace {

namespace fs = std::filesystem;

struct Visit {
    s32 state;
    u32 retrace;  // the first retrace of the frame the state's code first ran in
    s32 home;     // whether HOME may open the menu then
};

// Runs the shell's frames until `until` says stop or `retraces` pass; the states
// the main flow went through.
template <class Until>
std::vector<Visit> RunShell(const std::string& script, u32 retraces, Until until) {
    // One file per test: CTest runs the tests in parallel processes.
    const std::string path =
        testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + "_input.txt";
    std::ofstream(path) << script;
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;  // the menu fonts need the whole memory
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.inputScript = path;
    config.nandRoot = testing::TempDir() + "main_flow_nand";  // a first boot: no save yet
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
    const std::string script =
        "0 0 connect\n"
        "30 0 button a down\n32 0 button a up\n"
        "120 0 button a down\n122 0 button a up\n"
        "200 0 button a down\n202 0 button a up\n"
        "300 0 button a down\n302 0 button a up\n"
        "900 0 button a down\n900 0 button b down\n906 0 button a up\n906 0 button b up\n"
        "960 0 button home down\n962 0 button home up\n"
        "1000 0 button a down\n1002 0 button a up\n"
        "1300 0 button a down\n1302 0 button a up\n"
        "1450 0 button a down\n1452 0 button a up\n";
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

}  // namespace
