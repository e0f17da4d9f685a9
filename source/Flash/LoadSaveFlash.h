// The save/load popup: the dialogue's messages, chosen by e_LoadSaveTextType, and
// its button sets. It answers on the screen tracker: SFP_SCREEN_NAV_NEXT for Yes,
// OK, Retry, "CONTINUE WITHOUT SAVING" or a timed message running out;
// SFP_SCREEN_NAV_PREVIOUS for No, Continue or "RETURN TO THE Wii MENU".
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

enum e_LoadSaveTextType : s32 {
    eLoadSaveText_MemCardFull = 0,
    eLoadSaveText_MemCardOutOfFileHandles = 1,
    eLoadSaveText_MemCardNotFormatted = 2,
    eLoadSaveText_CheckingMemCardPresent = 3,
    eLoadSaveText_MemCardNotPresentLoading = 4,
    eLoadSaveText_MemCardNotPresentSaving = 5,
    eLoadSaveText_MemCardNotPresentBootup = 6,
    eLoadSaveText_MemCardRemoved = 7,
    eLoadSaveText_WiiSystemMemoryCorruptSaving = 8,
    eLoadSaveText_WiiSystemMemoryCorruptLoading = 9,
    eLoadSaveText_Formatting = 10,
    eLoadSaveText_FormatCancelled = 11,
    eLoadSaveText_FormatDone = 12,
    eLoadSaveText_FormatError = 13,
    eLoadSaveText_CreateNewSave = 14,
    eLoadSaveText_CreatingNewSave = 15,
    eLoadSaveText_CreateNewSaveDone = 16,
    eLoadSaveText_CreateNewSaveError = 17,
    eLoadSaveText_SaveDataDoesNotExist = 18,
    eLoadSaveText_DisableAutosaveQuery = 19,
    eLoadSaveText_AutosaveCaution = 20,
    eLoadSaveText_CardChangedCautionSave = 21,
    eLoadSaveText_CardChangedCautionLoad = 22,
    eLoadSaveText_Overwrite = 23,
    eLoadSaveText_Saving = 24,
    eLoadSaveText_Autosaving = 25,
    eLoadSaveText_SaveDone = 26,
    eLoadSaveText_SaveError = 27,
    eLoadSaveText_ConfirmLoad = 28,
    eLoadSaveText_Loading = 29,
    eLoadSaveText_LoadDone = 30,
    eLoadSaveText_LoadError = 31,
    eLoadSaveText_DataCorrupt = 32,
    eLoadSaveText_LastLoadFailed = 33,
    eLoadSaveText_InvalidLoadVersion = 34,
};

constexpr u32 LOADSAVE_MESSAGE_SIZE = 300;

extern SFP_SCREEN_INFO_t loadSaveFlashScreen;

class CLoadSaveFlash : public CFlashScreen<CLoadSaveFlash, loadSaveFlashScreen> {
public:
    CLoadSaveFlash() = default;

    void Open();
    void Update(SFP_SCREEN_INFO_t* info);

    // A value past the last message leaves the shown one.
    void SetLoadSaveText(e_LoadSaveTextType type);
    // The string of `stringId` (a symbol when its top bit is set) with the save's
    // size in blocks filled in.
    const char* GetSizeBasedMessage(u32 stringId);
    // The disc string `format` with the block count and its word, cut to the
    // buffer; a string not shaped "...%d...%s..." is shown as it is.
    const char* FormatSizeBasedMessage(const char* format);

    // Showing a set puts the cursor on its second button when `defaultButton` is
    // nonzero (No, Continue, "RETURN TO THE Wii MENU") and stops the timer.
    void SetYesNoButtonsActive(s32 active, s32 defaultButton);
    void SetRetryContinueButtonsActive(s32 active, s32 defaultButton);
    void SetContinueReturnToMenuWiiButtonsActive(s32 active, s32 defaultButton);
    void SetOKButtonActive(s32 active);
    // The popup answers NEXT once `seconds`, and one more, have passed.
    void SetDisplayTime(f32 seconds);

    s32 m_bYesNoButtonsActive = 0;
    s32 m_bRetryContinueButtonsActive = 0;
    s32 m_bContinueReturnToMenuWiiButtonsActive = 0;
    s32 m_bOKButtonActive = 0;
    s32 m_bTimerActive = 0;
    f32 m_fMessageTimer = -1.0f;
    char m_szMsg[LOADSAVE_MESSAGE_SIZE] = {};

private:
    enum ButtonSet : s32;
    void SetButtonsActive(ButtonSet set, s32 active, s32 defaultButton);
    // Takes the answer of the current button, hides `set` and plays the accept sound.
    void Answer(ButtonSet set, s32 curButton);
};
