// The career within the main menu: a new bowler or one loaded from a slot, the
// career hub and the screens it leads to, the end of a season, the questions of
// the league nights and rival challenges, saving and leaving. It never loads a
// level: it leaves with NEXT and the level chosen, and the main menu runs it
// again, returning from the game, afterwards.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/TempCACInfo.h"

class State;
class CFlashMainMenu;

class CareerMainMenuFlow {
public:
    // 0 while running, 1 when the career is left: NEXT when a game is to start
    // (g_ScreenTracker.m_LevelToLoad), anything else back to the main menu.
    s32 run(State& state, s32 depth, CFlashMainMenu* mainMenu, s32 returningFromCareerGame);
    // Puts g_TempCACInfo's look on player slot 0's model.
    void RestoreCACInfo();
    // Frees every screen the flow still holds; the program's shut-down calls it
    // while the heap that holds them is still there.
    void FreeScreens();

    eSAVELOAD_PROCESS m_LoadSaveProcess = SAVELOAD_PROCESS_NONE;
    s32 m_bEditingCharacter = 0;
    s32 m_bNewCharacter = 0;

private:
    void Enter(State& state, s32 depth, s32 returningFromCareerGame);
    void HubEntry(State& state, s32 depth);
    void HubDispatch(State& state, s32 depth, CFlashMainMenu* mainMenu);
    void EventSelect(State& state, s32 depth, CFlashMainMenu* mainMenu);
    void EventSelectClosed(State& state, s32 depth, CFlashMainMenu* mainMenu);
    void RivalAnswer(State& state, s32 depth, CFlashMainMenu* mainMenu);
    void ManageClosed(State& state, s32 depth, CFlashMainMenu* mainMenu);
};

extern CareerMainMenuFlow g_CareerMainMenuFlow;

// The flow, its screens and the hand-over record as at start-up.
void CareerMainMenuFlowColdReset();
