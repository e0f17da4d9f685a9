#include "source/ControllerMessage.h"

#include <cstdio>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"

namespace {

constexpr u32 kTextDisconnected = 6886;  // string symbol; one %d, the controller from 1
constexpr u32 kPadAccept = PAD_A;

s32 g_DisableControllerMessage = 0;
s32 g_bAllowSecondaryController = 0;
CGenPopupFlash* pControllerPopup = nullptr;
char popupstring[200] = {};
s32 g_bSavedPreviousPause = 0;
s32 g_bPreviousPause = 0;
// This disconnection's popup could not be shown and has been reported; the check
// waits for the controller to come back before it tries again.
s32 s_bLoadFailed = 0;

void FormatMessage(s32 controller) {
    SymbolTextFormat(popupstring, sizeof(popupstring), kTextDisconnected, controller + 1);
}

s32 ControllerInCharge() {
    return g_bAllowSecondaryController != 0 ? g_GameSettings.ControllerPad(Physics.iCurrentBowler) : 0;
}

// Shows the message for `controller`; false when the popup cannot be shown.
bool ShowPopup(s32 controller) {
    pControllerPopup = new CGenPopupFlash;
    if (pControllerPopup->Load() == 0) {
        delete pControllerPopup;
        pControllerPopup = nullptr;
        return false;
    }
    pControllerPopup->Open();
    FormatMessage(controller);
    pControllerPopup->SetText(popupstring);
    pControllerPopup->SetOKButtonActive(1);
    pControllerPopup->m_bIgnoreButtonPresses = 1;  // the wait below reads A itself
    return true;
}

// Frames, the game paused, until the controller presses A (the press is used
// up) or the program's frame limit comes.
void WaitForAccept(s32 controller) {
    while (!OrbMainFrameLimitReached()) {
        if (g_bSavedPreviousPause == 0) {
            g_bPreviousPause = SetGamePause(1);
            g_bSavedPreviousPause = 1;
        } else {
            SetGamePause(1);
        }
        PadRead();
        s_pad& pad = Pad[controller];
        if ((pad.bnew & kPadAccept) != 0) {
            pad.bnew = pad.buttons = pad.brepeat = pad.breleased = 0;
            return;
        }
        EventWait(1);
    }
}

}  // namespace

void ControllerMessageDisable() {
    ++g_DisableControllerMessage;
}

void ControllerMessageEnable() {
    --g_DisableControllerMessage;
}

s32 ControllerMessageActive() {
    return pControllerPopup != nullptr && SFP2KIsScreenActive(pControllerPopup->m_iScreen) != 0 ? 1 : 0;
}

void ControllerMessageAllowSecondaryControllers(s32 allow) {
    g_bAllowSecondaryController = allow;
}

void ControllerMessageCheck() {
    const s32 controller = ControllerInCharge();
    const eScreen_List screen = g_ScreenTracker.m_CurrScreen;
    DrawResetFade();
    if (PadSystemActivated() == 0 || g_DisableControllerMessage > 0 || g_LevelMgr.bAttractModeEnabled != 0)
        return;
    if (Pad[controller].status != 0) {
        s_bLoadFailed = 0;
        return;
    }
    if (s_bLoadFailed != 0)
        return;
    // A question may be up in the same movie: its cursor lives in the shared
    // descriptor, and comes back with the question.
    const s32 cursor = genPopupFlashScreen.curButton;
    if (!ShowPopup(controller)) {
        DEBUG_PRINT("ControllerMessage: no popup for controller %d\n", controller + 1);
        s_bLoadFailed = 1;
        return;
    }
    WaitForAccept(controller);
    pControllerPopup->Close();
    while (SFP2KIsScreenActive(pControllerPopup->m_iScreen) != 0 && !OrbMainFrameLimitReached())
        EventWait(1);
    delete pControllerPopup;  // which kills its movie
    pControllerPopup = nullptr;
    genPopupFlashScreen.curButton = cursor;
    SetGamePause(g_bPreviousPause);
    g_bSavedPreviousPause = 0;
    g_ScreenTracker.m_CurrScreen = screen;
}

void ControllerMessageColdReset() {
    g_DisableControllerMessage = 0;
    g_bAllowSecondaryController = 0;
    pControllerPopup = nullptr;  // only set inside the check's own wait
    popupstring[0] = '\0';
    g_bSavedPreviousPause = 0;
    g_bPreviousPause = 0;
    s_bLoadFailed = 0;
}
