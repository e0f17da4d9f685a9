// The HOME-button driver on the demo disc, through the remotes' input script on
// the virtual clock: what opens the menu, the "not available" icon, the menu's
// three choices and what the game finds afterwards.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/input/input_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "source/OrbMain.h"
#include "source/Wii_HomeButton.h"
#include "tests/engine/HardwareTestSupport.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/HeapMark.h"

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
        HeapMarkTake();  // the driver keeps its icon for the program's whole run
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

    // The menu comes up after the fade out and four frames of black to settle.
    static void OpenMenu() {
        Press({"home"});
        ASSERT_GE(RunUntil([] { return PollThreadState == HOME_POLL_SETTLING; }), 0);
        EXPECT_EQ(RunUntil([] { return PollThreadState != HOME_POLL_SETTLING; }), 4);
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

    // Whether a channel plays sound `index` of the menu's bank.
    static bool MenuSoundPlays(s32 index) {
        const s32 id = s32((DEBUG_DATAFILE_COUNT - 1) << 16) | index;
        for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
            if (SfxIsIdPlaying(id, channel))
                return true;
        }
        return false;
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
        for (const char* button : {"down", "up"}) {
            Press({button});
            EventWait(2);
            EXPECT_TRUE(MenuSoundPlays(0)) << "the cursor's tick";
        }
        EventWait(16);  // the glow at its brightest
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

TEST_F(HomeButtonTest, ResetRestartsTheProgram) {
    OpenMenu();
    EXPECT_EQ(Choose(1), 0) << "a restart with code 0";
    HeapMarkForget();  // the program ends here: what the menu holds goes with it
}

// Chosen with the pointer on its button, the third.
TEST_F(HomeButtonTest, TheSystemMenuLeavesTheProgram) {
    OpenMenu();
    const auto at = [](u32 retraces) { return std::to_string(VIGetRetraceCount() + retraces) + " 0 "; };
    std::string error;
    ASSERT_TRUE(HostInputSetScript(at(1) + "connect\n" + at(1) + "pointer 0 0.31\n" + at(3) +
                                       "button a down\n" + at(4) + "button a up\n",
                                   &error))
        << error;
    EXPECT_EQ(Leaving([] { EventWait(30); }), kShutdown);
    HeapMarkForget();  // the program ends here: what the menu holds goes with it
}

// The cover opened while the menu's files load: the message is on screen, frames
// go on, and the menu opens once the cover is shut.
TEST_F(HomeButtonTest, TheCoverOpenedWhileTheFilesLoadShowsItsMessage) {
    Press({"home"});
    ASSERT_GE(RunUntil([] { return PollThreadState == HOME_POLL_SETTLING; }), 0);
    HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
    static u32 s_lit = 0;
    s_lit = 0;
    console::PollSchedule(
        console::ClockNow() + 20 * console::kRetracePeriod,
        [](void*) {
            HostFrame frame;
            HostCaptureShownFrame(&frame);
            for (u8 channel : frame.rgb)
                s_lit += channel > 200;
            HostDVDSetDriveStatus(DVD_STATE_END);
        },
        nullptr);
    ASSERT_GE(RunUntil([] { return HomeButtonMenuIsActive() != 0; }), 0);
    EXPECT_GT(s_lit, 1000u) << "the message's letters";
    EXPECT_EQ(Choose(0), std::nullopt);
    EXPECT_EQ(HomeButtonInfo.mem, nullptr) << "the menu's memory given back";
}

// A flow that disables the button while the game fades back in keeps it disabled.
TEST_F(HomeButtonTest, AFlowsDisableDuringTheFadeInWins) {
    OpenMenu();
    Press({"a"});
    ASSERT_GE(RunUntil([] { return PollThreadState == HOME_POLL_FADING_IN; }), 0);
    HomeButtonEnable(0);
    ASSERT_GE(RunUntil([] { return PollThreadState == HOME_POLL_IDLE; }), 0);
    EXPECT_EQ(HomeButtonEnabled, 0);
    Press({"home"});
    EventWait(40);
    EXPECT_NE(HomeButtonNoAvailThreadPtr, nullptr) << "the icon, not the menu";
    EXPECT_EQ(PollThreadState, HOME_POLL_IDLE);
}

TEST_F(HomeButtonTest, TheSaveDialogueKeepsTheMenuShutWhateverTheFlowsSay) {
    HomeButtonSaveActive(1);
    HomeButtonEnable(1);
    Press({"home"});
    EXPECT_EQ(RunUntil([] { return PollThreadState != HOME_POLL_IDLE; }, 60), -1);
    EXPECT_NE(HomeButtonNoAvailThreadPtr, nullptr);
    HomeButtonSaveActive(0);
    OpenMenu();
    EXPECT_EQ(Choose(0), std::nullopt);
}

// The menu's memory cannot be had: one line, nothing kept, and the game fades
// back in as after the menu.
TEST_F(HomeButtonTest, WithoutMemoryTheMenuStaysShutAndTheGameGoesOn) {
    // Holes of 256 KB: the files fit, the menu's 512 KB does not.
    std::vector<void*> blocks;
    while (void* block = HeapMalloc(0x40000, __FILE_NAME__, __LINE__))
        blocks.push_back(block);
    for (size_t i = 0; i < blocks.size(); i += 2)
        HeapMallocFree(std::exchange(blocks[i], nullptr));
    const u32 avail = HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
    Press({"home"});
    EXPECT_EQ(RunUntil([] { return HomeButtonMenuIsActive() != 0; }, 90), -1);
    ASSERT_GE(RunUntil([] { return PollThreadState == HOME_POLL_IDLE; }), 0);
    EXPECT_TRUE(report().contains("HomeButton: the menu cannot open")) << report().text();
    EXPECT_EQ(HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap), avail);
    EXPECT_EQ(GamePaused(), 0);
    for (void* block : blocks) {
        if (block != nullptr)
            HeapMallocFree(block);
    }
}

