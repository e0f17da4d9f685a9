#include "source/GameSettings.h"

#include <algorithm>

#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Pad.h"

const u32 WiiControlConfig1[eButtonMap_Count] = {PAD_A, PAD_B, PAD_2, PAD_1, PAD_2};

CGameSettings g_GameSettings;
CGameSettings g_GameSettingsMirror;

namespace {

constexpr s_VOLUME_MIX kFrontSpeakers = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};

s32 ClampVolume(s32 volume) {
    return std::clamp(volume, 0, SETTINGS_VOLUME_MAX);
}

f32 StreamVolume(s32 volume) {
    return volume == 0 ? SETTINGS_STREAM_VOLUME_FLOOR : f32(volume) / f32(SETTINGS_VOLUME_MAX);
}

}  // namespace

CGameSettings::CGameSettings()
    : m_Current(GAME_SETTINGS_DEFAULT),
      m_Mirror(GAME_SETTINGS_DEFAULT),
      m_sfxVolumeMix(kFrontSpeakers),
      m_musicVolumeMix(kFrontSpeakers) {
    ResetControllerMapping();
}

void CGameSettings::SetDefault() {
    m_Current = GAME_SETTINGS_DEFAULT;
    m_musicVolumeMix = kFrontSpeakers;
    SetMusicVolume(m_Current.musicVolume);
    SetEffectsVolume(m_Current.effectsVolume);
    ResetControllerMapping();
    Mirror();
}

void CGameSettings::ResetControllerMapping() {
    std::fill(std::begin(m_ControllerMapping), std::end(m_ControllerMapping), -1);
}

s32 CGameSettings::GetControllerMapping(s32 player) const {
    if (m_Current.gameMode == eGameMode_Career || player < 0 || player >= m_Current.iNumPlayers ||
        player >= SETTINGS_PLAYERS)
        return 0;
    return m_ControllerMapping[player];
}

s32 CGameSettings::ControllerPad(s32 player) const {
    const s32 controller = GetControllerMapping(player);
    return controller >= 0 && controller < PAD_COUNT ? controller : 0;
}

void CGameSettings::SetGameMode(eGameMode mode) {
    m_Current.gameMode = mode;
}

void CGameSettings::SetMusicVolume(s32 volume) {
    m_Current.musicVolume = ClampVolume(volume);
    OrbStreamManager.SetMusicVolume(StreamVolume(m_Current.musicVolume));
}

void CGameSettings::SetEffectsVolume(s32 volume) {
    m_Current.effectsVolume = ClampVolume(volume);
    const f32 scale = f32(m_Current.effectsVolume) / f32(SETTINGS_VOLUME_MAX);
    m_sfxVolumeMix = kFrontSpeakers;
    AudioSetVolumeMixScale(&m_sfxVolumeMix, scale);
    OrbStreamManager.SetEffectVolume(StreamVolume(m_Current.effectsVolume));
}

void CGameSettings::Mirror() {
    m_Mirror = m_Current;
}

s32 CGameSettings::Changed() const {
    return m_Current == m_Mirror ? 0 : 1;
}

void CGameSettings::Revert() {
    m_Current = m_Mirror;
    SetMusicVolume(m_Current.musicVolume);
    SetEffectsVolume(m_Current.effectsVolume);
}

u32 CGameSettings::RemapButton(eButtonMap button) const {
    return button < eButtonMap_Count ? WiiControlConfig1[button] : 0;
}

s32 CGameSettings::ButtonDown(eButtonMap button, s32 player) const {
    return (Pad[ControllerPad(player)].bnew & RemapButton(button)) != 0 ? 1 : 0;
}
