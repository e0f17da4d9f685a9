// The HOME-button driver on the demo disc, through the remotes' input script on
// the virtual clock: what opens the menu, the "not available" icon, the menu's
// three choices and what the game finds afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "source/Wii_HomeButton.h"
#include "tests/engine/HardwareTestSupport.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/home_menu.png";
constexpr const char* kDrawn = "home_menu.png";

class HomeButtonTest : public MenuDiscFixture {
protected:
    void SetUp() override {
        MenuDiscFixture::SetUp();
        CatchLeaving();
        preload_ = WadLoad(GAME_PRELOAD_WAD, 4);
        HomeButtonStartup();
        Press({});
        EventWait(12);  // past the black frames after start-up
    }
    void TearDown() override {
        WadFree(preload_);
        MenuDiscFixture::TearDown();
    }

    // Remote 0 presses `buttons` together at the next retrace and lets go of them
    // at the one after.
    static void Press(const std::vector<std::string>& buttons) {
        const std::string down = std::to_string(VIGetRetraceCount() + 1) + " 0 button ";
        const std::string up = std::to_string(VIGetRetraceCount() + 2) + " 0 button ";
        std::string script = std::to_string(VIGetRetraceCount() + 1) + " 0 connect\n";
        for (const std::string& button : buttons)
            script += down + button + " down\n" + up + button + " up\n";
        std::string error;
        ASSERT_TRUE(HostInputSetScript(script, &error)) << error;
    }

    // Runs frames until `done` holds, at most `limit`; the frames it took.
    template <typename Done>
    static int RunUntil(Done done, int limit = 300) {
        for (int frame = 0; frame < limit; ++frame) {
            if (done())
                return frame;
            EventWait(1);
        }
        return -1;
    }

    static void OpenMenu() {
        Press({"home"});
        ASSERT_GE(RunUntil([] { return HomeButtonMenuIsActive() != 0; }), 0);
    }

    // Moves `down` buttons down the menu and chooses.
    static std::optional<int> Choose(int down) {
        return Leaving([down] {
            for (int i = 0; i < down; ++i) {
                Press({"down"});
                EventWait(3);
            }
            Press({"a"});
            RunUntil([] { return PollThreadState == HOME_POLL_IDLE; });
        });
    }

    s_wad* preload_ = nullptr;
};

TEST_F(HomeButtonTest, OnlyHomeAloneOpensTheMenu) {
    const struct {
        std::vector<std::string> buttons;
        s32 state;
    } cases[] = {
        {{"home", "a"}, HOME_POLL_IDLE},
        {{"home", "b"}, HOME_POLL_IDLE},
        {{"a"}, HOME_POLL_IDLE},
        {{"home"}, HOME_POLL_FADING_OUT},
    };
    for (const auto& c : cases) {
        Press(c.buttons);
        EventWait(3);
        EXPECT_EQ(PollThreadState, c.state) << c.buttons.size();
    }
}

// The icon fades in over 0.25 s, holds for a second, fades out over 0.25 s and is
// gone at 1.5 s; a press while it shows starts it again.
TEST_F(HomeButtonTest, TheDisabledIconShowsForOneAndAHalfSeconds) {
    HomeButtonEnable(0);
    const struct {
        bool press;  // HOME before the row's frames
        int frames;
        s32 status;  // -1: gone
    } rows[] = {{true, 12, 0}, {false, 8, 1},  {false, 50, 1}, {false, 8, 2},
                {true, 8, 0},  {false, 60, 1}, {false, 10, 2}, {false, 14, -1}};
    for (const auto& row : rows) {
        if (row.press)
            Press({"home"});
        EventWait(row.frames);
        EXPECT_EQ(HomeButtonNoAvailThreadPtr == nullptr ? -1 : HomeButtonIconStatus, row.status)
            << HomeButtonIconTime;
    }
    EXPECT_EQ(PollThreadState, HOME_POLL_IDLE);
}

TEST_F(HomeButtonTest, BackToTheGameRestoresItAndAPausedGameStaysPaused) {
    for (s32 paused : {0, 1}) {
        SetGamePause(paused);
        OpenMenu();
        EXPECT_EQ(GamePaused(), 1);
        EXPECT_EQ(FadeShow, 0);
        EventWait(20);  // the glow at its brightest
        if (paused == 0) {
            EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 200u) << "see " << kDrawn;
        }
        EXPECT_EQ(Choose(0), std::nullopt);
        EXPECT_EQ(HomeButtonMenuIsActive(), 0);
        EXPECT_EQ(GamePaused(), paused);
        EXPECT_EQ(FadeShow, 1);
        EXPECT_EQ(HomeButtonEnabled, 1);
        EXPECT_EQ(HomeButtonInfo.mem, nullptr) << "the menu's memory given back";
    }
}

TEST_F(HomeButtonTest, ResetRestartsAndTheSystemMenuLeaves) {
    OpenMenu();
    EXPECT_EQ(Choose(1), 0) << "reset: a restart with code 0";
    HomeButtonMenuForget();
    PollThreadState = HOME_POLL_IDLE;
    OpenMenu();
    EXPECT_EQ(Choose(2), kShutdown) << "the system menu";
}

}  // namespace
