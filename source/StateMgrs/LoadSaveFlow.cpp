#include "source/StateMgrs/LoadSaveFlow.h"

#include "console/os.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/MemCard.h"
#include "source/Flash/LoadSaveFlash.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "source/Wii_HomeButton.h"

LoadSaveFlow g_LoadSaveFlow;

namespace {

constexpr f32 kLoadingSeconds = 0.5f;
constexpr f32 kDoneSeconds = 1.0f;
constexpr f32 kNoSaveSeconds = 2.0f;

bool IsLoad(eSAVELOAD_PROCESS process) {
    return process == SAVELOAD_PROCESS_LOADING || process == SAVELOAD_PROCESS_AUTOLOAD ||
           process == SAVELOAD_PROCESS_LOADIFCARDCHANGED;
}

bool IsSave(eSAVELOAD_PROCESS process) {
    return process == SAVELOAD_PROCESS_SAVING || process == SAVELOAD_PROCESS_AUTOSAVE;
}

eScreenNavigation Answer() {
    return g_ScreenTracker.m_ScreenNav;
}

}  // namespace

void LoadSaveFlow::FreePopup() {
    delete m_LoadSaveFlashScreen;
    m_LoadSaveFlashScreen = nullptr;
}

e_LoadSaveFlowStates LoadSaveFlow::CheckOf(eSAVELOAD_PROCESS process) {
    return IsSave(process) ? eLoadSaveFlow_SaveCheck : eLoadSaveFlow_LoadCheck;
}

void LoadSaveFlow::Message(e_LoadSaveTextType text) {
    m_LoadSaveFlashScreen->SetLoadSaveText(text);
}

void LoadSaveFlow::Close(State& state, s32 depth) {
    m_LoadSaveFlashScreen->Close();
    state.Transition(depth, eLoadSaveFlow_Exit);
}

void LoadSaveFlow::ContinueWithoutSaving(State& state, s32 depth) {
    g_GameSettings.m_Current.bAutoSave = 0;
    m_bOperationCompleted = 1;
    Close(state, depth);
}

void LoadSaveFlow::SetCardChangedText(State& state, s32 depth) {
    Message(eLoadSaveText_CardChangedCautionSave);
    m_LoadSaveFlashScreen->SetYesNoButtonsActive(1, 0);
    state.Transition(depth, eLoadSaveFlow_CardChangedCaution);
    g_ScreenTracker.ResetScreenNav();
}

bool LoadSaveFlow::Save(e_LoadSave_SaveDataType type) {
    // The save file layer keeps, from the file, every slot not stored here.
    if (type != eLoadSaveDataType_Character)
        g_LoadSave.StoreGameSettingsSaveData();
    if (type != eLoadSaveDataType_GameSettings)
        g_LoadSave.StoreCharacterSaveData();
    if (g_LoadSave.SaveGame() == 0)
        return false;
    g_GameSettings.Mirror();
    m_bSaved = 1;
    return true;
}

