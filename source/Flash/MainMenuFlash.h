// The shell's menu screens: one object owns the four layers the menus share (the
// animated background, the border bar with its title and button hints, the main
// menu and the settings screen). The main-menu flow keeps it for the whole stay
// in the menus and lends its background and border to the flows it runs.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

struct SFP_SCREEN_INFO_t;

// The layers, by their row of FlashMainMenuScreen.
enum eMainMenuLayer : s32 {
    MAINMENU_LAYER_BACKGROUND,
    MAINMENU_LAYER_BORDER,
    MAINMENU_LAYER_MENU,
    MAINMENU_LAYER_SETTINGS,
    MAINMENU_NUM_LAYERS,
};

// The settings screen's rows, by their button.
enum eSettingsRow : s32 {
    SETTINGS_ROW_MUSIC,
    SETTINGS_ROW_SOUND_FX,
    SETTINGS_ROW_AUTOSAVE,
    SETTINGS_ROW_ANIMATIONS,
    SETTINGS_ROW_TIPS,
    SETTINGS_NUM_ROWS,
};

class CFlashMainMenu {
public:
    CFlashMainMenu();
    ~CFlashMainMenu() { Kill(); }
    CFlashMainMenu(const CFlashMainMenu&) = delete;
    CFlashMainMenu& operator=(const CFlashMainMenu&) = delete;

    // Loads and opens the background at once.
    void LoadBackground();
    void CloseBackground();
    void LoadBorder();
    // A null subtitle keeps the movie's.
    void OpenBorder(const char* title, const char* subtitle);
    void CloseBorder();
    void LoadMainMenu();
    void OpenMainMenu();
    void CloseMainMenu();
    void UpdateMainMenu(SFP_SCREEN_INFO_t* info);
    // Loads and opens the settings layer with the current settings.
    void LoadSettings();
    void CloseSettings();
    void UpdateSettings(SFP_SCREEN_INFO_t* info);
    void KillSettings();
    // Shows the current settings again and makes them the revert point, after a
    // load replaced them.
    void RefreshSettings();
    void Kill();  // every loaded layer

    // One setting row each; `button` is the screen button id pressed (left or right).
    void UpdateMusic(u8 button);
    void UpdateSoundFX(u8 button);
    void UpdateAutoSave();
    void UpdateKudosScreens();
    void UpdateTipsAndHints();
    // Rewrites the five values from the current settings.
    void ToggleSettingsSprites();
    // A volume of 0..10 as a percentage, kept in `buffer` (10 bytes).
    void SetIntAsText(s32 screen, s32 sprite, s32 value, char* buffer);
    void SetToggleAsText(s32 screen, s32 sprite, s32 value);

    s32 m_iScreenIds[MAINMENU_NUM_LAYERS];  // -1 when not loaded
    s32 m_bActive;                          // the background is loaded and open
    eSAVELOAD_PROCESS m_LoadSaveProcess;    // a request left for the settings flow
    char m_szMusicVol[10];
    char m_szEffectsVol[10];

private:
    s32 LoadLayer(eMainMenuLayer layer);
    void CloseLayer(eMainMenuLayer layer);
    void KillLayer(eMainMenuLayer layer);
    // Whether the layer is playing its way out: it takes no more input then, so
    // a press after the answer cannot answer again.
    s32 Leaving(eMainMenuLayer layer) const;
    void ToggleRow(s32 row, s32& value);
};

void FlashMainMenuUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void FlashSettingsUpdate(s32 handle, SFP_SCREEN_INFO_t* info);

extern SFP_SCREEN_INFO_t FlashMainMenuScreen[MAINMENU_NUM_LAYERS];

// The cursors back on the first entry, as at start-up.
void MainMenuFlashColdReset();
