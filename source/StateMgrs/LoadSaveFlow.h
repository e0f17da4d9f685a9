// The save/load dialogue flow: every read and write of the save file goes
// through it. It checks the storage, asks before loading or overwriting, offers
// to create a save when there is none and answers every failure with a message
// and the choices that fit it, in the save/load popup.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

class CLoadSaveFlash;
enum e_LoadSaveTextType : s32;
class State;

enum e_LoadSaveFlowStates : s32 {
    eLoadSaveFlow_Init = 0,
    eLoadSaveFlow_Open = 1,
    eLoadSaveFlow_BootupInit = 2,
    eLoadSaveFlow_CheckCardPresentRequired = 3,
    eLoadSaveFlow_CheckCardExists = 4,
    eLoadSaveFlow_CheckCardFormatted = 5,
    eLoadSaveFlow_CheckEnoughSpace = 6,
    eLoadSaveFlow_UnformattedCard = 7,
    eLoadSaveFlow_Formatting = 8,
    eLoadSaveFlow_FormatCancelled = 9,
    eLoadSaveFlow_FormatDone = 10,
    eLoadSaveFlow_LoadCheck = 11,
    eLoadSaveFlow_LoadConfirm = 12,
    eLoadSaveFlow_Loading_Pre = 13,
    eLoadSaveFlow_Loading = 14,
    eLoadSaveFlow_LoadDone = 15,
    eLoadSaveFlow_SaveCheck = 16,
    eLoadSaveFlow_OverWrite = 17,
    eLoadSaveFlow_Saving = 18,
    eLoadSaveFlow_SaveDone = 19,
    eLoadSaveFlow_CreateNewSave = 20,
    eLoadSaveFlow_CreatingNewSave = 21,
    eLoadSaveFlow_CreateNewSaveDone = 22,
    eLoadSaveFlow_AutosaveCaution = 23,
    eLoadSaveFlow_CardChangedCaution = 24,
    eLoadSaveFlow_SaveDataDoesNotExist = 25,
    eLoadSaveFlow_Error = 26,
    eLoadSaveFlow_Exit = 27,
    eLoadSaveFlow_Deinit = 28,
};

class LoadSaveFlow {
public:
    LoadSaveFlow() = default;
    ~LoadSaveFlow() { FreePopup(); }
    LoadSaveFlow(const LoadSaveFlow&) = delete;
    LoadSaveFlow& operator=(const LoadSaveFlow&) = delete;

    // 0 while the dialogue runs, 1 when it has ended; the caller passes the same
    // process and data type on every call of one dialogue, then reads the flags.
    s32 run(State& state, s32 depth, eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type);
    void SetSaveGameRequired(s32 required) { m_bSaveGameRequired = required; }
    void SetCardRequired(s32 required) { m_bRequireCardPresent = required; }
    void SetPromptUser(s32 prompt) { m_bPromptUser = prompt; }
    // Frees the popup; the program's shut-down calls it while the heap that holds
    // it is still there.
    void FreePopup();
    // Asks whether to save to storage that has changed since it was read.
    void SetCardChangedText(State& state, s32 depth);

    CLoadSaveFlash* m_LoadSaveFlashScreen = nullptr;
    e_LoadSaveFlowStates m_PreviousState = eLoadSaveFlow_Init;  // whose failure the Error state answers
    // The caller may go on: saved, loaded, or the player chose to go on without.
    s32 m_bOperationCompleted = 0;
    s32 m_bLoadCompleted = 0;
    s32 m_bSaved = 0;  // the save file was written
    // Whether this dialogue asks before saving over the file: not for a bowler
    // going into a slot that holds none.
    s32 m_bAskOverwrite = 1;
    s32 m_bRequireCardPresent = 0;
    s32 m_bSaveGameRequired = 1;
    s32 m_bPromptUser = 0;

private:
    // The Error state's answer to the failure of m_PreviousState.
    void Error(State& state, s32 depth, eSAVELOAD_PROCESS process, s32 answer);
    // Writes what `type` stores; false when the write failed.
    bool Save(e_LoadSave_SaveDataType type);
    void Message(e_LoadSaveTextType text);
    void Close(State& state, s32 depth);
    // Going on without a save: autosave off, and the caller may carry on.
    void ContinueWithoutSaving(State& state, s32 depth);
    // The load or save check the process starts with.
    static e_LoadSaveFlowStates CheckOf(eSAVELOAD_PROCESS process);
};

extern LoadSaveFlow g_LoadSaveFlow;
