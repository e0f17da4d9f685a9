#include "source/Flash/PickPinsScreen.h"

#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxChosen = s32(0x80002FDFu);

// Cursor moves, indexed by the pin the cursor is on.
constexpr s32 kNextRow[PICKPINS_NUM_PINS] = {6, 0, 0, 1, 2, 2, 3, 4, 5, 5};
constexpr s32 kPreviousRow[PICKPINS_NUM_PINS] = {1, 3, 4, 6, 7, 8, 0, 0, 0, 0};
constexpr s32 kRowEnd[PICKPINS_NUM_PINS] = {0, 2, 2, 5, 5, 5, 9, 9, 9, 9};
constexpr s32 kRowStart[PICKPINS_NUM_PINS] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6};

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[PICKPINS_NUM_PINS] = {
    {"Button1", 0}, {"Button2", 0}, {"Button3", 0}, {"Button4", 0}, {"Button5", 0},
    {"Button6", 0}, {"Button7", 0}, {"Button8", 0}, {"Button9", 0}, {"Button10", 0},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[PICKPINS_NUM_PINS] = {
    {"Pin1Spr", 0, {}}, {"Pin2Spr", 0, {}}, {"Pin3Spr", 0, {}}, {"Pin4Spr", 0, {}}, {"Pin5Spr", 0, {}},
    {"Pin6Spr", 0, {}}, {"Pin7Spr", 0, {}}, {"Pin8Spr", 0, {}}, {"Pin9Spr", 0, {}}, {"Pin10Spr", 0, {}},
};

bool Standing(s16 mask, s32 pin) {
    return (u16(mask) & PinBit(pin)) != 0;
}

CPickPinsScreen s_Screen;

void HookOpen(PinMask current) {
    // A player reset frees every screen: the handle may name nothing now.
    if (SFP2KGetScreenInfo(s_Screen.m_iScreen) != &pickPinsScreen)
        s_Screen.m_iScreen = -1;
    if (s_Screen.m_iScreen == -1 && s_Screen.Load() == 0)
        return;
    s_Screen.m_iPinToggle = s16(current);
    g_ScreenTracker.ResetScreenNav();
    s_Screen.Open();
}

s32 HookDone(PinMask* chosen) {
    // A screen that could not load keeps the set-up.
    if (s_Screen.m_iScreen != -1 && g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_PREVIOUS)
        return 0;
    g_ScreenTracker.ResetScreenNav();
    s_Screen.Close();
    *chosen = PinMask(s_Screen.m_iPinToggle);
    return 1;
}

}  // namespace

SFP_SCREEN_INFO_t pickPinsScreen = {
    .fileName = "PickPins",
    .numButtons = PICKPINS_NUM_PINS,
    .subScreens = s_Labels,
    .Update = CPickPinsScreen::UpdateOwner,
    .numSpriteLookups = PICKPINS_NUM_PINS,
    .spriteLookups = s_Sprites,
    .buttons = s_Buttons,
};

void PickPinsScreenInstall() {
    g_InGameScreens.PickPinsOpen = HookOpen;
    g_InGameScreens.PickPinsDone = HookDone;
}

void PickPinsScreenKill() {
    s_Screen.Kill();
}

s32 CPickPinsScreen::MoveCursor(s32 from, s32 button) {
    if (from < 0 || from >= PICKPINS_NUM_PINS)
        return 0;
    switch (button) {
        case kButtonIncrease:
            return from == kRowEnd[from] ? kRowStart[from] : from + 1;
        case kButtonDecrease:
            return from == kRowStart[from] ? kRowEnd[from] : from - 1;
        case kButtonNext:
            return kNextRow[from];
        case kButtonPrevious:
            return kPreviousRow[from];
        default:
            return from;
    }
}

void CPickPinsScreen::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    for (s32 pin = 0; pin < PICKPINS_NUM_PINS; ++pin)
        ShowPin(pin, Standing(m_iPinToggle, pin));
}

void CPickPinsScreen::ShowPin(s32 pin, bool standing) {
    if (standing) {
        SFP2KSpritePlay(m_iScreen, pin, SFP_PLAY_LOOP | SFP_PLAY_RESTART);
    } else {
        SFP2KSpriteSetFrame(m_iScreen, pin, 0);
        SFP2KSpritePause(m_iScreen, pin);
    }
}

void CPickPinsScreen::Update(SFP_SCREEN_INFO_t* info) {
    for (s32 button : {kButtonIncrease, kButtonDecrease, kButtonNext, kButtonPrevious})
        if (SFP2KButton(button, kNewPress) != 0)
            info->curButton = MoveCursor(info->curButton, button);
    if (SFP2KButton(kButtonAccept, kNewPress) != 0) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
        FlashPlaySound(kSfxChosen);
    } else if (SFP2KButton(kButtonBack, kNewPress) != 0) {
        TogglePin(info->curButton);
    } else if (SFP2KButton(kButtonReset, kNewPress) != 0) {
        ResetPins();
    }
}

void CPickPinsScreen::TogglePin(s32 pin) {
    if (pin < 0 || pin >= PICKPINS_NUM_PINS)
        return;
    m_iPinCount = 0;
    for (s32 i = 0; i < PICKPINS_NUM_PINS; ++i)
        m_iPinCount = s16(m_iPinCount + (Standing(m_iPinToggle, i) ? 1 : 0));
    const bool standing = Standing(m_iPinToggle, pin);
    if (standing && m_iPinCount == 1)
        return;  // the last pin stays
    m_iPinToggle = s16(u16(m_iPinToggle) ^ PinBit(pin));
    ShowPin(pin, !standing);
}

void CPickPinsScreen::ResetPins() {
    m_iPinToggle = s16(PIN_MASK_ALL);
    for (s32 pin = 0; pin < PICKPINS_NUM_PINS; ++pin)
        ShowPin(pin, true);
}
