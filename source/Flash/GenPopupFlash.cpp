#include "source/Flash/GenPopupFlash.h"

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP2K.h"

namespace {

constexpr s32 kButtonAccept = 0;  // screen button ids
constexpr s32 kButtonLeft = 8;
constexpr s32 kButtonRight = 9;
constexpr s32 kModeNew = 2;
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);

// Sprite lookups, in the descriptor's order.
enum {
    kTxtMessage,
    kTxtYes,
    kTxtNo,
    kTxtOk,
    kTxtRetry,
    kTxtContinue,
    kTxtContinueWii,
    kTxtReturnWii,
    kSprButtonYes,
    kSprButtonNo,
    kSprButtonOK,
    kSprButtonRetry,
    kSprButtonContinue,
    kSprBtnContinueWii,
    kSprBtnReturnWii,
    kNumSprites,
};

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[GENPOPUP_NUM_BUTTONS] = {
    {"ButtonYes", 0},      {"ButtonNo", 0},       {"ButtonOK", 0},     {"ButtonRetry", 0},
    {"ButtonContinue", 0}, {"BtnContinueWii", 0}, {"BtnReturnWii", 0},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[kNumSprites] = {
    {"txtMessage", 0, {}},     {"txtYes", 0, {}},         {"txtNo", 0, {}},          {"txtOk", 0, {}},
    {"txtRetry", 0, {}},       {"txtContinue", 0, {}},    {"txtContinueWii", 0, {}}, {"txtReturnWii", 0, {}},
    {"ButtonYes", 0, {}},      {"ButtonNo", 0, {}},       {"ButtonOK", 0, {}},       {"ButtonRetry", 0, {}},
    {"ButtonContinue", 0, {}}, {"BtnContinueWii", 0, {}}, {"BtnReturnWii", 0, {}},
};

// The button labels are the popup's own, the same in every language.
constexpr struct {
    s32 sprite;
    const char* text;
} kLabels[] = {
    {kTxtYes, "YES"},
    {kTxtNo, "NO"},
    {kTxtOk, "OK"},
    {kTxtRetry, "RETRY"},
    {kTxtContinue, "CONTINUE"},
    {kTxtContinueWii, "CONTINUE WITHOUT SAVING"},
    {kTxtReturnWii, "RETURN TO THE Wii MENU"},
};

// A set's flag, the sprites it shows (buttons and their labels), and the button
// the cursor starts on by the caller's default: zero, nonzero.
struct ButtonSet {
    s32 CGenPopupFlash::*active;
    s32 numSprites;
    s32 sprites[4];
    eGenPopupButton start[2];
};
constexpr ButtonSet kSets[GENPOPUP_NUM_SETS] = {
    {&CGenPopupFlash::m_bYesNoButtonsActive,
     4,
     {kSprButtonYes, kSprButtonNo, kTxtYes, kTxtNo},
     {GENPOPUP_BUTTON_YES, GENPOPUP_BUTTON_NO}},
    {&CGenPopupFlash::m_bOKButtonActive, 2, {kSprButtonOK, kTxtOk}, {GENPOPUP_BUTTON_OK, GENPOPUP_BUTTON_OK}},
    {&CGenPopupFlash::m_bRetryContinueButtonsActive,
     4,
     {kSprButtonRetry, kSprButtonContinue, kTxtRetry, kTxtContinue},
     {GENPOPUP_BUTTON_RETRY, GENPOPUP_BUTTON_CONTINUE}},
    {&CGenPopupFlash::m_bContinueExitButtonsActive,
     4,
     {kSprButtonRetry, kSprButtonContinue, kTxtRetry, kTxtContinue},
     {GENPOPUP_BUTTON_RETRY, GENPOPUP_BUTTON_CONTINUE}},
    {&CGenPopupFlash::m_bContinueReturnToMenuWiiButtonsActive,
     4,
     {kSprBtnReturnWii, kSprBtnContinueWii, kTxtReturnWii, kTxtContinueWii},
     {GENPOPUP_BUTTON_RETURN_WII, GENPOPUP_BUTTON_CONTINUE_WII}},
};

}  // namespace

SFP_SCREEN_INFO_t genPopupFlashScreen = {
    .fileName = "GenPopup",
    .screenAlign = 1,
    .numButtons = GENPOPUP_NUM_BUTTONS,
    .curButton = 0,
    .numSubScreens = 3,
    .subScreens = s_Labels,
    .Open = nullptr,
    .Close = nullptr,
    .Update = GenPopupFlashUpdate,
    .Draw = nullptr,
    .numSpriteLookups = kNumSprites,
    .spriteLookups = s_Sprites,
    .renderBackdrop = 0,
    .pauseLowerScreens = 0,
    .userData = 16,
    .buttons = s_Buttons,
    .localsSize = 4,
};

void GenPopupFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CGenPopupFlash* owner = FlashOwner<CGenPopupFlash>(handle))
        owner->Update(info);
}

eGenPopupButton CGenPopupFlash::StartButton(eGenPopupSet set, s32 defaultButton) {
    return kSets[set].start[defaultButton != 0 ? 1 : 0];
}

eScreenNavigation CGenPopupFlash::AnswerOf(eGenPopupButton button) {
    return button == GENPOPUP_BUTTON_NO || button == GENPOPUP_BUTTON_RETRY ? SFP_SCREEN_NAV_PREVIOUS
                                                                           : SFP_SCREEN_NAV_NEXT;
}

