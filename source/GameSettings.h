// The player's settings (volumes, autosave, the front end's switches), the kind of
// game being set up, which controller each player uses and the pad masks of the
// game's button actions. The volumes take effect through two mixes: every menu
// sound is played with m_sfxVolumeMix, the menu music with m_musicVolumeMix under
// the stream manager's music volume.
#pragma once

#include "orblib47/source/Sound.h"
#include "source/Career/CareerTypes.h"

constexpr s32 SETTINGS_VOLUME_MAX = 10;
constexpr s32 SETTINGS_PLAYERS = 4;
// The stream volume of a volume of 0: the stream manager refuses 0 and keeps its
// old volume, so silence is a volume too small to hear.
constexpr f32 SETTINGS_STREAM_VOLUME_FLOOR = 0.0002f;

// The pad masks of the button actions, by eButtonMap.
extern const u32 WiiControlConfig1[eButtonMap_Count];

struct s_GameSettingsRecord {
    eGameType gameType;
    eGameMode gameMode;
    s32 iNumPlayers;
    s32 musicVolume;    // 0..10
    s32 effectsVolume;  // 0..10
    s32 bAutoSave;
    s32 bKudosScreens;  // the "Animations" switch
    s32 bTipsAndHints;
    bool operator==(const s_GameSettingsRecord&) const = default;
};

// The defaults: a standard one-player game in no mode, music at 8, effects at 10,
// autosave, animations and tips on.
constexpr s_GameSettingsRecord GAME_SETTINGS_DEFAULT = {
    eGameType_Standard, eGameMode_None, 1, 8, SETTINGS_VOLUME_MAX, 1, 1, 1,
};

class CGameSettings {
public:
    // Default values; the sound is left alone until SetDefault.
    CGameSettings();

    // The defaults, applied to the mixes and the stream volumes; the controller
    // mappings are reset and the defaults become the revert point.
    void SetDefault();
    void ResetControllerMapping();
    // The controller of a player: 0 in career mode or for a player not below the
    // number of players; -1 while unmapped.
    s32 GetControllerMapping(s32 player) const;
    // The pad a player's controller reads: pad 0 while unmapped.
    s32 ControllerPad(s32 player) const;
    void SetGameMode(eGameMode mode);
    // Volumes are kept within 0..10.
    void SetMusicVolume(s32 volume);
    void SetEffectsVolume(s32 volume);

    void Mirror();        // the current settings become the revert point
    s32 Changed() const;  // nonzero when they differ from it
    void Revert();        // back to the revert point, volumes applied again

    u32 RemapButton(eButtonMap button) const;  // 0 for an unknown action
    // Whether the action's button was newly pressed on the player's pad (an
    // unmapped player uses pad 0).
    s32 ButtonDown(eButtonMap button, s32 player) const;

    s_GameSettingsRecord m_Current;
    s_GameSettingsRecord m_Mirror;
    s_VOLUME_MIX m_sfxVolumeMix;    // the effects volume over both front speakers
    s_VOLUME_MIX m_musicVolumeMix;  // both front speakers; the volume is the stream's
    s32 m_ControllerMapping[SETTINGS_PLAYERS];
};

extern CGameSettings g_GameSettings;
// A second settings object that the start-up makes and nothing uses.
extern CGameSettings g_GameSettingsMirror;
