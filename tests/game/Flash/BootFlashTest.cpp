// The boot screens on the demo disc's movies: when each one leaves, driven by the
// frame time and the first pad, and which strap warning a console gets.
#include <gtest/gtest.h>

#include <string>

#include "console/sc.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/BootFlash.h"
#include "source/SFP/SFPInternal.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

using BootFlashTest = MenuScreenFixture;

constexpr f32 kFrame = 0.25f;  // exact in binary: the timer hits each limit on the dot

// The screen opened (as `opens`) and updated with no button until its timer reads
// `seconds`, then once with the pad words given: whether it leaves then.
template <class Screen, eScreen_List opens>
bool Leaves(f32 seconds, u32 held, u32 pressed) {
    Screen screen;
    EXPECT_EQ(screen.Load(), 1);
    screen.Open();
    EXPECT_EQ(g_ScreenTracker.m_CurrScreen, opens);
    g_ScreenTracker.ResetScreenNav();
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(screen.m_iScreen);
    RealDeltaTime = kFrame;
    Pad[0].bdown = Pad[0].bnew = 0;
    for (f32 t = 0.0f; t < seconds; t += kFrame)
        info->Update(screen.m_iScreen, info);
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE) << "before the last update";
    Pad[0].bdown = held;
    Pad[0].bnew = pressed;
    info->Update(screen.m_iScreen, info);
    return g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT;
}

TEST_F(BootFlashTest, EachScreenLeavesByItsTimeOrItsButtons) {
    const auto strap = Leaves<CWiiStrapWarningFlash, eScreen_List_WiiStrapWarning>;
    const auto licence = Leaves<CLicensedByNintendoFlash, eScreen_List_LicensedByNintendo>;
    const auto legal = Leaves<CLegalFlash, eScreen_List_Legal>;
    const auto start = Leaves<CPressStartFlash, eScreen_List_PressStart>;
    const struct {
        const char* what;
        bool (*leaves)(f32, u32, u32);
        f32 seconds;
        u32 held, pressed;
        bool left;
    } rows[] = {
        {"strap, pressed in the first second", strap, 0.75f, PAD_A, PAD_A, false},
        {"strap, pressed at one second", strap, 1.0f, PAD_A, PAD_A, true},
        {"strap, held from before", strap, 1.0f, PAD_A, 0, false},
        {"strap, waiting", strap, 14.75f, 0, 0, false},
        {"strap, at 15 s", strap, 15.0f, 0, 0, true},
        {"licence, pressed", licence, 1.75f, ~0u, ~0u, false},
        {"licence, at 2 s", licence, 2.0f, 0, 0, true},
        {"legal, pressed at once", legal, 0.0f, PAD_B, PAD_B, true},
        {"legal, waiting", legal, 4.75f, 0, 0, false},
        {"legal, at 5 s", legal, 5.0f, 0, 0, true},
        {"start, A held", start, 0.0f, PAD_A, PAD_A, false},
        {"start, B held", start, 0.0f, PAD_B, PAD_B, false},
        {"start, A and B pressed, not held", start, 0.0f, 0, PAD_A | PAD_B, false},
        {"start, A and B held", start, 20.0f, PAD_A | PAD_B, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.leaves(row.seconds, row.held, row.pressed), row.left);
    }
}

TEST_F(BootFlashTest, PressStartAcceptsWithTheAcceptSound) {
    constexpr s32 kAccept = s32(0x80001997u);
    const auto accepting = [&] {
        s32 playing = 0;
        for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
            playing += SfxIsIdPlaying(kAccept, channel) ? 1 : 0;
        return playing;
    };
    CPressStartFlash start;
    ASSERT_EQ(start.Load(), 1);
    start.Open();
    Pad[0].bdown = PAD_A;
    PressStartFlashUpdate(start.m_iScreen, &pressStartFlashScreen);
    EXPECT_EQ(accepting(), 0);
    Pad[0].bdown = PAD_A | PAD_B;
    PressStartFlashUpdate(start.m_iScreen, &pressStartFlashScreen);
    EXPECT_EQ(accepting(), 1);
}

// Which of the five translations a screen shows.
std::string ShownLanguage(s32 handle) {
    const s_sfp_screen* screen = SFPScreen(handle);
    const SFP_SCREEN_INFO_t* info = screen->info;
    std::string shown;
    for (s32 sprite = 0; sprite < info->numSpriteLookups; ++sprite) {
        const SFP_SCREEN_SPRITE_LOOKUP_t& lookup = info->spriteLookups[sprite];
        if (lookup.numInstances > 0 && !screen->instances[lookup.instanceIds[0]].hidden)
            shown += lookup.name;
    }
    return shown;
}

TEST_F(BootFlashTest, TheStrapWarningShowsTheConsolesLanguageOrEnglish) {
    CWiiStrapWarningFlash strap;
    ASSERT_EQ(strap.Load(), 1);
    EXPECT_STREQ(SFP2KGetScreenInfo(strap.m_iScreen)->fileName, "WIIStrap");
    EXPECT_EQ(ShownLanguage(strap.m_iScreen), "ENGSPR") << "the console's";
    const char* shown[] = {"ENGSPR", "ENGSPR", "GERSPR", "FRNSPR", "SPNSPR", "ITASPR", "ENGSPR", "ENGSPR"};
    for (u8 language = 0; language < std::size(shown); ++language) {
        strap.InitLanguageSprites(language);
        EXPECT_EQ(ShownLanguage(strap.m_iScreen), shown[language]) << "language " << s32(language);
    }
}

class BootFlashWideTest : public BootFlashTest {
protected:
    HostConfig Config() const override {
        HostConfig config = BootFlashTest::Config();
        config.aspectRatio = SC_ASPECT_RATIO_16x9;
        config.language = SC_LANG_FRENCH;
        return config;
    }
};

TEST_F(BootFlashWideTest, AWideConsoleGetsTheSqueezedStrapWarning) {
    CWiiStrapWarningFlash strap;
    ASSERT_EQ(strap.Load(), 1);
    EXPECT_STREQ(SFP2KGetScreenInfo(strap.m_iScreen)->fileName, "WIIWStrap");
    EXPECT_EQ(ShownLanguage(strap.m_iScreen), "FRNSPR");
}

// Each screen a quarter second after it opens, its page in: the movie, its text
// from the disc's strings and, for the strap warning and the licence, the
// player's backdrop.
template <class Screen>
void ExpectPicture(const char* name) {
    SCOPED_TRACE(name);
    Screen screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.Open();
    EventWait(20);
    ExpectLooksAsKept(std::string("boot_") + name);
}

TEST_F(BootFlashTest, TheBootScreensLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    ExpectPicture<CWiiStrapWarningFlash>("strap");
    ExpectPicture<CLicensedByNintendoFlash>("licence");
    ExpectPicture<CLegalFlash>("legal");
    ExpectPicture<CPressStartFlash>("start");
}

}  // namespace