s32 LoadSaveFlow::run(State& state, s32 depth, eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type) {
    CLoadSaveFlash* popup = m_LoadSaveFlashScreen;
    const eScreenNavigation answer = Answer();
    switch (state.m_value[depth]) {
        case eLoadSaveFlow_Init:
            MemCardActivate();
            HomeButtonSaveActive(1);
            state.Transition(depth,
                             process == SAVELOAD_PROCESS_NONE ? eLoadSaveFlow_Deinit : eLoadSaveFlow_Open);
            break;
        case eLoadSaveFlow_Open:
            m_bOperationCompleted = 0;
            m_bLoadCompleted = 0;
            m_bSaved = 0;
            // Decided before anything is stored: a failed save leaves the slot in use.
            m_bAskOverwrite = type != eLoadSaveDataType_Character || g_LoadSave.CurrentSlotTaken() != 0;
            if (popup == nullptr) {
                popup = m_LoadSaveFlashScreen = new CLoadSaveFlash;
                if (popup->Load() == 0) {
                    DEBUG_PRINT("LoadSaveFlow: no save/load popup\n");
                    state.Transition(depth, eLoadSaveFlow_Deinit);
                    break;
                }
            }
            popup->Open();
            g_ScreenTracker.ResetScreenNav();
            if (process == SAVELOAD_PROCESS_BOOTUP)
                Message(eLoadSaveText_CheckingMemCardPresent);
            // Deleting and formatting have no path here.
            state.Transition(depth, IsLoad(process) || IsSave(process) || process == SAVELOAD_PROCESS_BOOTUP
                                        ? CheckOf(process)
                                        : eLoadSaveFlow_Exit);
            break;
        case eLoadSaveFlow_CheckCardExists:
            Message(eLoadSaveText_CheckingMemCardPresent);
            // Storage there: check again for what the dialogue was doing.
            if (g_LoadSave.MemoryCardPresent() != 0) {
                state.Transition(depth, CheckOf(process));
                break;
            }
            if (process == SAVELOAD_PROCESS_BOOTUP) {
                Message(eLoadSaveText_MemCardNotPresentBootup);
                popup->SetRetryContinueButtonsActive(1, 0);
            } else {
                Message(IsSave(process) ? eLoadSaveText_MemCardNotPresentSaving
                                        : eLoadSaveText_MemCardNotPresentLoading);
                popup->SetYesNoButtonsActive(1, 1);
            }
            m_PreviousState = eLoadSaveFlow_CheckCardExists;
            g_ScreenTracker.ResetScreenNav();
            state.Transition(depth, eLoadSaveFlow_Error);
            break;
        case eLoadSaveFlow_LoadCheck:
            if (g_LoadSave.SaveGameExists() != 0) {
                if (process == SAVELOAD_PROCESS_LOADING) {
                    Message(eLoadSaveText_ConfirmLoad);
                    popup->SetYesNoButtonsActive(1, 1);
                    state.Transition(depth, eLoadSaveFlow_LoadConfirm);
                } else {
                    Message(eLoadSaveText_Loading);
                    state.Transition(depth, eLoadSaveFlow_Loading_Pre);
                }
            } else if (g_LoadSave.m_SaveLoadError == SAVELOAD_ERROR_DATA_CORRUPT) {
                Message(eLoadSaveText_DataCorrupt);
                popup->SetYesNoButtonsActive(1, 1);
                m_PreviousState = eLoadSaveFlow_Loading;
                state.Transition(depth, eLoadSaveFlow_Error);
            } else if (process == SAVELOAD_PROCESS_BOOTUP) {
                Message(eLoadSaveText_CreateNewSave);
                popup->SetYesNoButtonsActive(1, 0);
                m_PreviousState = eLoadSaveFlow_LoadCheck;
                state.Transition(depth, eLoadSaveFlow_CreateNewSave);
            } else {
                Message(eLoadSaveText_SaveDataDoesNotExist);
                g_LoadSave.SetSaveLoadError(SAVELOAD_ERROR_NO_SAVED_GAME);
                popup->SetDisplayTime(kNoSaveSeconds);
                m_PreviousState = eLoadSaveFlow_Loading;
                state.Transition(depth, eLoadSaveFlow_Error);
            }
            break;
        case eLoadSaveFlow_LoadConfirm:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (answer == SFP_SCREEN_NAV_NEXT) {
                Message(eLoadSaveText_Loading);
                state.Transition(depth, eLoadSaveFlow_Loading_Pre);
            } else {
                Close(state, depth);
            }
            break;
        case eLoadSaveFlow_Loading_Pre:
            popup->SetDisplayTime(kLoadingSeconds);
            state.Transition(depth, eLoadSaveFlow_Loading);
            break;
        case eLoadSaveFlow_Loading:
            if (answer != SFP_SCREEN_NAV_NEXT)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (g_LoadSave.LoadGame() != 0) {
                m_bOperationCompleted = 1;
                m_bLoadCompleted = 1;
                Message(eLoadSaveText_LoadDone);
                popup->SetDisplayTime(kDoneSeconds);
                if (type != eLoadSaveDataType_Character)
                    g_LoadSave.RestoreGameSettingsSaveData();
                state.Transition(depth, eLoadSaveFlow_LoadDone);
                break;
            }
            // Writing over a file that cannot be read is never the default.
            switch (g_LoadSave.m_SaveLoadError) {
                case SAVELOAD_ERROR_DATA_CORRUPT:
                    Message(eLoadSaveText_DataCorrupt);
                    popup->SetYesNoButtonsActive(1, 1);
                    break;
                case SAVELOAD_ERROR_MEM_CARD_REMOVED:
                    Message(eLoadSaveText_MemCardRemoved);
                    popup->SetYesNoButtonsActive(1, 1);
                    break;
                case SAVELOAD_ERROR_INVALID_VERSION:
                    Message(eLoadSaveText_InvalidLoadVersion);
                    popup->SetYesNoButtonsActive(1, 1);
                    break;
                case SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT:
                    Message(eLoadSaveText_WiiSystemMemoryCorruptLoading);
                    popup->SetRetryContinueButtonsActive(1, 0);
                    break;
                default:
                    Message(eLoadSaveText_LoadError);
                    popup->SetRetryContinueButtonsActive(1, 1);
                    break;
            }
            m_PreviousState = eLoadSaveFlow_Loading;
            state.Transition(depth, eLoadSaveFlow_Error);
            break;
        case eLoadSaveFlow_LoadDone:
        case eLoadSaveFlow_CreateNewSaveDone:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            Close(state, depth);
            break;
        case eLoadSaveFlow_SaveCheck:
            if (g_LoadSave.SaveGameExists() == 0) {
                Message(eLoadSaveText_CreateNewSave);
                popup->SetYesNoButtonsActive(1, 1);
                state.Transition(depth, eLoadSaveFlow_CreateNewSave);
            } else if (process == SAVELOAD_PROCESS_AUTOSAVE || !m_bAskOverwrite) {
                state.Transition(depth, eLoadSaveFlow_Saving);
            } else {
                Message(eLoadSaveText_Overwrite);
                popup->SetYesNoButtonsActive(1, 1);
                state.Transition(depth, eLoadSaveFlow_OverWrite);
            }
            break;
        case eLoadSaveFlow_OverWrite:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (answer == SFP_SCREEN_NAV_NEXT)
                state.Transition(depth, eLoadSaveFlow_Saving);
            else
                Close(state, depth);
            break;
        case eLoadSaveFlow_Saving:
            Message(process == SAVELOAD_PROCESS_AUTOSAVE ? eLoadSaveText_Autosaving : eLoadSaveText_Saving);
            if (g_LoadSave.MemoryCardChanged() != 0) {
                SetCardChangedText(state, depth);
                break;
            }
            if (Save(type)) {
                Message(eLoadSaveText_SaveDone);
                popup->SetDisplayTime(kDoneSeconds);
                state.Transition(depth, eLoadSaveFlow_SaveDone);
            } else {
                Message(g_LoadSave.m_SaveLoadError == SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT
                            ? eLoadSaveText_WiiSystemMemoryCorruptSaving
                            : eLoadSaveText_SaveError);
                popup->SetRetryContinueButtonsActive(1, 1);
                m_PreviousState = eLoadSaveFlow_Saving;
                state.Transition(depth, eLoadSaveFlow_Error);
            }
            g_ScreenTracker.ResetScreenNav();
            break;
        case eLoadSaveFlow_SaveDone:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            m_bOperationCompleted = 1;
            Close(state, depth);
            break;
        case eLoadSaveFlow_CreateNewSave:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (answer == SFP_SCREEN_NAV_NEXT) {
                state.Transition(depth, eLoadSaveFlow_CreatingNewSave);
            } else {
                Message(eLoadSaveText_AutosaveCaution);
                popup->SetYesNoButtonsActive(1, 1);
                g_LoadSave.SetSaveLoadError(SAVELOAD_ERROR_NONE);
                state.Transition(depth, eLoadSaveFlow_AutosaveCaution);
            }
            break;
        case eLoadSaveFlow_CreatingNewSave:
            if (g_LoadSave.MemoryCardChanged() != 0) {
                SetCardChangedText(state, depth);
                break;
            }
            if (g_LoadSave.CheckEnoughRoom() == 0) {
                Message(g_LoadSave.m_SaveLoadError == SAVELOAD_ERROR_INSUFFICIENT_FILE_HANDLE_SPACE
                            ? eLoadSaveText_MemCardOutOfFileHandles
                            : eLoadSaveText_MemCardFull);
                popup->SetContinueReturnToMenuWiiButtonsActive(1, 1);
                m_PreviousState = eLoadSaveFlow_CheckEnoughSpace;
                state.Transition(depth, eLoadSaveFlow_Error);
                break;
            }
            Message(eLoadSaveText_CreatingNewSave);
            if (Save(eLoadSaveDataType_All)) {
                Message(eLoadSaveText_CreateNewSaveDone);
                popup->SetDisplayTime(kDoneSeconds);
                m_bOperationCompleted = 1;
                state.Transition(depth, eLoadSaveFlow_CreateNewSaveDone);
            } else {
                Message(eLoadSaveText_CreateNewSaveError);
                popup->SetRetryContinueButtonsActive(1, 1);
                m_PreviousState = eLoadSaveFlow_CreatingNewSave;
                state.Transition(depth, eLoadSaveFlow_Error);
            }
            break;
        case eLoadSaveFlow_AutosaveCaution:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (answer == SFP_SCREEN_NAV_NEXT) {
                ContinueWithoutSaving(state, depth);
            } else {
                Message(eLoadSaveText_CheckingMemCardPresent);
                state.Transition(depth, eLoadSaveFlow_LoadCheck);
            }
            break;
        case eLoadSaveFlow_CardChangedCaution:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (answer == SFP_SCREEN_NAV_PREVIOUS) {
                m_bOperationCompleted = 0;
                Close(state, depth);
            } else {
                g_LoadSave.ClearCardChangedFlag();
                state.Transition(depth, eLoadSaveFlow_CheckCardExists);
            }
            break;
        case eLoadSaveFlow_Error:
            if (answer == SFP_SCREEN_NAV_NONE)
                break;
            Error(state, depth, process, answer);
            g_LoadSave.SetSaveLoadError(SAVELOAD_ERROR_NONE);
            g_ScreenTracker.ResetScreenNav();
            break;
        case eLoadSaveFlow_Exit:
            // The popup plays its way out first.
            if (SFP2KIsScreenActive(popup->m_iScreen) != 0)
                break;
            popup->Kill();
            state.Transition(depth, eLoadSaveFlow_Deinit);
            break;
        case eLoadSaveFlow_Deinit:
        default:
            MemCardDeactivate();
            FreePopup();
            m_bRequireCardPresent = 0;
            m_bSaveGameRequired = 1;
            m_bPromptUser = 0;
            HomeButtonSaveActive(0);
            return 1;
    }
    return 0;
}