TEST(HomeButtonLayoutFileTest, EachLanguageHasItsFileAndOthersTheFirst) {
    const struct {
        s32 language;
        const char* file;
        s32 region;
    } rows[] = {
        {0, "/homeBtn.arc", 0},     {1, "/homeBtn_ENG.arc", 1}, {2, "/homeBtn_GER.arc", 2},
        {3, "/homeBtn_FRA.arc", 3}, {4, "/homeBtn_SPA.arc", 4}, {5, "/homeBtn_ITA.arc", 5},
        {6, "/homeBtn_NED.arc", 6}, {7, "/homeBtn.arc", 0},     {255, "/homeBtn.arc", 0},
    };
    for (const auto& row : rows) {
        s32 region = -1;
        EXPECT_STREQ(HomeButtonLayoutFile(row.language, &region), row.file) << row.language;
        EXPECT_EQ(region, row.region) << row.language;
    }
}

// The extension's cross key moves by a step (diagonals by less), its stick by its
// value over 28.44; both stay within [-1, 1].
TEST(HomeButtonCursorTest, CrossKeyAndStickMoveTheCursorWithinTheScreen) {
    constexpr f32 s = 0.03515625f, d = 0.024858983f;
    const struct {
        u32 buttons;
        Vec2 stick;
        Vec2 from;
        Vec2 to;
    } rows[] = {
        {0x0001, {0, 0}, {0, 0}, {0, -s}},
        {0x0002, {0, 0}, {0, 0}, {-s, 0}},
        {0x0003, {0, 0}, {0, 0}, {-d, -d}},
        {0x4000, {0, 0}, {0, 0}, {0, s}},
        {0x4002, {0, 0}, {0, 0}, {-d, d}},
        {0x8000, {0, 0}, {0, 0}, {s, 0}},
        {0x8001, {0, 0}, {0, 0}, {d, -d}},
        {0xC000, {0, 0}, {0, 0}, {d, d}},
        {0xC003, {0, 0}, {0.5f, 0.5f}, {0.5f, 0.5f}},
        {0x0010, {0, 0}, {0, 0}, {0, 0}},
        {0x8000, {0, 0}, {0.99f, 0}, {1, 0}},
        {0x0003, {0, 0}, {-1, -1}, {-1, -1}},
        {0, {1, 1}, {0, 0}, {s, -s}},
        {0, {-100, 100}, {0, 0}, {-1, -1}},
        {0, {28.444445f, -28.444445f}, {0, 0}, {1, 1}},
    };
    for (const auto& row : rows) {
        Vec2 pos = row.from;
        calcDigitalCursorPos(row.buttons, &pos);
        calcAnalogCursorPos(row.stick.x, row.stick.y, &pos);
        EXPECT_NEAR(pos.x, row.to.x, 1e-6f) << std::hex << row.buttons;
        EXPECT_NEAR(pos.y, row.to.y, 1e-6f) << std::hex << row.buttons;
    }
}

}  // namespace
