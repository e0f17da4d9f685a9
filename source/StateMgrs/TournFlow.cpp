#include "source/StateMgrs/TournFlow.h"

#include "source/Career/EventManager.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/Flash/TournLadderFlash.h"
#include "source/Flash/TournMenuFlash.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ProshopFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

TournFlow g_TournFlow;
CTournMenuFlash* pCTournFlash = nullptr;
CCareerTournLadderFlash* pCTournLadderFlash = nullptr;

namespace {

enum : s32 {
    kEnter,
    kMenuCreate,
    kMenuLoad,
    kMenuOpen,
    kMenu,
    kMenuClosing,
    kGameClosing,
    kShop,
    kLadderLoad,
    kLadderOpen,
    kLadder,
    kLadderClosing,
    kLeave,
};

constexpr u32 kTextTitle = 7256, kTextSubtitle = 6907, kTextLadderTitle = 6900;

template <class T>
void Free(T*& screen) {
    delete screen;
    screen = nullptr;
}

bool Active(s32 handle) {
    return SFP2KIsScreenActive(handle) != 0;
}

bool BorderActive(const CFlashMainMenu* menu) {
    return Active(menu->m_iScreenIds[MAINMENU_LAYER_BORDER]);
}

// The answer of a screen; one without its movie cannot answer, so it backs out.
eScreenNavigation Answer(s32 handle) {
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE && handle == -1)
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    return g_ScreenTracker.m_ScreenNav;
}

}  // namespace

void TournFlow::FreeScreens() {
    Free(pCTournFlash);
    Free(pCTournLadderFlash);
}

s32 TournFlow::run(State& state, s32 depth, CFlashMainMenu* menu) {
    switch (state.m_value[depth]) {
        case kEnter:
            // The entry fee is paid once, on the way in; backing out later refunds nothing.
            if (pEventManager->m_CurrentRound == 0 && !pEventManager->PayEntry()) {
                g_ScreenTracker.ResetScreenNav();
                state.Transition(depth, kLeave);
                break;
            }
            state.Advance(depth);
            break;
        case kMenuCreate:
            if (pCTournFlash == nullptr)
                pCTournFlash = new CTournMenuFlash;
            g_ScreenTracker.ResetScreenNav();
            state.Advance(depth);
            break;
        case kMenuLoad:
            pCTournFlash->Load();
            state.Advance(depth);
            break;
        case kMenuOpen:
            menu->OpenBorder(SymbolText(kTextTitle), SymbolText(kTextSubtitle));
            pCTournFlash->Open();
            state.Advance(depth);
            break;
        case kMenu: {
            const eScreenNavigation nav = Answer(pCTournFlash->m_iScreen);
            if (nav == SFP_SCREEN_NAV_NONE)
                break;
            if (nav == SFP_SCREEN_NAV_NEXT && g_ScreenTracker.m_NextScreen == eScreen_List_Invalid) {
                // The level loads without the shell's background.
                menu->CloseBackground();
                state.Transition(depth, kGameClosing);
            } else {
                state.Transition(depth, kMenuClosing);
            }
            menu->CloseBorder();
            pCTournFlash->Close();
            break;
        }
        case kMenuClosing: {
            if (Active(pCTournFlash->m_iScreen) || BorderActive(menu))
                break;
            const eScreenNavigation nav = g_ScreenTracker.m_ScreenNav;
            const eScreen_List next = g_ScreenTracker.m_NextScreen;
            if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Career_TournLadder)
                state.Transition(depth, kLadderLoad);
            else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Career_Proshop)
                state.Transition(depth, kShop);
            else
                state.Transition(depth, kLeave);
            g_ScreenTracker.ResetScreenNav();
            Free(pCTournFlash);
            break;
        }
        case kGameClosing:
            if (Active(pCTournFlash->m_iScreen) || BorderActive(menu) ||
                Active(menu->m_iScreenIds[MAINMENU_LAYER_BACKGROUND]))
                break;
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
            state.Transition(depth, kLeave);
            Free(pCTournFlash);
            break;
        case kShop:
            if (!g_ProshopFlow.run(state, depth + 1, menu))
                break;
            state.Transition(depth, kMenuCreate);
            break;
        case kLadderLoad:
            pCTournLadderFlash = new CCareerTournLadderFlash;
            pCTournLadderFlash->LoadBG();
            pCTournLadderFlash->Load();
            state.Advance(depth);
            break;
        case kLadderOpen:
            menu->OpenBorder(SymbolText(kTextLadderTitle), SymbolText(kTextSubtitle));
            pCTournLadderFlash->Open();
            state.Advance(depth);
            break;
        case kLadder:
            if (Answer(pCTournLadderFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            menu->CloseBorder();
            pCTournLadderFlash->Close();
            state.Advance(depth);
            break;
        case kLadderClosing:
            if (Active(pCTournLadderFlash->m_iScreen) || BorderActive(menu))
                break;
            Free(pCTournLadderFlash);
            g_ScreenTracker.ResetScreenNav();
            state.Transition(depth, kMenuCreate);
            break;
        default:
            FreeScreens();
            return 1;
    }
    return 0;
}
