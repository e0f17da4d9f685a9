// The menus' screens on the demo disc's movies: the settings rows under the
// remote, what accept and back leave in the settings and the mixer, the main
// menu's entries, and how the two screens look.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

using MainMenuFlashTest = MenuScreenFixture;

// The text a settings row shows as its value.
std::string ValueShown(const CFlashMainMenu& menu, s32 row) {
    return SpriteText(menu.m_iScreenIds[MAINMENU_LAYER_SETTINGS], 2 * row + 1);
}

s32 AcceptsPlaying() {
    s32 playing = 0;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        playing += SfxIsIdPlaying(s32(0x80001997u), channel);
    return playing;
}

TEST_F(MainMenuFlashTest, SettingsRowsChangeAndAcceptOrBackDecides) {
    constexpr auto kNone = SFP_SCREEN_NAV_NONE, kNext = SFP_SCREEN_NAV_NEXT, kBack = SFP_SCREEN_NAV_PREVIOUS;
    const struct {
        const char* what;
        s32 music, effects;  // before; the switches start on
        const char* presses;
        eScreenNavigation answer;
        s32 keptMusic, keptEffects;
        const char* keptSwitches;  // autosave, animations, tips: 1 on, 0 off
        const char* musicShown;
        const char* effectsShown;
        s32 accepts;  // accept sounds: Sound FX samples and the answer
    } rows[] = {
        {"music up, accepted", 8, 10, "ra", kNext, 9, 10, "111", "90%", "100%", 1},
        {"music at 10 stays", 10, 10, "r", kNone, 10, 10, "111", "100%", "100%", 0},
        {"music at 0 stays", 0, 10, "l", kNone, 0, 10, "111", "0%", "100%", 0},
        {"music up from 0", 0, 10, "r", kNone, 1, 10, "111", "10%", "100%", 0},
        {"sound FX down twice, sampled", 8, 10, "dll", kNone, 8, 8, "111", "80%", "80%", 2},
        {"sound FX up to 10, the last refused", 8, 9, "drr", kNone, 8, 10, "111", "80%", "100%", 1},
        {"sound FX changed, backed out", 8, 10, "dlb", kBack, 8, 10, "111", "80%", "90%", 2},
        {"autosave off, backed out", 8, 10, "ddrb", kBack, 8, 10, "111", "80%", "100%", 1},
        {"autosave off, accepted", 8, 10, "ddla", kNext, 8, 10, "011", "80%", "100%", 1},
        {"up from Music wraps to Tips", 8, 10, "ur", kNone, 8, 10, "110", "80%", "100%", 0},
        {"down from Tips wraps to Music", 8, 10, "dddddr", kNone, 9, 10, "111", "90%", "100%", 0},
        {"animations toggled twice", 8, 10, "dddrla", kNext, 8, 10, "111", "80%", "100%", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_ScreenTracker.Reset();
        g_GameSettings.SetDefault();
        g_GameSettings.SetMusicVolume(row.music);
        g_GameSettings.SetEffectsVolume(row.effects);
        g_GameSettings.Mirror();
        MainMenuFlashColdReset();  // the last row's cursor
        CFlashMainMenu menu;
        menu.LoadSettings();
        SfxStopAll();  // the open sound and the last row's, gone by the next frame
        EventWait(1);
        PressOn(menu.m_iScreenIds[MAINMENU_LAYER_SETTINGS], row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer);
        const s_GameSettingsRecord& kept = g_GameSettings.m_Current;
        EXPECT_EQ(kept.musicVolume, row.keptMusic);
        EXPECT_EQ(kept.effectsVolume, row.keptEffects);
        const std::string switches = {char('0' + kept.bAutoSave), char('0' + kept.bKudosScreens),
                                      char('0' + kept.bTipsAndHints)};
        EXPECT_EQ(switches, row.keptSwitches);
        EXPECT_EQ(ValueShown(menu, SETTINGS_ROW_MUSIC), row.musicShown);
        EXPECT_EQ(ValueShown(menu, SETTINGS_ROW_SOUND_FX), row.effectsShown);
        EXPECT_EQ(AcceptsPlaying(), row.accepts);
        // The kept volumes are the ones the sound plays at.
        EXPECT_FLOAT_EQ(g_GameSettings.m_sfxVolumeMix.volL, f32(row.keptEffects) / 10.0f);
        EXPECT_FLOAT_EQ(OrbStreamManager.GetVolume(ORB_STREAM_MASK_MUSIC),
                        std::max(SETTINGS_STREAM_VOLUME_FLOOR, f32(row.keptMusic) / 10.0f));
    }
}

// The menu over its background a third of a second after it opens, the cursor
// on Settings.
TEST_F(MainMenuFlashTest, TheMainMenuLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadMainMenu();
    menu.OpenMainMenu();
    PressOn(menu.m_iScreenIds[MAINMENU_LAYER_MENU], "dd");
    EventWait(20);
    ExpectLooksAsKept("main_menu");
}

// The settings in their border with the values at their extremes, the cursor on
// Sound FX.
TEST_F(MainMenuFlashTest, TheSettingsLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    g_GameSettings.SetMusicVolume(10);
    g_GameSettings.SetEffectsVolume(0);
    g_GameSettings.m_Current.bAutoSave = 0;
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    menu.OpenBorder(SymbolText(kTextMenuSettingsTitle), SymbolText(kTextMenuSettingsSub));
    menu.LoadSettings();
    PressOn(menu.m_iScreenIds[MAINMENU_LAYER_SETTINGS], "d");
    EventWait(20);
    ExpectLooksAsKept("settings");
}

}  // namespace
