#include "source/Flash/PauseFlash.h"

#include <cstdio>
#include <utility>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

// Screen button ids.
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);
// The level runs at two retraces a frame; the menu at one.
constexpr u32 kPausedRetraces = 1;
constexpr u32 kLevelRetraces = 2;

// String symbols.
constexpr u32 kTextPause = 7060;
constexpr u32 kTextResume = 7061;
constexpr u32 kTextMusic = 7062;
constexpr u32 kTextSoundFx = 7063;
constexpr u32 kTextAnimations = 7064;
constexpr u32 kTextQuitGame = 7065;
constexpr u32 kTextOn = 7066;
constexpr u32 kTextOff = 7067;
constexpr u32 kTextQuitForfeits = 7068;
constexpr u32 kTextQuitSure = 7069;

// Sprite lookups, in the descriptor's order.
enum {
    kTxtPause,
    kTxtResume,
    kTxtMusic,
    kTxtMusicVol,
    kTxtSoundFx,
    kTxtEffectsVol,
    kTxtAnimations,
    kTxtKudos,
    kTxtQuit,
    kNumSprites,
};

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[PAUSE_NUM_BUTTONS] = {
    {"Button01", 0}, {"Button02", 0}, {"Button03", 0}, {"Button05", 0}, {"Button04", 0},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[kNumSprites] = {
    {"txtPause", 0, {}},   {"txtBtn01", 0, {}},   {"txtBtn02", 0, {}},
    {"txtSlide01", 0, {}}, {"txtBtn03", 0, {}},   {"txtSlide02", 0, {}},
    {"txtBtn05", 0, {}},   {"txtSlide03", 0, {}}, {"txtBtn04", 0, {}},
};

// The frame-skip setting in force before the menu opened.
s32 s_PrevFrameSkip = 0;

// The controller of the bowler up; the first while unmapped.
s32 BowlerPad() {
    return g_GameSettings.ControllerPad(Physics.iCurrentBowler);
}

// One step of a volume by the button pressed; false at its end.
bool StepVolume(s32* volume, u8 direction) {
    const s32 step = direction == kButtonIncrease ? 1 : -1;
    const s32 stepped = *volume + step;
    if (stepped < 0 || stepped > SETTINGS_VOLUME_MAX)
        return false;
    *volume = stepped;
    return true;
}

// What the game's player wants to hear: the music alone while the cursor is on
// its volume, nothing otherwise.
void FollowCursorWithMusic(s32 button) {
    if (button == PAUSE_BUTTON_MUSIC)
        OrbStreamManager.Resume(ORB_STREAM_TYPE_MUSIC);
    else
        OrbStreamManager.Pause();
}

}  // namespace

SFP_SCREEN_INFO_t pauseFlashScreen = {
    .fileName = "Pause",
    .numButtons = PAUSE_NUM_BUTTONS,
    .subScreens = s_Labels,
    .Update = CPauseFlash::UpdateOwner,
    .numSpriteLookups = kNumSprites,
    .spriteLookups = s_Sprites,
    .pauseLowerScreens = 1,
    .userData = 16,
    .buttons = s_Buttons,
    .localsSize = 16,
};

void CPauseFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    const s_GameSettingsRecord& settings = g_GameSettings.m_Current;
    for (const auto& [sprite, symbol] : {std::pair{kTxtPause, kTextPause},
                                         {kTxtResume, kTextResume},
                                         {kTxtMusic, kTextMusic},
                                         {kTxtSoundFx, kTextSoundFx},
                                         {kTxtAnimations, kTextAnimations},
                                         {kTxtQuit, kTextQuitGame}})
        SFP2KSpriteSetText(m_iScreen, sprite, SymbolText(symbol));
    SetIntAsText(m_iScreen, kTxtMusicVol, settings.musicVolume, m_szMusicVol);
    SetIntAsText(m_iScreen, kTxtEffectsVol, settings.effectsVolume, m_szEffectsVol);
    SetToggleAsText(m_iScreen, kTxtKudos, settings.bKudosScreens);
    g_ScreenTracker.m_CurrScreen = eScreen_List_Pause;
    m_Quit_popup = 0;
}

void CPauseFlash::ClearPadBnew() {
    for (s_pad& pad : Pad)
        pad.bnew = 0;
    PadAny.bnew = 0;
}

