// The create-a-bowler pages in their order: the main page, the keyboard from its
// name row, the first attribute page of the bowler's gender, the second page (a
// new bowler only), and the two questions that end the visit.
#include <cstdio>

#include "source/Career/CareerCharacter.h"
#include "source/Flash/CacModelScreens.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/KeyboardFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

namespace {

enum {
    kCreateKeyboard,
    kLoad,
    kOpenMain,
    kMain,
    kMainClosing,
    kOpenKeyboard,
    kKeyboard,
    kKeyboardClosing,
    kOpenMale1,
    kMale1,
    kMale1Closing,
    kOpenFemale1,
    kFemale1,
    kFemale1Closing,
    kOpenPage2,
    kPage2,
    kPage2Closing,
    kAskDone,
    kAnswerDone,
    kAnswerSure,
    kSaveClosing,
    kFinishClosing,
    kBackToMain,
    kEnd,
};

constexpr u32 kTextTitle = 6899, kTextSubtitle = 6907, kTextDone = 7016, kTextSure = 7017;
constexpr s32 kSfxOpen = s32(0x80001996u), kSfxClose = s32(0x80001999u);

s_Character_Attributes& Look() {
    return g_Players[0].m_PlayerConstruction.m_CharacterAttributes;
}

bool Female() {
    return Look().gender != 0;
}

bool Active(s32 handle) {
    return SFP2KIsScreenActive(handle) != 0;
}

bool BorderActive(const CFlashMainMenu* menu) {
    return Active(menu->m_iScreenIds[MAINMENU_LAYER_BORDER]);
}

void GoAndReset(State& state, s32 depth, s32 next) {
    state.Transition(depth, next);
    g_ScreenTracker.ResetScreenNav();
}

}  // namespace

CacModelFlow::~CacModelFlow() {
    delete m_pKeyboard;
}

void CacModelFlow::StoreCharAttributes() {
    g_TempCACInfo.charAttribs = Look();
}

void CacModelFlow::RestoreCharAttributes() {
    const s_Character_Attributes& kept = g_TempCACInfo.charAttribs;
    CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
    model.SetCharGender(kept.gender, 0);
    s_Character_Attributes& look = model.m_CharacterAttributes;
    look.bodyType = kept.bodyType;
    look.faceType = kept.faceType;
    look.hairStyle = kept.hairStyle;
    look.hairColor = kept.hairColor;
    look.facialHair = kept.facialHair;
    look.facialHairColor = kept.facialHairColor;
    look.glasses = kept.glasses;
    look.hat = kept.hat;
    look.shirtType = kept.shirtType;
    model.CheckShirtColorAttributes();
    look.shirtColor = kept.shirtColor;
    look.hand = kept.hand;
    look.pants = kept.pants;
    look.shoes = kept.shoes;
}

void CacModelFlow::CloseLastScreen(CFlashMainMenu* menu, CCacModelScreens* screens, s32 withBorder) {
    if (m_LastScreen == eScreen_List_CAC_Main) {
        screens->CloseSubScreenMain();
    } else if (m_LastScreen >= eScreen_List_CAC_SubMale1 && m_LastScreen <= eScreen_List_CAC_Sub2) {
        screens->CloseSubScreenGeneric();
        FlashPlaySound(kSfxClose);
    }
    if (withBorder) {
        menu->CloseBorder();
        screens->CloseBG();
    }
}

