// The save/load dialogue flow: every read and write of the save file goes
// through it. For now it holds the caller's requests and finishes at once; the
// dialogue itself comes with the save screens.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

class State;

class LoadSaveFlow {
public:
    // 0 while the dialogue runs, 1 when it has ended.
    s32 run(State& state, s32 depth, eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type);
    void SetSaveGameRequired(s32 required) { m_bSaveGameRequired = required; }
    void SetCardRequired(s32 required) { m_bRequireCardPresent = required; }
    void SetPromptUser(s32 prompt) { m_bPromptUser = prompt; }

    s32 m_bRequireCardPresent = 0;
    s32 m_bSaveGameRequired = 1;
    s32 m_bPromptUser = 0;
    s32 m_bOperationCompleted = 0;  // the last dialogue saved or loaded
};

extern LoadSaveFlow g_LoadSaveFlow;
