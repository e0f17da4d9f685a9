#include "source/Flash/GenPopupFlash.h"

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/PopupButtons.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"

namespace {

constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
auto s_Buttons = PopupButtons();
auto s_Sprites = PopupSprites("txtOk");

// A set's flag and the pair of buttons it shows.
struct ButtonSet {
    s32 CGenPopupFlash::*active;
    ePopupPair pair;
};
constexpr ButtonSet kSets[GENPOPUP_NUM_SETS] = {
    {&CGenPopupFlash::m_bYesNoButtonsActive, POPUP_PAIR_YES_NO},
    {&CGenPopupFlash::m_bOKButtonActive, POPUP_PAIR_OK},
    {&CGenPopupFlash::m_bRetryContinueButtonsActive, POPUP_PAIR_RETRY_CONTINUE},
    {&CGenPopupFlash::m_bContinueExitButtonsActive, POPUP_PAIR_RETRY_CONTINUE},
    {&CGenPopupFlash::m_bContinueReturnToMenuWiiButtonsActive, POPUP_PAIR_CONTINUE_RETURN_WII},
};

}  // namespace

SFP_SCREEN_INFO_t genPopupFlashScreen = {
    .fileName = "GenPopup",
    .numButtons = GENPOPUP_NUM_BUTTONS,
    .subScreens = s_Labels,
    .Update = CGenPopupFlash::UpdateOwner,
    .numSpriteLookups = POPUP_NUM_SPRITES,
    .spriteLookups = s_Sprites.data(),
    .userData = 16,
    .buttons = s_Buttons.data(),
};

eGenPopupButton CGenPopupFlash::StartButton(eGenPopupSet set, s32 defaultButton) {
    return PopupStartButton(kSets[set].pair, defaultButton);
}

eScreenNavigation CGenPopupFlash::AnswerOf(eGenPopupButton button) {
    return button == GENPOPUP_BUTTON_NO || button == GENPOPUP_BUTTON_RETRY ? SFP_SCREEN_NAV_PREVIOUS
                                                                           : SFP_SCREEN_NAV_NEXT;
}

void CGenPopupFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    PopupSetLabels(m_iScreen);
    for (s32 set = 0; set < GENPOPUP_NUM_SETS; ++set)
        SetButtonsActive(eGenPopupSet(set), 0, 1);
    m_bTimer = 0;
    m_bTimerSkipAllowed = 0;
    m_bIgnoreButtonPresses = 0;
    g_ScreenTracker.m_CurrScreen = eScreen_List_GenPopup;
}

void CGenPopupFlash::SetText(const char* text) {
    SFP2KSpriteSetText(m_iScreen, POPUP_TXT_MESSAGE, text);
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
        SFP2KSpriteSetText(m_iScreen, POPUP_TXT_RETRY, "EXIT");
    SetButtonsActive(GENPOPUP_SET_CONTINUE_EXIT, active, defaultButton);
}

void CGenPopupFlash::SetContinueReturnToMenuWiiButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(GENPOPUP_SET_CONTINUE_RETURN_WII, active, defaultButton);
}

void CGenPopupFlash::SetButtonsActive(eGenPopupSet set, s32 active, s32 defaultButton) {
    this->*kSets[set].active = active;
    PopupShowPair(m_iScreen, kSets[set].pair, active, defaultButton);
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
            cursor = PopupOtherButton(POPUP_PAIR_YES_NO, cursor);
            FlashPlaySound(kSfxMove);
        } else if ((pressed & g_SFPButtonLookup[kButtonAccept]) != 0) {
            Answer(GENPOPUP_SET_YES_NO, cursor);
        }
    } else if (m_bContinueExitButtonsActive != 0) {
        if (SFP2KButton(kButtonRight, kNewPress) != 0) {
            cursor = GENPOPUP_BUTTON_RETRY;
            FlashPlaySound(kSfxMove);
        } else if (SFP2KButton(kButtonLeft, kNewPress) != 0) {
            cursor = GENPOPUP_BUTTON_CONTINUE;
            FlashPlaySound(kSfxMove);
        } else if (SFP2KButton(kButtonAccept, kNewPress) != 0) {
            Answer(GENPOPUP_SET_CONTINUE_EXIT, cursor);
        }
    } else if (m_bOKButtonActive != 0) {
        if (m_bIgnoreButtonPresses == 0 && SFP2KButton(kButtonAccept, kNewPress) != 0)
            Answer(GENPOPUP_SET_OK, GENPOPUP_BUTTON_OK);
    } else if (m_bTimer != 0) {
        if (m_bTimerSkipAllowed != 0 && SFP2KButton(kButtonAccept, kNewPress) != 0) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
            m_bTimer = 0;
        } else if (m_fMessageTimer <= -1.0f) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        } else {
            m_fMessageTimer -= RealDeltaTime;
        }
    }
}