u8 CacModelFlow::run(State& state, s32 depth, CFlashMainMenu* menu, CCacModelScreens* screens, s32 editFlag) {
    const eScreenNavigation nav = g_ScreenTracker.m_ScreenNav;
    const eScreen_List next = g_ScreenTracker.m_NextScreen;
    const s32 value = state.m_value[depth];
    switch (value) {
        case kCreateKeyboard:
            if (m_pKeyboard == nullptr) {
                m_pKeyboard = new CKeyboardFlash;
                // An edited bowler keeps its name unless a new one is typed.
                CCareerCharacter* career = CCareerCharacter::GetInstance();
                if (editFlag && career != nullptr)
                    std::snprintf(m_pKeyboard->m_sPlayerName, sizeof(m_pKeyboard->m_sPlayerName), "%s",
                                  career->GetName());
            }
            state.Transition(depth, kLoad);
            break;
        case kLoad:
            screens->LoadBG();
            screens->LoadCACScreens();
            menu->OpenBorder(SymbolText(kTextTitle), SymbolText(kTextSubtitle));
            screens->OpenBG(editFlag);
            StoreCharAttributes();
            state.Transition(depth, kOpenMain);
            FlashPlaySound(kSfxOpen);
            break;
        case kOpenMain:
            screens->OpenSubScreenMain();
            screens->SetNameText(m_pKeyboard->GetPlayerName());
            m_LastScreen = eScreen_List_CAC_Main;
            state.Transition(depth, kMain);
            break;
        case kMain:
            if (nav == SFP_SCREEN_NAV_PREVIOUS) {
                screens->CloseSubScreenMain();
                menu->CloseBorder();
                screens->CloseBG();
                state.Transition(depth, kMainClosing);
                FlashPlaySound(kSfxClose);
            } else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Career_MainMenu) {
                GoAndReset(state, depth, kAskDone);
            } else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Keyboard) {
                state.Transition(depth, kOpenKeyboard);
                g_ScreenTracker.ResetScreenNav();
                screens->m_bDrawModel = 0;
                screens->EnableTicker(0);
                screens->ToggleRotateIcon(0);
                screens->SetKeyboardNavText(1);
            } else if (nav == SFP_SCREEN_NAV_NEXT) {
                screens->CloseSubScreenMain();
                state.Transition(depth, kMainClosing);
            }
            break;
        case kMainClosing:
            if (Active(screens->m_iScreenSubMain))
                break;
            if (nav == SFP_SCREEN_NAV_NEXT)
                GoAndReset(state, depth, Female() ? kOpenFemale1 : kOpenMale1);
            else
                state.Transition(depth, kEnd);
            break;
        case kOpenKeyboard:
            m_pKeyboard->Load();
            m_pKeyboard->Open();
            state.Transition(depth, kKeyboard);
            break;
        case kKeyboard:
            if (nav == SFP_SCREEN_NAV_NONE)
                break;
            m_pKeyboard->Close();
            state.Transition(depth, kKeyboardClosing);
            break;
        case kKeyboardClosing:
            if (Active(m_pKeyboard->m_iScreen))
                break;
            GoAndReset(state, depth, kMain);
            g_ScreenTracker.m_CurrScreen = eScreen_List_CAC_Main;
            m_pKeyboard->Kill();
            screens->SetNameText(m_pKeyboard->GetPlayerName());
            screens->m_bDrawModel = 1;
            screens->EnableTicker(1);
            screens->ToggleRotateIcon(1);
            screens->SetKeyboardNavText(0);
            break;
        case kOpenMale1:
        case kOpenFemale1:
            if (value == kOpenMale1)
                screens->OpenSubScreenMale1();
            else
                screens->OpenSubScreenFemale1();
            m_LastScreen = value == kOpenMale1 ? eScreen_List_CAC_SubMale1 : eScreen_List_CAC_SubFemale1;
            state.Transition(depth, value + 1);
            break;
        case kMale1:
        case kFemale1:
            if (nav == SFP_SCREEN_NAV_NONE)
                break;
            if (nav == SFP_SCREEN_NAV_NEXT && (editFlag || next == eScreen_List_Career_MainMenu)) {
                // Editing has no second page: the look is done.
                GoAndReset(state, depth, kAskDone);
                break;
            }
            screens->CloseSubScreenGeneric();
            if (editFlag) {
                menu->CloseBorder();
                screens->CloseBG();
                FlashPlaySound(kSfxClose);
            }
            state.Transition(depth, value + 1);
            break;
        case kMale1Closing:
        case kFemale1Closing:
            if (Active(screens->m_iScreenSubGeneric))
                break;
            if (editFlag) {
                if (!BorderActive(menu)) {
                    RestoreCharAttributes();
                    state.Transition(depth, kEnd);
                }
                g_ScreenTracker.ResetScreenNav();
                break;
            }
            GoAndReset(state, depth, nav == SFP_SCREEN_NAV_NEXT ? kOpenPage2 : kOpenMain);
            break;
        case kOpenPage2:
            screens->OpenSubScreen2();
            m_LastScreen = eScreen_List_CAC_Sub2;
            state.Transition(depth, kPage2);
            break;
        case kPage2:
            if (nav == SFP_SCREEN_NAV_PREVIOUS) {
                screens->CloseSubScreenGeneric();
                GoAndReset(state, depth, kPage2Closing);
            } else if (nav != SFP_SCREEN_NAV_NONE) {
                GoAndReset(state, depth, kAskDone);
            }
            break;
        case kPage2Closing:
            if (!Active(screens->m_iScreenSubGeneric))
                GoAndReset(state, depth, Female() ? kOpenFemale1 : kOpenMale1);
            break;
        case kAskDone:
            g_GenPopupFlow.SetButtons(eGenPopupButtons_YesNo, 0);
            g_GenPopupFlow.SetMessage(SymbolText(kTextDone));
            state.Transition(depth, kAnswerDone);
            break;
        case kAnswerDone:
            if (g_GenPopupFlow.run() == 0)
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
                g_GenPopupFlow.SetButtons(eGenPopupButtons_YesNo, 1);
                g_GenPopupFlow.SetMessage(SymbolText(kTextSure));
                GoAndReset(state, depth, kAnswerSure);
            } else {
                CloseLastScreen(menu, screens, 1);
                state.Transition(depth, kSaveClosing);
            }
            break;
        case kAnswerSure:
            if (g_GenPopupFlow.run() == 0)
                break;
            if (g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_PREVIOUS) {
                CloseLastScreen(menu, screens, 1);
                state.Transition(depth, kFinishClosing);
                std::snprintf(g_TempCACInfo.playerName, sizeof(g_TempCACInfo.playerName), "%s",
                              m_pKeyboard->GetPlayerName());
            } else if (m_LastScreen == eScreen_List_CAC_Main) {
                // Back to the page still open under the questions.
                GoAndReset(state, depth, kMain);
                g_ScreenTracker.m_CurrScreen = eScreen_List_CAC_Main;
            } else if (editFlag) {
                GoAndReset(state, depth, Female() ? kFemale1 : kMale1);
                g_ScreenTracker.m_CurrScreen = eScreen_List(m_LastScreen);
            } else {
                CloseLastScreen(menu, screens, 0);
                state.Transition(depth, kBackToMain);
            }
            break;
        case kSaveClosing:
        case kFinishClosing:
            if (Active(screens->m_iScreenSubMain) || Active(screens->m_iScreenSubGeneric) ||
                BorderActive(menu))
                break;
            if (value == kSaveClosing) {
                g_ScreenTracker.m_NextScreen = eScreen_List_LoadSave;
                // The keyboard starts an edited bowler on its name, so whichever
                // question is answered the name shown is the name kept.
                std::snprintf(g_TempCACInfo.playerName, sizeof(g_TempCACInfo.playerName), "%s",
                              m_pKeyboard->GetPlayerName());
                StoreCharAttributes();
            } else {
                g_ScreenTracker.m_NextScreen =
                    editFlag ? eScreen_List_Career_Overview : eScreen_List_Career_MainMenu;
            }
            state.Transition(depth, kEnd);
            break;
        case kBackToMain:
            if (!Active(screens->m_iScreenSubGeneric))
                GoAndReset(state, depth, kOpenMain);
            break;
        default:
            delete m_pKeyboard;
            m_pKeyboard = nullptr;
            StoreCharAttributes();
            return 1;
    }
    return 0;
}
