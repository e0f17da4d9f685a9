// The settings screen's flow, inside the main menu's border: accepting changed
// settings saves them, accepting unchanged ones leaves without saving, backing
// out restores them.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

class State;
class CFlashMainMenu;

class SettingsFlow {
public:
    // 0 while running, 1 when the screen has gone.
    s32 run(State& state, s32 depth, CFlashMainMenu* menu);

    // A load or save another flow left on the menu object, run from here.
    eSAVELOAD_PROCESS m_LoadSaveProcess = SAVELOAD_PROCESS_NONE;
};

extern SettingsFlow g_SettingsFlow;
