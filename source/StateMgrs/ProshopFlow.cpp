#include "source/StateMgrs/ProshopFlow.h"

#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EquipmentManager.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/ProshopFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CareerAutosave.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

ProshopFlow g_ProshopFlow;

namespace {

enum : s32 { kCreate, kOpen, kShop, kPurchase, kHouseBall, kAutosave, kClosing, kDone };

constexpr u32 kStrTitle = 7175, kStrSubtitle = 6907, kStrHouseBall = 7103;

void CloseLayers(CFlashMainMenu& menu, CCareerProshopFlash& shop) {
    menu.CloseBorder();
    shop.CloseBG();
    shop.Close();
}

}  // namespace

ProshopFlow::ProshopFlow() = default;
ProshopFlow::~ProshopFlow() = default;

void ProshopFlow::FreeScreens() {
    pCCareerProshopFlash.reset();
}

void ProshopFlow::ForgetScreens() {
    (void)pCCareerProshopFlash.release();
}

s32 ProshopFlow::run(State& state, s32 depth, CFlashMainMenu* menu) {
    CCareerProshopFlash* shop = pCCareerProshopFlash.get();
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    switch (state.m_value[depth]) {
        case kCreate:
            CareerManagersCreate();
            pEquipmentManager->Init();  // the lists of the bowler's gender
            pCCareerProshopFlash = std::make_unique<CCareerProshopFlash>();
            pCCareerProshopFlash->LoadBG();
            pCCareerProshopFlash->Load();
            state.Advance(depth);
            break;
        case kOpen:
            menu->OpenBorder(SymbolText(kStrTitle), SymbolText(kStrSubtitle));
            shop->OpenBG();
            shop->Open();
            state.Advance(depth);
            break;
        case kShop: {
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                g_ScreenTracker.ResetScreenNav();
                state.Transition(depth, kPurchase);
                break;
            }
            if (g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_PREVIOUS)
                break;
            const s_Character_Equipment& worn = *career->GetEquipment();
            if (worn.Ball1 == -1 && worn.Ball2 == -1) {
                g_ScreenTracker.ResetScreenNav();
                g_Players[0].equipBowlerDefault();
                g_GenPopupFlow.SetButtons(eGenPopupButtons_OK, 1);
                g_GenPopupFlow.SetMessage(SymbolText(kStrHouseBall));
                state.Transition(depth, kHouseBall);
                break;
            }
            shop->RestoreEquippedItems(1);
            if (shop->Changed() && CareerAutosaveWanted()) {
                state.Transition(depth, kAutosave);
            } else {
                CloseLayers(*menu, *shop);
                state.Transition(depth, kClosing);
            }
            break;
        }
        case kPurchase:
            if (!g_GenPopupFlow.run())
                break;
            // A debit the money cannot cover is refused, and buys nothing.
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT && gProshopData->m_Buy_popup != 0 &&
                career->ChangeMoney(-gProshopData->m_Item_Price)) {
                career->ItemBuy(s32(gProshopData->m_Item_Index));
                shop->UpdateEquipmentCount();
            }
            g_ScreenTracker.m_CurrScreen = eScreen_List_Career_Proshop;
            g_ScreenTracker.ResetScreenNav();
            state.Transition(depth, kShop);
            break;
        case kHouseBall:
            if (!g_GenPopupFlow.run())
                break;
            g_ScreenTracker.m_CurrScreen = eScreen_List_Career_Proshop;
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;  // leave again, with the ball on
            state.Transition(depth, kShop);
            break;
        case kAutosave:
            if (!g_LoadSaveFlow.run(state, depth + 1, SAVELOAD_PROCESS_AUTOSAVE, eLoadSaveDataType_Character))
                break;
            if (!g_LoadSaveFlow.m_bOperationCompleted) {
                // Not saved, and the player did not choose to go on without: the
                // visit stays in the shop, and leaving tries again.
                g_ScreenTracker.ResetScreenNav();
                state.Transition(depth, kShop);
                break;
            }
            CloseLayers(*menu, *shop);
            state.Transition(depth, kClosing);
            break;
        case kClosing:
            if (SFP2KIsScreenActive(shop->m_iScreen) || SFP2KIsScreenActive(shop->m_iScreenBG) ||
                SFP2KIsScreenActive(menu->m_iScreenIds[MAINMENU_LAYER_BORDER]))
                break;
            pCCareerProshopFlash.reset();
            state.Advance(depth);
            break;
        default:
            g_ScreenTracker.ResetScreenNav();
            return 1;
    }
    return 0;
}
