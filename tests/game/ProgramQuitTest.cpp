// A signal ends the game at any moment with status 0, its screens freed on the
// way out (the sanitizer builds catch what is used after it went).
#include <gtest/gtest.h>
#include <pthread.h>

#include <csignal>
#include <string>

#include "tests/game/StateMgrs/ShellRun.h"
#include "tests/support/ChildProcess.h"

namespace {

using ProgramQuitTest = ChildProcessTest;

// Each boot screen's movie, the boot-time save's dialogue and the main menu's,
// pictures on: the signal comes while the screen is up.
TEST_F(ProgramQuitTest, ASignalOnEveryBootScreenAndTheMainMenuEndsTheGame) {
    const std::string boot = File("boot.txt", kBootToMainMenu);
    const struct {
        const char* movie;
        int signal;
    } cases[] = {{"WIIStrap", SIGINT}, {"WiiLicense", SIGTERM}, {"Legal", SIGHUP},
                 {"Start", SIGINT},    {"LoadSave", SIGTERM},   {"MainMenu", SIGHUP}};
    for (const auto& c : cases) {
        const std::string name = c.movie;
        ChildProcess child(BOWLING_PROGRAM, {"--headless", "--verbose", "--input", boot, "--nand",
                                             Path(name + ".nand"), "--screenshot", Path(name + ".png")});
        ASSERT_TRUE(child.ReadErrorUntil("Load 640/" + name + ".")) << name;
        child.Signal(c.signal);
        EXPECT_TRUE(child.Exits(0)) << name;
    }
}

// A signal that came before the game was ready, held back by the signal mask it
// inherited, ends it on its first frames: the boot screens, pressed on by the
// script, have not gone on past the first.
TEST_F(ProgramQuitTest, ASignalBeforeTheGameIsReadyEndsIt) {
    sigset_t hangUp, before;
    sigemptyset(&hangUp);
    sigaddset(&hangUp, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &hangUp, &before);
    ChildProcess child(BOWLING_PROGRAM, {"--headless", "--verbose", "--input",
                                         File("boot.txt", kBootToMainMenu), "--frames", "600"});
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    child.Signal(SIGHUP);
    std::string error;
    EXPECT_EQ(child.Wait(&error), 0);
    EXPECT_EQ(error.find("Load 640/WiiLicense."), std::string::npos) << Tail(error);
}

}  // namespace