s32 CGenPopupFlash::Load() {
    m_iScreen = SFP2KLoadScreen(&genPopupFlashScreen, genPopupFlashScreen.localsSize, 0);
    if (m_iScreen == -1)
        return 0;
    FlashSetOwner(m_iScreen, this);
    return 1;
}

void CGenPopupFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    SFP2KOpenScreen(m_iScreen, 0, 1, 1);
    for (const auto& label : kLabels)
        SFP2KSpriteSetText(m_iScreen, label.sprite, label.text);
    for (s32 set = 0; set < GENPOPUP_NUM_SETS; ++set)
        SetButtonsActive(eGenPopupSet(set), 0, 1);
    m_bTimer = 0;
    m_bTimerSkipAllowed = 0;
    m_bIgnoreButtonPresses = 0;
    g_ScreenTracker.m_CurrScreen = eScreen_List_GenPopup;
}

void CGenPopupFlash::Close() {
    if (SFP2KIsScreenActive(m_iScreen))
        SFP2KCloseScreen(m_iScreen, 2, 3);
}

void CGenPopupFlash::Kill() {
    if (m_iScreen == -1)
        return;
    SFP2KKillScreen(m_iScreen);
    m_iScreen = -1;
}

void CGenPopupFlash::SetText(const char* text) {
    SFP2KSpriteSetText(m_iScreen, kTxtMessage, text);
}

void CGenPopupFlash::SetYesNoButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(GENPOPUP_SET_YES_NO, active, defaultButton);
}

void CGenPopupFlash::SetOKButtonActive(s32 active) {
    SetButtonsActive(GENPOPUP_SET_OK, active, 0);
}

void CGenPopupFlash::SetRetryContinueButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(GENPOPUP_SET_RETRY_CONTINUE, active, defaultButton);
}

void CGenPopupFlash::SetContinueExitButtonsActive(s32 active, s32 defaultButton) {
    // The Retry/Continue buttons, the first relabelled.
    if (active != 0)
        SFP2KSpriteSetText(m_iScreen, kTxtRetry, "EXIT");
    SetButtonsActive(GENPOPUP_SET_CONTINUE_EXIT, active, defaultButton);
}

void CGenPopupFlash::SetContinueReturnToMenuWiiButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(GENPOPUP_SET_CONTINUE_RETURN_WII, active, defaultButton);
}

void CGenPopupFlash::SetButtonsActive(eGenPopupSet set, s32 active, s32 defaultButton) {
    const ButtonSet& buttons = kSets[set];
    this->*buttons.active = active;
    if (active != 0) {
        if (SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(m_iScreen))
            info->curButton = StartButton(set, defaultButton);
    }
    for (s32 i = 0; i < buttons.numSprites; ++i) {
        if (active != 0)
            SFP2KSpriteShow(m_iScreen, buttons.sprites[i]);
        else
            SFP2KSpriteHide(m_iScreen, buttons.sprites[i]);
    }
}

void CGenPopupFlash::Answer(eGenPopupSet set, s32 curButton) {
    g_ScreenTracker.m_ScreenNav = AnswerOf(eGenPopupButton(curButton));
    SetButtonsActive(set, 0, 0);  // so that a second press answers nothing
    FlashPlaySound(kSfxAccept);
}

s32 CGenPopupFlash::YesNoPad() {
    // In a quick-play game the bowler whose turn it is answers; in the menus and
    // in a career the first controller.
    if (g_LevelMgr.m_bActive == 0 || g_GameSettings.m_Current.gameMode == eGameMode_Career)
        return 0;
    return g_GameSettings.ControllerPad(Physics.iCurrentBowler);
}

void CGenPopupFlash::Update(SFP_SCREEN_INFO_t* info) {
    s32& cursor = info->curButton;
    if (m_bYesNoButtonsActive != 0) {
        if (g_BlockPadInput != 0)
            return;
        const u32 pressed = Pad[YesNoPad()].bnew;
        if ((pressed & (g_SFPButtonLookup[kButtonRight] | g_SFPButtonLookup[kButtonLeft])) != 0) {
            // Of two buttons, either way leads to the other one.
            cursor = cursor == GENPOPUP_BUTTON_YES ? GENPOPUP_BUTTON_NO : GENPOPUP_BUTTON_YES;
            FlashPlaySound(kSfxMove);
        } else if ((pressed & g_SFPButtonLookup[kButtonAccept]) != 0) {
            Answer(GENPOPUP_SET_YES_NO, cursor);
        }
    } else if (m_bContinueExitButtonsActive != 0) {
        if (SFP2KButton(kButtonRight, kModeNew) != 0) {
            cursor = GENPOPUP_BUTTON_RETRY;
            FlashPlaySound(kSfxMove);
        } else if (SFP2KButton(kButtonLeft, kModeNew) != 0) {
            cursor = GENPOPUP_BUTTON_CONTINUE;
            FlashPlaySound(kSfxMove);
        } else if (SFP2KButton(kButtonAccept, kModeNew) != 0) {
            Answer(GENPOPUP_SET_CONTINUE_EXIT, cursor);
        }
    } else if (m_bOKButtonActive != 0) {
        if (m_bIgnoreButtonPresses == 0 && SFP2KButton(kButtonAccept, kModeNew) != 0)
            Answer(GENPOPUP_SET_OK, GENPOPUP_BUTTON_OK);
    } else if (m_bTimer != 0) {
        if (m_bTimerSkipAllowed != 0 && SFP2KButton(kButtonAccept, kModeNew) != 0) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
            m_bTimer = 0;
        } else if (m_fMessageTimer <= -1.0f) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        } else {
            m_fMessageTimer -= RealDeltaTime;
        }
    }
}
