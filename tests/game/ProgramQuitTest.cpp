// A signal ends the game at any moment with status 0, its screens freed on the
// way out (the sanitizer builds catch what is used after it went).
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/game/StateMgrs/ShellRun.h"
#include "tests/support/ChildProcess.h"

namespace {

namespace fs = std::filesystem;

// The end of the output, for a failure's message.
std::string Tail(const std::string& text) {
    return text.substr(text.size() - std::min<size_t>(text.size(), 3000));
}

class ProgramQuitTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::path(testing::TempDir()) / ("quit_" + std::to_string(getpid()) + "_" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// Each boot screen's movie, the boot-time save's dialogue and the main menu's,
// pictures on: the signal comes while the screen is up.
TEST_F(ProgramQuitTest, ASignalOnEveryBootScreenAndTheMainMenuEndsTheGame) {
    std::ofstream(Path("boot.txt")) << kBootToMainMenu;
    const struct {
        const char* movie;
        int signal;
    } cases[] = {{"WIIStrap", SIGINT}, {"WiiLicense", SIGTERM}, {"Legal", SIGHUP},
                 {"Start", SIGINT},    {"LoadSave", SIGTERM},   {"MainMenu", SIGHUP}};
    for (const auto& c : cases) {
        const std::string name = c.movie;
        ChildProcess child(BOWLING_PROGRAM, {"--headless", "--verbose", "--input", Path("boot.txt"), "--nand",
                                             Path(name + ".nand"), "--screenshot", Path(name + ".png")});
        ASSERT_TRUE(child.ReadErrorUntil("Load 640/" + name + ".")) << name;
        child.Signal(c.signal);
        std::string error;
        EXPECT_EQ(child.Wait(&error), 0) << name << "\n" << Tail(error);
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
    std::ofstream(Path("boot.txt")) << kBootToMainMenu;
    ChildProcess child(BOWLING_PROGRAM,
                       {"--headless", "--verbose", "--input", Path("boot.txt"), "--frames", "600"});
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    child.Signal(SIGHUP);
    std::string error;
    EXPECT_EQ(child.Wait(&error), 0);
    EXPECT_EQ(error.find("Load 640/WiiLicense."), std::string::npos) << Tail(error);
}

}  // namespace
