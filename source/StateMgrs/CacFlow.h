// The create-a-bowler visit: the career's flow runs it to create a bowler (edit
// flag 0) or to change the look of the career bowler (edit flag 1). CacFlow owns
// the screens for the visit; CacModelFlow steps their pages, the name keyboard
// and the two closing questions, and leaves the result in g_TempCACInfo and on
// the screen tracker:
// - back from the main page: PREVIOUS;
// - editing, back from the first attribute page: NONE, the look put back;
// - first question Yes: NEXT to eScreen_List_LoadSave (save the bowler);
// - first No, second Yes: NEXT to the career overview (editing) or the career
//   main menu (new bowler).
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/TempCACInfo.h"

class State;
class CFlashMainMenu;
class CCacModelScreens;
class CKeyboardFlash;

class CacFlow {
public:
    // 0 while busy, 1 when the visit is over.
    u8 run(State& state, s32 depth, CFlashMainMenu* menu, s32 editFlag);
};

class CacModelFlow {
public:
    CacModelFlow() = default;
    ~CacModelFlow();
    CacModelFlow(const CacModelFlow&) = delete;
    CacModelFlow& operator=(const CacModelFlow&) = delete;

    u8 run(State& state, s32 depth, CFlashMainMenu* menu, CCacModelScreens* screens, s32 editFlag);
    // Closes the page opened last, and with `withBorder` the border and background.
    void CloseLastScreen(CFlashMainMenu* menu, CCacModelScreens* screens, s32 withBorder);
    // The snapshot: slot 0's look into g_TempCACInfo, and back.
    void StoreCharAttributes();
    void RestoreCharAttributes();

    u32 m_LastScreen = 0;  // eScreen_List of the page opened last
    CKeyboardFlash* m_pKeyboard = nullptr;
};

extern CacFlow g_CacFlow;
extern CacModelFlow g_CacModelFlow;
extern CCacModelScreens* pCacModelScreens;

// Frees a visit's screens and keyboard still up; the program's shut-down calls it
// while the heap that holds them is still there.
void CacFlowFreeScreens();
// Start-up state: forgets a visit's screens and keyboard left behind.
void CacFlowColdReset();
