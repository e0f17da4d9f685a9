#include "source/StateMgrs/MainMenuFlow.h"

#include "source/Flash/CreditsFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/QuickPlayFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CareerMainMenuFlow.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/QuickPlayFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/SettingsFlow.h"
#include "source/StateMgrs/State.h"

MainMenuFlow g_MainMenuFlow;

MainMenuFlow::MainMenuFlow() = default;
MainMenuFlow::~MainMenuFlow() = default;

void MainMenuFlow::FreeScreens() {
    pQuickPlayMenu.reset();
    m_pCreditsFlash.reset();
    pFlashMainMenu.reset();
}

namespace {

// The states of the flow.
enum : s32 {
    kCreate,
    kLoadShell,
    kLoadMenu,
    kOpenMenu,
    kWaitChoice,
    kMenuClosed,
    kCreateQuickPlay,
    kQuickPlay,
    kQuickPlayDone,
    kQuickPlayBack,
    kSettings,
    kCareer,
    kOpenCredits,
    kWaitCredits,
    kCreditsClosed,
    kMenuFailed,
    kLeaving,
    kDone,
};

constexpr u32 kTextMenuLoadFailed = 7310;  // string symbol

s32 LayerActive(const CFlashMainMenu& menu, eMainMenuLayer layer) {
    return SFP2KIsScreenActive(menu.m_iScreenIds[layer]);
}

}  // namespace

s32 MainMenuFlow::run(State& state, s32 depth) {
    CFlashMainMenu* menu = pFlashMainMenu.get();
    switch (state.m_value[depth]) {
        case kCreate:
            pFlashMainMenu = std::make_unique<CFlashMainMenu>();
            state.Advance(depth);
            break;
        case kLoadShell:
            menu->LoadBackground();
            menu->LoadBorder();
            state.Advance(depth);
            break;
        case kLoadMenu:
            menu->LoadMainMenu();
            if (g_GameSettings.m_Current.gameMode == eGameMode_Career) {
                ReturningFromCareerGame = 1;
                state.Transition(depth, kCareer);
            } else {
                state.Advance(depth);
            }
            break;
        case kOpenMenu:
            if (menu->m_iScreenIds[MAINMENU_LAYER_MENU] == -1) {
                // Its movie did not load (a line said why): nothing would answer.
                g_GenPopupFlow.SetButtons(eGenPopupButtons_OK, 1);
                g_GenPopupFlow.SetMessage(SymbolText(kTextMenuLoadFailed));
                state.Transition(depth, kMenuFailed);
                break;
            }
            menu->OpenMainMenu();
            state.Advance(depth);
            break;
        case kWaitChoice:
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE)
                break;
            menu->CloseMainMenu();
            state.Advance(depth);
            break;
        case kMenuClosed:
            if (LayerActive(*menu, MAINMENU_LAYER_MENU))
                break;
            if (g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_NEXT) {
                menu->CloseBackground();  // the menu layer has closed already
                state.Transition(depth, kLeaving);
                break;
            }
            switch (g_ScreenTracker.m_NextScreen) {
                case eScreen_List_QuickPlayMain:
                    g_GameSettings.SetGameMode(eGameMode_QuickPlay);
                    state.Transition(depth, kCreateQuickPlay);
                    break;
                case eScreen_List_MainMenuOptions:
                    state.Transition(depth, kSettings);
                    break;
                case eScreen_List_Credits:
                    state.Transition(depth, kOpenCredits);
                    break;
                case eScreen_List_Career_NewCharacterPopup:
                    g_GameSettings.SetGameMode(eGameMode_Career);
                    state.Transition(depth, kCareer);
                    break;
                default:
                    break;
            }
            g_ScreenTracker.ResetScreenNav();
            break;
        case kCreateQuickPlay:
            if (!pQuickPlayMenu)
                pQuickPlayMenu = std::make_unique<CQuickPlayFlash>();
            state.Advance(depth);
            break;
        case kQuickPlay:
            if (!g_QuickPlayFlow.run(state, depth + 1, menu, pQuickPlayMenu.get()))
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
                g_ScreenTracker.ResetScreenNav();
                state.Transition(depth, kQuickPlayBack);
            } else {
                state.Transition(depth, kQuickPlayDone);
            }
            break;
        case kQuickPlayDone:
            pQuickPlayMenu.reset();
            state.Transition(depth, kDone);
            break;
        case kQuickPlayBack:
            pQuickPlayMenu.reset();
            state.Transition(depth, kOpenMenu);
            break;
        case kSettings:
            if (!g_SettingsFlow.run(state, depth + 1, menu))
                break;
            g_ScreenTracker.ResetScreenNav();
            state.Transition(depth, kOpenMenu);
            break;
        case kCareer:
            if (!g_CareerMainMenuFlow.run(state, depth + 1, menu, ReturningFromCareerGame))
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                state.Transition(depth, kDone);
            } else {
                ReturningFromCareerGame = 0;
                state.Transition(depth, kOpenMenu);
            }
            break;
        case kOpenCredits:
            if (!m_pCreditsFlash)
                m_pCreditsFlash = std::make_unique<CCreditsFlash>();
            m_pCreditsFlash->Load();
            m_pCreditsFlash->Open();
            state.Advance(depth);
            break;
        case kWaitCredits:
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE)
                break;
            m_pCreditsFlash->Close();
            state.Advance(depth);
            break;
        case kCreditsClosed:
            if (SFP2KIsScreenActive(m_pCreditsFlash->m_iScreen))
                break;
            g_ScreenTracker.ResetScreenNav();
            m_pCreditsFlash.reset();
            state.Transition(depth, kOpenMenu);
            break;
        case kMenuFailed:  // after the message, back to the title
            if (g_GenPopupFlow.run() == 0)
                break;
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            menu->CloseBackground();
            state.Transition(depth, kLeaving);
            break;
        case kLeaving:
            if (LayerActive(*menu, MAINMENU_LAYER_MENU) || LayerActive(*menu, MAINMENU_LAYER_BACKGROUND))
                break;
            state.Advance(depth);
            break;
        default:
            pFlashMainMenu.reset();
            return 1;
    }
    return 0;
}
