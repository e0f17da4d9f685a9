#include "source/StateMgrs/SettingsFlow.h"

#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

SettingsFlow g_SettingsFlow;

namespace {

enum : s32 { kOpen, kWaitAnswer, kLoadSave, kSave, kClosing, kDone };

constexpr u32 kStrTitle = 6898;
constexpr u32 kStrSubtitle = 6897;

void CloseLayers(CFlashMainMenu& menu) {
    menu.CloseSettings();
    menu.CloseBorder();
}

}  // namespace

s32 SettingsFlow::run(State& state, s32 depth, CFlashMainMenu* menu) {
    switch (state.m_value[depth]) {
        case kOpen:
            menu->OpenBorder(SymbolText(kStrTitle), SymbolText(kStrSubtitle));
            menu->LoadSettings();
            g_GameSettings.Mirror();
            state.Advance(depth);
            break;
        case kWaitAnswer:
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
                CloseLayers(*menu);
                state.Transition(depth, kClosing);
            } else if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                if (g_GameSettings.Changed()) {
                    g_ScreenTracker.ResetScreenNav();
                    state.Transition(depth, kSave);
                } else {
                    CloseLayers(*menu);
                    state.Transition(depth, kClosing);
                }
            }
            m_LoadSaveProcess = menu->m_LoadSaveProcess;
            if (m_LoadSaveProcess == SAVELOAD_PROCESS_LOADING ||
                m_LoadSaveProcess == SAVELOAD_PROCESS_SAVING) {
                state.Transition(depth, kLoadSave);
                g_ScreenTracker.ResetScreenNav();
                g_LoadSaveFlow.SetCardRequired(1);
            }
            break;
        case kLoadSave:
            if (!g_LoadSaveFlow.run(state, depth + 1, m_LoadSaveProcess, eLoadSaveDataType_All))
                break;
            if (m_LoadSaveProcess == SAVELOAD_PROCESS_LOADING && g_LoadSaveFlow.m_bOperationCompleted != 0)
                menu->RefreshSettings();
            menu->m_LoadSaveProcess = SAVELOAD_PROCESS_NONE;
            g_ScreenTracker.m_CurrScreen = eScreen_List_MainMenuOptions;
            state.Transition(depth, kWaitAnswer);
            break;
        case kSave:
            if (!g_LoadSaveFlow.run(state, depth + 1, SAVELOAD_PROCESS_SAVING,
                                    eLoadSaveDataType_GameSettings))
                break;
            CloseLayers(*menu);
            state.Transition(depth, kClosing);
            break;
        case kClosing:
            if (SFP2KIsScreenActive(menu->m_iScreenIds[MAINMENU_LAYER_SETTINGS]))
                break;
            menu->KillSettings();
            state.Advance(depth);
            break;
        default:
            return 1;
    }
    return 0;
}
