// The settings layer of the shell's menu screens: five rows, each a volume or a
// switch of the current settings, changed with left and right.
#include <algorithm>
#include <charconv>

#include "orblib47/source/Pad.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u);
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);
constexpr s32 kSfxClose = s32(0x80001999u);

// Sprites: each row's label, then its value; then the two hints.
constexpr s32 kTxtSelect = 2 * SETTINGS_NUM_ROWS;
constexpr s32 kTxtBack = kTxtSelect + 1;
constexpr s32 LabelSprite(s32 row) {
    return 2 * row;
}
constexpr s32 ValueSprite(s32 row) {
    return 2 * row + 1;
}

constexpr const char* kRowLabels[SETTINGS_NUM_ROWS] = {"Music", "Sound FX", "Autosave", "Animations",
                                                       "Tips and Hints"};

}  // namespace

void CFlashMainMenu::LoadSettings() {
    const s32 id = LoadLayer(MAINMENU_LAYER_SETTINGS);
    if (id == -1)
        return;
    if (!SFP2KIsScreenActive(id))
        FlashOpen(id);
    for (s32 row = 0; row < SETTINGS_NUM_ROWS; ++row)
        SFP2KSpriteSetText(id, LabelSprite(row), kRowLabels[row]);
    ToggleSettingsSprites();
    SFP2KSpriteSetText(id, kTxtSelect, SymbolText(6893));
    SFP2KSpriteSetText(id, kTxtBack, SymbolText(6894));
    g_ScreenTracker.m_CurrScreen = eScreen_List_MainMenuOptions;
    FlashPlaySound(kSfxOpen);
}

void CFlashMainMenu::CloseSettings() {
    CloseLayer(MAINMENU_LAYER_SETTINGS);
    FlashPlaySound(kSfxClose);
    PadVibeOff(0);
}

void CFlashMainMenu::KillSettings() {
    KillLayer(MAINMENU_LAYER_SETTINGS);
}

void CFlashMainMenu::RefreshSettings() {
    ToggleSettingsSprites();
    g_GameSettings.Mirror();
}

void CFlashMainMenu::ToggleSettingsSprites() {
    const s32 id = m_iScreenIds[MAINMENU_LAYER_SETTINGS];
    const s_GameSettingsRecord& current = g_GameSettings.m_Current;
    SetIntAsText(id, ValueSprite(SETTINGS_ROW_MUSIC), current.musicVolume, m_szMusicVol);
    SetIntAsText(id, ValueSprite(SETTINGS_ROW_SOUND_FX), current.effectsVolume, m_szEffectsVol);
    SetToggleAsText(id, ValueSprite(SETTINGS_ROW_AUTOSAVE), current.bAutoSave);
    SetToggleAsText(id, ValueSprite(SETTINGS_ROW_ANIMATIONS), current.bKudosScreens);
    SetToggleAsText(id, ValueSprite(SETTINGS_ROW_TIPS), current.bTipsAndHints);
}

void CFlashMainMenu::SetIntAsText(s32 screen, s32 sprite, s32 value, char* buffer) {
    const s32 percent = std::clamp(value, 0, SETTINGS_VOLUME_MAX) * 100 / SETTINGS_VOLUME_MAX;
    char* end = std::to_chars(buffer, buffer + sizeof m_szMusicVol - 2, percent).ptr;  // "100" fits
    end[0] = '%';
    end[1] = '\0';
    SFP2KSpriteSetText(screen, sprite, buffer);
}

void CFlashMainMenu::SetToggleAsText(s32 screen, s32 sprite, s32 value) {
    SFP2KSpriteSetText(screen, sprite, value != 0 ? "On" : "Off");
}

namespace {

// The volume one step from `volume` by `button`; -1 past either bound.
s32 SteppedVolume(s32 volume, u8 button) {
    const s32 stepped = volume + (button == kButtonRight ? 1 : -1);
    return stepped >= 0 && stepped <= SETTINGS_VOLUME_MAX ? stepped : -1;
}

}  // namespace

void CFlashMainMenu::UpdateMusic(u8 button) {
    const s32 volume = SteppedVolume(g_GameSettings.m_Current.musicVolume, button);
    if (volume == -1)
        return;
    g_GameSettings.SetMusicVolume(volume);
    SetIntAsText(m_iScreenIds[MAINMENU_LAYER_SETTINGS], ValueSprite(SETTINGS_ROW_MUSIC), volume,
                 m_szMusicVol);
}

void CFlashMainMenu::UpdateSoundFX(u8 button) {
    const s32 volume = SteppedVolume(g_GameSettings.m_Current.effectsVolume, button);
    if (volume == -1)
        return;
    g_GameSettings.SetEffectsVolume(volume);
    SetIntAsText(m_iScreenIds[MAINMENU_LAYER_SETTINGS], ValueSprite(SETTINGS_ROW_SOUND_FX), volume,
                 m_szEffectsVol);
    FlashPlaySound(kSfxAccept);  // a sample at the new volume
}

void CFlashMainMenu::ToggleRow(s32 row, s32& value) {
    value = !value;
    SetToggleAsText(m_iScreenIds[MAINMENU_LAYER_SETTINGS], ValueSprite(row), value);
}

void CFlashMainMenu::UpdateAutoSave() {
    ToggleRow(SETTINGS_ROW_AUTOSAVE, g_GameSettings.m_Current.bAutoSave);
}

void CFlashMainMenu::UpdateKudosScreens() {
    ToggleRow(SETTINGS_ROW_ANIMATIONS, g_GameSettings.m_Current.bKudosScreens);
}

void CFlashMainMenu::UpdateTipsAndHints() {
    ToggleRow(SETTINGS_ROW_TIPS, g_GameSettings.m_Current.bTipsAndHints);
}

void CFlashMainMenu::UpdateSettings(SFP_SCREEN_INFO_t* info) {
    if (g_ScreenTracker.m_CurrScreen != eScreen_List_MainMenuOptions || Leaving(MAINMENU_LAYER_SETTINGS))
        return;
    const s32 before = info->curButton;
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    if (info->curButton != before)
        ToggleSettingsSprites();
    const s32 right = SFP2KButton(kButtonRight, kNewPress);
    if (right != 0 || SFP2KButton(kButtonLeft, kNewPress) != 0) {
        const u8 button = right != 0 ? kButtonRight : kButtonLeft;
        switch (info->curButton) {
            case SETTINGS_ROW_MUSIC:
                UpdateMusic(button);
                break;
            case SETTINGS_ROW_SOUND_FX:
                UpdateSoundFX(button);
                break;
            case SETTINGS_ROW_AUTOSAVE:
                UpdateAutoSave();
                break;
            case SETTINGS_ROW_ANIMATIONS:
                UpdateKudosScreens();
                break;
            case SETTINGS_ROW_TIPS:
                UpdateTipsAndHints();
                break;
        }
    }
    if (SFP2KButton(kButtonAccept, kNewPress) != 0) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        FlashPlaySound(kSfxAccept);
    } else if (SFP2KButton(kButtonBack, kNewPress) != 0) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
        g_GameSettings.Revert();
        FlashPlaySound(kSfxAccept);
    }
}
