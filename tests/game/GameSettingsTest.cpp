// The settings: defaults, the volumes as the sound hears them, the revert point,
// the controller mappings and the button actions.
#include <gtest/gtest.h>

#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Pad.h"
#include "source/GameReset.h"
#include "source/GameSettings.h"
#include "tests/support/GameFixture.h"

namespace {

class GameSettingsTest : public GameFixture {
protected:
    static f32 MusicVolume() { return OrbStreamManager.GetVolume(ORB_STREAM_MASK_MUSIC); }
    static f32 EffectStreamVolume() { return OrbStreamManager.GetVolume(ORB_STREAM_MASK_EFFECT); }
};

TEST_F(GameSettingsTest, DefaultsReachTheSound) {
    CGameSettings& settings = g_GameSettings;
    settings.m_Current = {eGameType_Practice, eGameMode_Career, 3, 1, 2, 0, 0, 0};
    settings.m_ControllerMapping[1] = 2;
    settings.SetDefault();
    EXPECT_EQ(settings.m_Current, GAME_SETTINGS_DEFAULT);
    EXPECT_EQ(settings.Changed(), 0);
    EXPECT_FLOAT_EQ(MusicVolume(), 0.8f);
    EXPECT_FLOAT_EQ(EffectStreamVolume(), 1.0f);
    EXPECT_FLOAT_EQ(settings.m_sfxVolumeMix.volL, 1.0f);
    EXPECT_EQ(settings.m_ControllerMapping[1], -1);
}

TEST_F(GameSettingsTest, VolumesScaleTheStreamsAndTheEffectsMix) {
    struct Case {
        s32 asked, kept;
        f32 stream, mix;
    };
    const Case cases[] = {
        {10, 10, 1.0f, 1.0f},
        {1, 1, 0.1f, 0.1f},
        {0, 0, SETTINGS_STREAM_VOLUME_FLOOR, 0.0f},
        {-3, 0, SETTINGS_STREAM_VOLUME_FLOOR, 0.0f},
        {25, 10, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        g_GameSettings.SetMusicVolume(c.asked);
        EXPECT_EQ(g_GameSettings.m_Current.musicVolume, c.kept);
        EXPECT_FLOAT_EQ(MusicVolume(), c.stream);
        g_GameSettings.SetEffectsVolume(c.asked);
        EXPECT_EQ(g_GameSettings.m_Current.effectsVolume, c.kept);
        EXPECT_FLOAT_EQ(EffectStreamVolume(), c.stream);
        EXPECT_FLOAT_EQ(g_GameSettings.m_sfxVolumeMix.volR, c.mix);
        // The menu music's own mix never changes: the stream volume carries it.
        EXPECT_FLOAT_EQ(g_GameSettings.m_musicVolumeMix.volL, 1.0f);
    }
    // After silence the volume comes back: the stream manager never saw a 0.
    g_GameSettings.SetMusicVolume(0);
    g_GameSettings.SetMusicVolume(5);
    EXPECT_FLOAT_EQ(MusicVolume(), 0.5f);
}

TEST_F(GameSettingsTest, RevertRestoresTheMirrorAndItsVolumes) {
    g_GameSettings.SetDefault();
    g_GameSettings.SetMusicVolume(4);
    g_GameSettings.SetEffectsVolume(6);
    g_GameSettings.Mirror();
    EXPECT_EQ(g_GameSettings.Changed(), 0);
    for (auto change :
         {+[] { g_GameSettings.SetMusicVolume(9); }, +[] { g_GameSettings.SetEffectsVolume(1); },
          +[] { g_GameSettings.m_Current.bKudosScreens = 0; }}) {
        change();
        EXPECT_EQ(g_GameSettings.Changed(), 1);
        g_GameSettings.Revert();
        EXPECT_EQ(g_GameSettings.Changed(), 0);
        EXPECT_FLOAT_EQ(MusicVolume(), 0.4f);
        EXPECT_FLOAT_EQ(EffectStreamVolume(), 0.6f);
        EXPECT_FLOAT_EQ(g_GameSettings.m_sfxVolumeMix.volL, 0.6f);
    }
}

TEST_F(GameSettingsTest, ControllerMappingFollowsModeAndPlayers) {
    g_GameSettings.m_Current.iNumPlayers = 3;
    for (s32 player = 0; player < SETTINGS_PLAYERS; ++player)
        g_GameSettings.m_ControllerMapping[player] = 3 - player;
    g_GameSettings.SetGameMode(eGameMode_QuickPlay);
    const s32 quickPlay[] = {3, 2, 1, 0, 0};  // player 3 is not playing, nor is 4
    for (s32 player = 0; player < 5; ++player)
        EXPECT_EQ(g_GameSettings.GetControllerMapping(player), quickPlay[player]) << player;
    EXPECT_EQ(g_GameSettings.GetControllerMapping(-1), 0);
    g_GameSettings.SetGameMode(eGameMode_Career);
    EXPECT_EQ(g_GameSettings.GetControllerMapping(1), 0);
    g_GameSettings.SetGameMode(eGameMode_QuickPlay);
    g_GameSettings.ResetControllerMapping();
    EXPECT_EQ(g_GameSettings.GetControllerMapping(1), -1);
}

TEST_F(GameSettingsTest, ButtonActionsReadTheNewPressesOfThePlayersPad) {
    EXPECT_EQ(g_GameSettings.RemapButton(eButtonMap_Count), 0u);

    g_GameSettings.m_Current.iNumPlayers = 2;
    g_GameSettings.SetGameMode(eGameMode_QuickPlay);
    g_GameSettings.m_ControllerMapping[1] = 2;
    Pad[2].bnew = PAD_B;
    Pad[0].bnew = PAD_A | PAD_1;
    Pad[0].bdown = PAD_B;
    EXPECT_EQ(g_GameSettings.ButtonDown(eButtonMap_Back, 1), 1);
    EXPECT_EQ(g_GameSettings.ButtonDown(eButtonMap_Action, 1), 0);
    // Player 0 is unmapped and reads pad 0; a held button is no new press.
    EXPECT_EQ(g_GameSettings.ButtonDown(eButtonMap_Action, 0), 1);
    EXPECT_EQ(g_GameSettings.ButtonDown(eButtonMap_BallSwap, 0), 1);
    EXPECT_EQ(g_GameSettings.ButtonDown(eButtonMap_Back, 0), 0);
}

TEST_F(GameSettingsTest, TheColdResetBringsBackTheStartState) {
    g_GameSettings.SetMusicVolume(1);
    g_GameSettings.SetGameMode(eGameMode_Career);
    g_GameSettings.m_ControllerMapping[0] = 1;
    g_GameSettings.Mirror();
    g_GameSettingsMirror.m_Current.iNumPlayers = 4;
    GameColdReset();
    for (const CGameSettings* settings : {&g_GameSettings, &g_GameSettingsMirror}) {
        EXPECT_EQ(settings->m_Current, GAME_SETTINGS_DEFAULT);
        EXPECT_EQ(settings->m_Mirror, GAME_SETTINGS_DEFAULT);
        EXPECT_EQ(settings->m_ControllerMapping[0], -1);
    }
}

}  // namespace
