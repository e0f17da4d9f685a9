// The general popup's flow: a caller sets the buttons and the message, then runs
// the flow once a frame until it returns 1; the answer is then on the screen
// tracker (SFP_SCREEN_NAV_NEXT: Yes, OK or Continue; SFP_SCREEN_NAV_PREVIOUS: No
// or Exit), for the caller to act on and reset.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

class CGenPopupFlash;

enum eGenPopupButtons : s32 {
    eGenPopupButtons_YesNo = 0,
    eGenPopupButtons_OK = 1,
    eGenPopupButtons_ContinueExit = 2,
};

constexpr u32 GENPOPUP_MESSAGE_SIZE = 300;

class GenPopupFlow {
public:
    GenPopupFlow() = default;
    ~GenPopupFlow() { FreePopup(); }
    // Frees a popup still up; the program's shut-down calls it while the heap
    // that holds it is still there.
    void FreePopup();
    GenPopupFlow(const GenPopupFlow&) = delete;
    GenPopupFlow& operator=(const GenPopupFlow&) = delete;

    // `defaultButton` nonzero starts the cursor on No (Yes/No) or Continue
    // (Continue/Exit).
    void SetButtons(eGenPopupButtons buttons, s32 defaultButton);
    // Copies the text, cut to what the buffer holds; the buffer, for callers that
    // format into it.
    char* SetMessage(const char* text);
    // 0 while the popup is up, 1 on the frame it has gone.
    s32 run();
    s32 IsActive() const;

    CGenPopupFlash* pPopup = nullptr;
    eGenPopupButtons m_Buttons = eGenPopupButtons_OK;
    char m_sMessageBuffer[GENPOPUP_MESSAGE_SIZE] = {};
    f32 m_fMessageTime = -1.0f;  // seconds a timed popup shows; -1: not timed
    s32 m_bSkipAllowed = 0;      // accept ends a timed popup early
    s32 m_bDefaultButton = 0;
    State state;

private:
    // The answer of the button the cursor starts on: what a popup that cannot be
    // shown answers.
    eScreenNavigation DefaultAnswer() const;
};

extern GenPopupFlow g_GenPopupFlow;