void LoadSaveFlow::Error(State& state, s32 depth, eSAVELOAD_PROCESS process, s32 answer) {
    const bool next = answer == SFP_SCREEN_NAV_NEXT;
    switch (m_PreviousState) {
        case eLoadSaveFlow_CheckCardExists:
            // At boot Retry checks again and Continue goes on without saving.
            if (process == SAVELOAD_PROCESS_BOOTUP) {
                if (next)
                    state.Transition(depth, eLoadSaveFlow_CheckCardExists);
                else
                    ContinueWithoutSaving(state, depth);
                break;
            }
            [[fallthrough]];
        case eLoadSaveFlow_CheckEnoughSpace:
            if (next) {
                ContinueWithoutSaving(state, depth);
            } else if (process == SAVELOAD_PROCESS_BOOTUP) {
                g_ExitToOs = 1;
                m_LoadSaveFlashScreen->Close();
                state.Transition(depth, eLoadSaveFlow_Deinit);
            } else {
                OSReturnToMenu();
            }
            break;
        case eLoadSaveFlow_Loading:
            switch (g_LoadSave.m_SaveLoadError) {
                case SAVELOAD_ERROR_NO_SAVED_GAME:
                    m_bOperationCompleted = 1;
                    Close(state, depth);
                    break;
                case SAVELOAD_ERROR_MEM_CARD_REMOVED:
                    if (answer == SFP_SCREEN_NAV_PREVIOUS)
                        state.Transition(depth, eLoadSaveFlow_CheckCardExists);
                    else
                        ContinueWithoutSaving(state, depth);
                    break;
                case SAVELOAD_ERROR_INVALID_VERSION:
                case SAVELOAD_ERROR_DATA_CORRUPT:
                    if (next) {
                        g_LoadSave.m_LastLoadStatus = SAVELOAD_ERROR_NONE;
                        state.Transition(depth, eLoadSaveFlow_CreatingNewSave);
                    } else {
                        Message(eLoadSaveText_AutosaveCaution);
                        m_LoadSaveFlashScreen->SetYesNoButtonsActive(1, 1);
                        state.Transition(depth, eLoadSaveFlow_AutosaveCaution);
                    }
                    break;
                case SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT:
                    if (next)
                        state.Transition(depth, eLoadSaveFlow_LoadCheck);
                    else
                        ContinueWithoutSaving(state, depth);
                    break;
                default:
                    if (next)
                        state.Transition(depth, eLoadSaveFlow_CheckCardExists);
                    else
                        ContinueWithoutSaving(state, depth);
                    break;
            }
            break;
        case eLoadSaveFlow_Saving:
        case eLoadSaveFlow_CreatingNewSave:
            if (next)
                state.Transition(depth, eLoadSaveFlow_SaveCheck);
            else
                ContinueWithoutSaving(state, depth);
            break;
        default:
            break;
    }
}
