#include "source/StateMgrs/QuickPlayFlow.h"

#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/QuickPlayFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

QuickPlayFlow g_QuickPlayFlow;

namespace {

enum { kLoad, kOpenMain, kWaitForChoice, kWaitForClose, kDone };
constexpr u32 kTextTitle = 6896, kTextSubtitle = 6895;
constexpr s32 kBackground = 0, kBorder = 1;

}  // namespace

s32 QuickPlayFlow::run(State& state, s32 depth, CFlashMainMenu* menu, CQuickPlayFlash* screen) {
    const eScreenNavigation nav = g_ScreenTracker.m_ScreenNav;
    switch (state.m_value[depth]) {
        case kLoad:
            screen->LoadBG();
            screen->LoadMain();
            screen->OpenBG();
            menu->OpenBorder(SymbolText(kTextTitle), SymbolText(kTextSubtitle));
            state.Advance(depth);
            break;
        case kOpenMain:
            screen->OpenMain();
            state.Advance(depth);
            break;
        case kWaitForChoice:
            // Without its movie the screen cannot answer: it backs out.
            if (nav == SFP_SCREEN_NAV_NONE && screen->m_iScreenMain == -1)
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE)
                break;
            screen->CloseMain();
            screen->CloseBG();
            menu->CloseBorder();
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT)
                menu->CloseBackground();
            state.Advance(depth);
            break;
        case kWaitForClose:
            if (SFP2KIsScreenActive(screen->m_iScreenMain) ||
                SFP2KIsScreenActive(menu->m_iScreenIds[kBorder]) || SFP2KIsScreenActive(screen->m_iScreenBG))
                break;
            if (nav == SFP_SCREEN_NAV_NEXT) {
                if (SFP2KIsScreenActive(menu->m_iScreenIds[kBackground]))
                    break;
            } else {
                screen->Kill();
            }
            state.Advance(depth);
            break;
        default:
            return 1;
    }
    return 0;
}
