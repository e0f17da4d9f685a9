// The credits on the demo disc's movie: the roll's speed under the direction
// buttons, its window's bounds at either end of the list, back answered once,
// how it looks, and which libraries it says the game is built with.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/CreditsFlash.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

class CreditsPictureTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        g_ScreenTracker.Reset();
        RealDeltaTime = 1.0f / 60.0f;
    }
};

class CreditsFlashTest : public CreditsPictureTest {
protected:
    HostConfig Config() const override {
        HostConfig config = CreditsPictureTest::Config();
        config.pictures = false;  // the roll moves the same undrawn
        return config;
    }
};

// One screen update per frame with `pad` held; `pressed` on the first only.
void Hold(CCreditsFlash& screen, u32 pad, s32 frames) {
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(screen.m_iScreen);
    for (s32 frame = 0; frame < frames; ++frame) {
        Pad[0].bdown = pad;
        Pad[0].bnew = frame == 0 ? pad : 0;
        info->Update(screen.m_iScreen, info);
    }
    Pad[0].bdown = Pad[0].bnew = 0;
}

// Each library the roll names stands under the heading of what uses it: the
// test frameworks are not linked into the game.
TEST(CreditsListTest, EachLibraryStandsUnderWhatUsesIt) {
    const std::map<std::string, std::string> sectionOf = {
        {"SDL2", "Built With"},
        {"libpng", "Built With"},
        {"zlib", "Built With"},
        {"LZO", "Built With"},
        {"libjpeg-turbo", "Built With"},
        {"Xlib", "Built With"},
        {"Liberation Fonts", "Built With"},
        {"GoogleTest", "Tested With"},
        {"Google Benchmark", "Tested With"},
    };
    std::string section;
    size_t named = 0;
    for (u32 i = 0; i < CreditsListCount; ++i) {
        const std::string text = CreditsList[i].sText;
        if (CreditsList[i].bTitle != 0 && (text == "Built With" || text == "Tested With"))
            section = text;
        if (const auto it = sectionOf.find(text); CreditsList[i].bTitle != 0 && it != sectionOf.end()) {
            EXPECT_EQ(section, it->second) << text;
            ++named;
        }
    }
    EXPECT_EQ(named, sectionOf.size());
}

TEST_F(CreditsFlashTest, HoldingADirectionRampsTheSpeed) {
    const struct {
        const char* what;
        u32 pad;
        s32 frames;  // updates with it held, the first a new press
        f32 speed;
        s32 up;
    } rows[] = {
        {"nothing held", 0, 1, 1.0f, 1},
        {"the frame of the press itself", PAD_DOWN, 1, 1.0f, 1},
        {"down for a quarter second", PAD_DOWN, 16, 2.0f, 1},
        {"down for half a second", PAD_DOWN, 31, 3.0f, 1},
        {"down for longer stays at 3", PAD_DOWN, 90, 3.0f, 1},
        {"up for a quarter second rolls back", PAD_UP, 16, 2.0f, 0},
    };
    for (const auto& row : rows) {
        CCreditsFlash screen;
        ASSERT_EQ(screen.Load(), 1);
        screen.Open();
        Hold(screen, row.pad, row.frames);
        EXPECT_NEAR(screen.m_Credits.m_fScrollSpeed, row.speed, 1e-3f) << row.what;
        EXPECT_EQ(screen.m_Credits.m_bScrollingUp, row.up) << row.what;
        EXPECT_NEAR(-screen.m_Credits.m_vCurrDirection.y, row.up ? row.speed : -row.speed, 1e-3f) << row.what;
        Hold(screen, 0, 1);
        EXPECT_EQ(screen.m_Credits.m_bScrollingUp, 1) << row.what << ": let go, it rolls up again";
    }
}

// Up: one unit a frame, the window slides to the list's end and keeps its last
// rows until they have passed the top. Down: back to the list's start, where
// the roll stands still.
TEST_F(CreditsFlashTest, TheWindowStaysInsideTheList) {
    CCredits roll;
    roll.init();
    roll.Start();
    const s32 count = s32(CreditsListCount);
    ASSERT_GT(count, s32(CREDITS_BUFFER_LINES));
    const f32 firstY = roll.m_CreditsBuffer[0].vPosition.y;
    EXPECT_EQ(roll.Update(), 1);
    EXPECT_FLOAT_EQ(roll.m_CreditsBuffer[0].vPosition.y, firstY - 1.0f);
    s32 frames = 1;
    while (roll.Update() == 1 && frames < 20000) {
        ++frames;
        ASSERT_LE(roll.m_nLastIndex, count - 1);
        ASSERT_EQ(roll.m_nLastIndex - roll.m_nFirstIndex, s32(CREDITS_BUFFER_LINES) - 1);
    }
    EXPECT_LT(frames, 20000) << "the roll runs out";
    EXPECT_EQ(roll.m_nLastIndex, count - 1);
    EXPECT_EQ(roll.m_CreditsBuffer[CREDITS_BUFFER_LINES - 1].sText, CreditsList[count - 1].sText);

    roll.SetScrollUp(0);
    roll.SetScrollSpeed(3.0f);
    for (s32 frame = 0; frame < 20000 && roll.m_nFirstIndex > 0; ++frame) {
        ASSERT_EQ(roll.Update(), 1);
        ASSERT_GE(roll.m_nFirstIndex, 0);
    }
    EXPECT_EQ(roll.m_nFirstIndex, 0);
    for (s32 frame = 0; frame < 400; ++frame)
        roll.Update();
    const f32 stoodY = roll.m_CreditsBuffer[0].vPosition.y;
    EXPECT_GT(stoodY, roll.m_vBottomPosition.y);
    roll.Update();
    EXPECT_EQ(roll.m_CreditsBuffer[0].vPosition.y, stoodY);
    EXPECT_EQ(roll.m_nFirstIndex, 0);
}

// The roll runs out and stays run out until the flow closes the screen: back is
// asked for with one accept sound, not one a frame.
TEST_F(CreditsFlashTest, TheRunOutRollAsksForBackOnce) {
    CCreditsFlash screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.Open();
    screen.m_bDone = 1;
    Hold(screen, 0, 6);
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
    s32 accepts = 0;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        accepts += SfxIsIdPlaying(s32(0x80001997u), channel);
    EXPECT_EQ(accepts, 1);
}

TEST_F(CreditsPictureTest, TheRollLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CCreditsFlash screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.Open();
    EventWait(360);
    ExpectLooksAsKept("credits");
}

}  // namespace
