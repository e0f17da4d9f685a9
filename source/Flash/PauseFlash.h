// The in-game pause menu: resume, the music and effects volumes, the kudos
// animations switch, and quitting the game after a yes/no question. While it is
// up the game, its sounds and the intro stand still; the music plays on only
// while the cursor is on the music volume, so that a change can be heard.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

// The menu's buttons, by their index as the screen's current button.
enum ePauseButton : s32 {
    PAUSE_BUTTON_RESUME,
    PAUSE_BUTTON_MUSIC,
    PAUSE_BUTTON_EFFECTS,
    PAUSE_BUTTON_KUDOS,
    PAUSE_BUTTON_QUIT,
    PAUSE_NUM_BUTTONS,
};

constexpr u32 PAUSE_VOLUME_TEXT_SIZE = 10;

extern SFP_SCREEN_INFO_t pauseFlashScreen;

class CPauseFlash : public CFlashScreen<CPauseFlash, pauseFlashScreen> {
public:
    CPauseFlash() = default;

    void Open();
    // 1 once the quit question has been asked.
    s32 PopUp() const { return m_Quit_popup; }
    // 1 opens the menu when the game is not paused already, 0 closes it; either
    // way the bowler's rumble stops.
    void Pause(s32 on);
    void Update(SFP_SCREEN_INFO_t* info);
    // direction: the increase (9) or decrease (8) button id.
    void UpdateMusic(u8 direction);
    void UpdateSoundFX(u8 direction);
    void UpdateKudosScreens();
    // A volume of 0..10 as a percentage.
    static void SetIntAsText(s32 handle, s32 sprite, s32 value, char* buffer);
    static void SetToggleAsText(s32 handle, s32 sprite, s32 flag);
    // So that the press that opened or closed the menu acts nowhere else.
    static void ClearPadBnew();

    s32 m_Quit_popup = 0;
    char m_szMusicVol[PAUSE_VOLUME_TEXT_SIZE] = {};
    char m_szEffectsVol[PAUSE_VOLUME_TEXT_SIZE] = {};
};
