#include "source/StateMgrs/CareerInterimFlows.h"

#include "source/StateMgrs/ScreenTracker.h"

TournFlow g_TournFlow;

s32 TournFlow::run(State&, s32, CFlashMainMenu*) {
    g_ScreenTracker.ResetScreenNav();
    return 1;
}
