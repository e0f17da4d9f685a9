#include "source/StateMgrs/CareerInterimFlows.h"

#include <cstdio>

#include "source/Career/CareerCharacter.h"
#include "source/Flash/SymbolText.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/CareerMainMenuFlow.h"
#include "source/StateMgrs/ScreenTracker.h"

CacFlow g_CacFlow;
TournFlow g_TournFlow;

namespace {

constexpr u32 kTextDefaultName = 7018;

}  // namespace

s32 CacFlow::run(State&, s32, CFlashMainMenu*, s32 editFlag) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    const char* name = editFlag && career != nullptr ? career->GetName() : SymbolText(kTextDefaultName);
    std::snprintf(g_TempCACInfo.playerName, sizeof(g_TempCACInfo.playerName), "%s", name);
    g_TempCACInfo.charAttribs = g_Players[0].m_PlayerConstruction.m_CharacterAttributes;
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    g_ScreenTracker.m_NextScreen = editFlag ? eScreen_List_Career_Overview : eScreen_List_Career_MainMenu;
    return 1;
}

s32 TournFlow::run(State&, s32, CFlashMainMenu*) {
    g_ScreenTracker.ResetScreenNav();
    return 1;
}
