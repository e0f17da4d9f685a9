#include "source/StateMgrs/LevelFlow.h"

#include "orblib47/source/Pad.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"

LevelFlow g_LevelFlow;

namespace {

constexpr s32 kLevelNotChosen = 0x7FFFFFFF;
constexpr u32 kLeaveButton = PAD_B;

}  // namespace

s32 LevelFlow::run(State& state, s32 depth) {
    switch (state.m_value[depth]) {
        case 0:
            if (g_ScreenTracker.m_LevelToLoad == kLevelNotChosen)
                break;
            LevelLaunchStart(g_ScreenTracker.m_LevelToLoad);
            state.Transition(depth, 2);
            break;
        case 1:  // attract mode: the computer bowls the next of the attract levels
            m_CurrentAttractLevel = (m_CurrentAttractLevel + 1) % LEVEL_FLOW_ATTRACT_LEVELS;
            g_LevelMgr.bAttractModeEnabled = 1;
            LevelLaunchStart(m_AttractLevels[m_CurrentAttractLevel]);
            state.Advance(depth);
            break;
        case 2: {
            const bool attract = g_LevelMgr.bAttractModeEnabled != 0;
            LevelLaunchUpdate();
            const bool over =
                g_LaunchState == LAUNCH_GAME_OVER && (attract || (Pad[0].bnew & kLeaveButton) != 0);
            if (over || g_LaunchState == LAUNCH_FAILED || g_LaunchState == LAUNCH_IDLE) {
                LevelLaunchStop();
                state.Advance(depth);
            }
            break;
        }
        default:
            return 1;
    }
    return 0;
}
