#include "source/StateMgrs/CacFlow.h"

#include <memory>

#include "source/Flash/CacModelScreens.h"
#include "source/StateMgrs/State.h"

CacFlow g_CacFlow;
CacModelFlow g_CacModelFlow;
CCacModelScreens* pCacModelScreens = nullptr;

namespace {

enum { kStart, kCreate, kRun, kFree, kDone };

}  // namespace

u8 CacFlow::run(State& state, s32 depth, CFlashMainMenu* menu, s32 editFlag) {
    switch (state.m_value[depth]) {
        case kStart:
            state.Transition(depth, kCreate);
            return 0;
        case kCreate:
            if (pCacModelScreens == nullptr)
                pCacModelScreens = new CCacModelScreens;
            state.Transition(depth, kRun);
            return 0;
        case kRun:
            if (g_CacModelFlow.run(state, depth + 1, menu, pCacModelScreens, editFlag) == 0)
                return 0;
            state.Transition(depth, kFree);
            return 0;
        case kFree:
            delete pCacModelScreens;
            pCacModelScreens = nullptr;
            state.Transition(depth, kDone);
            return 0;
        default:
            return 1;
    }
}

void CacFlowFreeScreens() {
    delete pCacModelScreens;
    pCacModelScreens = nullptr;
    std::destroy_at(&g_CacModelFlow);
    std::construct_at(&g_CacModelFlow);
}

void CacFlowColdReset() {
    // A visit's screens and keyboard lived in the engine heap the warm reset has
    // remade: forget them, there is nothing left to free.
    pCacModelScreens = nullptr;
    g_CacModelFlow.m_pKeyboard = nullptr;
    std::destroy_at(&g_CacModelFlow);
    std::construct_at(&g_CacModelFlow);
}
