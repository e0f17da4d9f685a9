// The general popup: one message and a pair of buttons (Yes/No, Continue/Exit),
// one OK button, or none when it closes by itself after a time. It answers on the
// screen tracker: SFP_SCREEN_NAV_NEXT for Yes, OK, Continue or the time running
// out, SFP_SCREEN_NAV_PREVIOUS for No or Exit.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"
#include "source/StateMgrs/ScreenTracker.h"

// The movie's buttons, by their index as the screen's current button.
enum eGenPopupButton : s32 {
    GENPOPUP_BUTTON_YES = 0,
    GENPOPUP_BUTTON_NO = 1,
    GENPOPUP_BUTTON_OK = 2,
    GENPOPUP_BUTTON_RETRY = 3,  // "EXIT" in the Continue/Exit set
    GENPOPUP_BUTTON_CONTINUE = 4,
    GENPOPUP_BUTTON_CONTINUE_WII = 5,
    GENPOPUP_BUTTON_RETURN_WII = 6,
    GENPOPUP_NUM_BUTTONS = 7,
};

// The sets of buttons shown together.
enum eGenPopupSet : s32 {
    GENPOPUP_SET_YES_NO,
    GENPOPUP_SET_OK,
    GENPOPUP_SET_RETRY_CONTINUE,
    GENPOPUP_SET_CONTINUE_EXIT,
    GENPOPUP_SET_CONTINUE_RETURN_WII,
    GENPOPUP_NUM_SETS,
};

extern SFP_SCREEN_INFO_t genPopupFlashScreen;

class CGenPopupFlash : public CFlashScreen<CGenPopupFlash, genPopupFlashScreen> {
public:
    CGenPopupFlash() = default;

    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    void SetText(const char* text);

    // Showing a set puts the cursor on its start button (StartButton); hiding it
    // stops it taking input.
    void SetYesNoButtonsActive(s32 active, s32 defaultButton);
    void SetOKButtonActive(s32 active);
    void SetRetryContinueButtonsActive(s32 active, s32 defaultButton);
    void SetContinueExitButtonsActive(s32 active, s32 defaultButton);
    void SetContinueReturnToMenuWiiButtonsActive(s32 active, s32 defaultButton);
    void SetTimerActive(s32 active) { m_bTimer = active; }
    void SetDisplayTime(f32 seconds) { m_fMessageTimer = seconds; }
    void SetTimerSkipAllowed(s32 allowed) { m_bTimerSkipAllowed = allowed; }

    // The button the cursor starts on when `set` is shown: the second of a pair
    // when `defaultButton` is nonzero (No, Continue, continue without saving).
    static eGenPopupButton StartButton(eGenPopupSet set, s32 defaultButton);
    // What accepting `button` answers.
    static eScreenNavigation AnswerOf(eGenPopupButton button);

    s32 m_bYesNoButtonsActive = 0;
    s32 m_bOKButtonActive = 0;
    s32 m_bRetryContinueButtonsActive = 0;
    s32 m_bContinueReturnToMenuWiiButtonsActive = 0;
    s32 m_bTimer = 0;
    f32 m_fMessageTimer = -1.0f;  // seconds left; the popup answers once it is -1 or less
    s32 m_bTimerSkipAllowed = 0;
    s32 m_bContinueExitButtonsActive = 0;
    // OK takes no input: the controller-disconnected message reads the accept
    // button itself. Cleared by Open.
    s32 m_bIgnoreButtonPresses = 0;

private:
    void SetButtonsActive(eGenPopupSet set, s32 active, s32 defaultButton);
    // Takes the answer of the current button, hides `set` and plays the accept sound.
    void Answer(eGenPopupSet set, s32 curButton);
    // The pad that answers a Yes/No question.
    static s32 YesNoPad();
};
