#include "source/StateMgrs/GenPopupFlow.h"

#include <cstdio>

#include "orblib47/source/Debug.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/SFP/SFP2K.h"

GenPopupFlow g_GenPopupFlow;

namespace {

enum { kShow, kWaitForAnswer, kWaitForClose, kDone };

}  // namespace

void GenPopupFlow::FreePopup() {
    delete pPopup;
    pPopup = nullptr;
}

void GenPopupFlow::SetButtons(eGenPopupButtons buttons, s32 defaultButton) {
    m_Buttons = buttons;
    m_bDefaultButton = defaultButton;
}

char* GenPopupFlow::SetMessage(const char* text) {
    std::snprintf(m_sMessageBuffer, sizeof(m_sMessageBuffer), "%s", text);
    return m_sMessageBuffer;
}

s32 GenPopupFlow::IsActive() const {
    return pPopup != nullptr && SFP2KIsScreenActive(pPopup->m_iScreen) != 0 ? 1 : 0;
}

eScreenNavigation GenPopupFlow::DefaultAnswer() const {
    if (m_fMessageTime > -1.0f)
        return SFP_SCREEN_NAV_NEXT;  // its time would have run out
    switch (m_Buttons) {
        case eGenPopupButtons_YesNo:
            return CGenPopupFlash::AnswerOf(
                CGenPopupFlash::StartButton(GENPOPUP_SET_YES_NO, m_bDefaultButton));
        case eGenPopupButtons_ContinueExit:
            return CGenPopupFlash::AnswerOf(
                CGenPopupFlash::StartButton(GENPOPUP_SET_CONTINUE_EXIT, m_bDefaultButton));
        default:
            return SFP_SCREEN_NAV_NEXT;
    }
}

s32 GenPopupFlow::run() {
    switch (state.m_value[0]) {
        case kShow:
            if (pPopup == nullptr)
                pPopup = new CGenPopupFlash;
            if (pPopup->Load() == 0) {
                // Nothing to wait for: the question takes its safe answer at once.
                DEBUG_PRINT("GenPopupFlow: no popup for \"%.40s\": it answers its default\n",
                            m_sMessageBuffer);
                g_ScreenTracker.m_ScreenNav = DefaultAnswer();
                delete pPopup;
                pPopup = nullptr;
                state.Transition(0, kDone);
                return 0;
            }
            pPopup->Open();
            pPopup->SetText(m_sMessageBuffer);
            if (m_fMessageTime > -1.0f) {
                pPopup->SetTimerActive(1);
                pPopup->SetDisplayTime(m_fMessageTime);
                pPopup->SetTimerSkipAllowed(m_bSkipAllowed);
            } else if (m_Buttons == eGenPopupButtons_ContinueExit) {
                pPopup->SetContinueExitButtonsActive(1, m_bDefaultButton);
            } else if (m_Buttons == eGenPopupButtons_OK) {
                pPopup->SetOKButtonActive(1);
            } else if (m_Buttons == eGenPopupButtons_YesNo) {
                pPopup->SetYesNoButtonsActive(1, m_bDefaultButton);
            }
            state.Advance(0);
            return 0;
        case kWaitForAnswer:
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE)
                return 0;
            pPopup->Close();
            state.Advance(0);
            return 0;
        case kWaitForClose:
            if (SFP2KIsScreenActive(pPopup->m_iScreen) != 0)
                return 0;
            delete pPopup;  // which kills its movie
            pPopup = nullptr;
            state.Advance(0);
            return 0;
        case kDone:
            m_fMessageTime = -1.0f;
            m_bSkipAllowed = 0;
            state = State{};
            return 1;
        default:
            return 1;
    }
}
