// The reset and power buttons and the ways out of the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "console/host_services.h"
#include "console/input/input_control.h"
#include "console/kpad.h"
#include "console/os.h"
#include "console/os/reset_control.h"
#include "console/system.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace {

using ResetButtonTest = ConsoleTest;

TEST_F(ResetButtonTest, TheScriptPressesAndReleasesItByFrame) {
    VIInit();
    KPADInit();
    std::string error;
    ASSERT_TRUE(HostInputSetScript("2 reset down\n0 0 connect\n4 reset up\n", &error)) << error;
    bool seen[6];
    for (bool& down : seen) {
        down = OSGetResetButtonState() != FALSE;
        VIWaitForRetrace();
    }
    const bool expected[6] = {false, false, true, true, false, false};
    for (int frame = 0; frame < 6; ++frame)
        EXPECT_EQ(seen[frame], expected[frame]) << "retrace " << frame;
}

TEST_F(ResetButtonTest, BadResetLinesAreRefused) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"1 reset pressed\n", "line 1: expected 'down' or 'up'"},
        {"1 reset\n", "line 1: 'reset' takes 1 argument"},
        {"1 reset down now\n", "line 1: 'reset' takes 1 argument"},
        {"x reset down\n", "line 1: bad frame 'x'"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(HostInputSetScript(c.script, &error)) << c.script;
        EXPECT_EQ(error, c.error);
    }
}

TEST_F(ResetButtonTest, ANewStartReleasesIt) {
    HostSetResetButton(true);
    EXPECT_TRUE(OSGetResetButtonState());
    HostInit(SmallConfig());
    EXPECT_FALSE(OSGetResetButtonState());
}

int s_powers = 0;
int s_quits = 0;
void CountPower() {
    ++s_powers;
}
void CountQuit() {
    ++s_quits;
}

// Closing the window (or a signal) is the power button once the program listens
// for it, and a plain quit request otherwise.
TEST_F(ResetButtonTest, AQuitRequestPressesThePowerButtonWhenOneIsInstalled) {
    for (bool power : {true, false}) {
        HostInit(SmallConfig());
        VIInit();
        s_powers = s_quits = 0;
        HostSetQuitCallback(CountQuit);
        if (power) {
            EXPECT_EQ(OSSetPowerCallback(CountPower), nullptr);
        }
        HostRequestQuit();
        VIWaitForRetrace();
        VIWaitForRetrace();
        EXPECT_EQ(s_powers, power ? 1 : 0);
        EXPECT_EQ(s_quits, power ? 0 : 1);
    }
    HostInit(SmallConfig());
    EXPECT_EQ(OSSetPowerCallback(nullptr), nullptr) << "a new start forgets it";
}

struct Left {
    int restartCode;
};
void ThrowRestart(u32 code) {
    throw Left{int(code)};
}
void ThrowShutdown() {
    throw Left{-1};
}

TEST_F(ResetButtonTest, TestHandlersStandInForLeavingTheProgram) {
    HostSetRestartHandler(ThrowRestart);
    HostSetShutdownHandler(ThrowShutdown);
    const struct {
        void (*leave)();
        int code;
    } cases[] = {
        {[] { OSRestart(3); }, 3},
        {[] { OSShutdownSystem(); }, -1},
        {[] { OSReturnToMenu(); }, -1},
    };
    for (const auto& c : cases) {
        try {
            c.leave();
            ADD_FAILURE() << "returned";
        } catch (const Left& left) {
            EXPECT_EQ(left.restartCode, c.code);
        }
    }
}

using ResetButtonDeathTest = ResetButtonTest;

// Switching off leaves the program normally: its exit work runs.
TEST_F(ResetButtonDeathTest, ShutdownLeavesThroughExit) {
    EXPECT_EXIT(
        {
            std::atexit([] { std::fputs("exit work done\n", stderr); });
            OSShutdownSystem();
        },
        testing::ExitedWithCode(0), "exit work done");
}

// The process's name, as ps and top show it.
std::string ProcessName() {
    std::string name;
    std::getline(std::ifstream("/proc/self/comm"), name);
    return name;
}

// A restart runs the program again from the top with the same arguments, under
// its own name. The threadsafe style starts the death test's child with
// arguments that run this statement alone, so the restarted program runs it
// again and finds the mark: the name it had before.
TEST_F(ResetButtonDeathTest, RestartRunsTheProgramAgainWithItsArgumentsAndName) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (const char* before = std::getenv("BOWLING_RESTARTED"))
                std::_Exit(ProcessName() == before ? 42 : 43);
            setenv("BOWLING_RESTARTED", ProcessName().c_str(), 1);
            OSRestart(0);
        },
        testing::ExitedWithCode(42), "");
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