void CPauseFlash::Pause(s32 on) {
    if (on != 0) {
        if (!GamePaused() && !SFP2KIsScreenActive(m_iScreen)) {
            ClearPadBnew();
            Open();
            SetGamePause(1);
            MinVblCount = kPausedRetraces;
            s_PrevFrameSkip = SFP2KEnableFrameSkip(1);
            OrbStreamManager.Pause();
            SfxPause();
            GameCutScenePause();
            if (const SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(m_iScreen);
                info != nullptr && info->curButton == PAUSE_BUTTON_MUSIC)
                OrbStreamManager.Resume(ORB_STREAM_TYPE_MUSIC);
        }
        PadVibeOff(BowlerPad());
        return;
    }
    if (!GamePaused() || !SFP2KIsScreenActive(m_iScreen))
        return;
    ClearPadBnew();
    Close();
    SetGamePause(0);
    MinVblCount = kLevelRetraces;
    SFP2KEnableFrameSkip(s_PrevFrameSkip);
    SfxResume();
    OrbStreamManager.Resume();
    GameCutSceneResume();
}

void CPauseFlash::SetIntAsText(s32 handle, s32 sprite, s32 value, char* buffer) {
    // Whole tens: 7 is 70%, which a float product of 0.7 would print as 69%.
    std::snprintf(buffer, PAUSE_VOLUME_TEXT_SIZE, "%d%%", value * 10);
    SFP2KSpriteSetText(handle, sprite, buffer);
}

void CPauseFlash::SetToggleAsText(s32 handle, s32 sprite, s32 flag) {
    SFP2KSpriteSetText(handle, sprite, SymbolText(flag != 0 ? kTextOn : kTextOff));
}

void CPauseFlash::UpdateMusic(u8 direction) {
    s32 volume = g_GameSettings.m_Current.musicVolume;
    if (!StepVolume(&volume, direction))
        return;
    g_GameSettings.SetMusicVolume(volume);
    SetIntAsText(m_iScreen, kTxtMusicVol, volume, m_szMusicVol);
}

void CPauseFlash::UpdateSoundFX(u8 direction) {
    s32 volume = g_GameSettings.m_Current.effectsVolume;
    if (!StepVolume(&volume, direction))
        return;
    g_GameSettings.SetEffectsVolume(volume);
    SetIntAsText(m_iScreen, kTxtEffectsVol, volume, m_szEffectsVol);
    FlashPlaySound(kSfxAccept);  // at the new volume
}

void CPauseFlash::UpdateKudosScreens() {
    s32& kudos = g_GameSettings.m_Current.bKudosScreens;
    kudos = kudos != 0 ? 0 : 1;
    SetToggleAsText(m_iScreen, kTxtKudos, kudos);
}

void CPauseFlash::Update(SFP_SCREEN_INFO_t* info) {
    // The song of the lane goes on while the game stands.
    if (Physics.m_Streams[0] != nullptr && OrbStreamManager.IsFinished(Physics.m_Streams[0]))
        Physics.PlayLastSong();
    if (g_GenPopupFlow.IsActive() || g_BlockPadInput != 0)
        return;
    const u32 pressed = Pad[BowlerPad()].bnew;
    const auto is = [pressed](s32 id) { return (pressed & g_SFPButtonLookup[id]) != 0; };
    s32& cursor = info->curButton;
    if (is(kButtonNext)) {
        FlashPlaySound(kSfxMove);
        cursor = (cursor + 1) % info->numButtons;
        if (cursor == PAUSE_BUTTON_MUSIC || cursor == PAUSE_BUTTON_EFFECTS)
            FollowCursorWithMusic(cursor);
    } else if (is(kButtonPrevious)) {
        FlashPlaySound(kSfxMove);
        cursor = (cursor + info->numButtons - 1) % info->numButtons;
        if (cursor == PAUSE_BUTTON_MUSIC || cursor == PAUSE_BUTTON_RESUME)
            FollowCursorWithMusic(cursor);
    }
    if (is(kButtonIncrease) || is(kButtonDecrease)) {
        const u8 direction = is(kButtonIncrease) ? kButtonIncrease : kButtonDecrease;
        if (cursor == PAUSE_BUTTON_MUSIC)
            UpdateMusic(direction);
        else if (cursor == PAUSE_BUTTON_EFFECTS)
            UpdateSoundFX(direction);
        else if (cursor == PAUSE_BUTTON_KUDOS)
            UpdateKudosScreens();
    }
    if (is(kButtonAccept)) {
        if (cursor == PAUSE_BUTTON_RESUME) {
            FlashPlaySound(kSfxAccept);
            Pause(0);
        } else if (cursor == PAUSE_BUTTON_QUIT) {
            FlashPlaySound(kSfxAccept);
            m_Quit_popup = 1;
            g_GenPopupFlow.SetButtons(eGenPopupButtons_YesNo, 1);
            const s_GameSettingsRecord& game = g_GameSettings.m_Current;
            const bool forfeits = game.gameMode == eGameMode_Career && game.gameType != eGameType_Practice;
            g_GenPopupFlow.SetMessage(SymbolText(forfeits ? kTextQuitForfeits : kTextQuitSure));
        }
    } else if (is(kButtonBack) && m_Quit_popup == 0) {
        FlashPlaySound(kSfxAccept);
        Pause(0);
    }
}
