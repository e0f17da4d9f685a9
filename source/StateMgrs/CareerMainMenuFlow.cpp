#include "source/StateMgrs/CareerMainMenuFlow.h"

#include "source/GameSettings.h"
#include "source/StateMgrs/ScreenTracker.h"

CareerMainMenuFlow g_CareerMainMenuFlow;

// INTERIM: see the header. Leaving the career leaves its game mode too, so the
// menu does not send the player straight back in.
s32 CareerMainMenuFlow::run(State&, s32, CFlashMainMenu*, s32) {
    g_GameSettings.SetGameMode(eGameMode_None);
    g_ScreenTracker.ResetScreenNav();
    return 1;
}
