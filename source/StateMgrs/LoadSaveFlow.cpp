#include "source/StateMgrs/LoadSaveFlow.h"

LoadSaveFlow g_LoadSaveFlow;

s32 LoadSaveFlow::run(State&, s32, eSAVELOAD_PROCESS, e_LoadSave_SaveDataType) {
    m_bRequireCardPresent = 0;
    m_bSaveGameRequired = 1;
    m_bPromptUser = 0;
    return 1;
}
