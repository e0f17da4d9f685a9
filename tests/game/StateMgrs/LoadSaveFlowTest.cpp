// The save/load dialogue on the demo disc's popup, answered by scripted presses,
// over flash storage the test breaks in the ways a player meets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "console/card/card_control.h"
#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/NGC/NVRam.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerManagers.h"
#include "source/Flash/LoadSaveFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/State.h"
#include "tests/game/LoadSave/LoadSaveFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

namespace fs = std::filesystem;

// How the storage is when a dialogue starts.
enum Storage {
    kEmpty,
    kFourSlots,
    kCorrupt,
    kOtherVersion,
    kReadFails,
    kReadFailsNoStorage,
    kWriteFails,
    kFull
};

class LoadSaveFlowTest : public MenuScreenFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = MenuScreenFixture::Config();
        config.pictures = false;  // the dialogue's timing is the same without them
        return config;
    }
    void SetUp() override {
        MenuScreenFixture::SetUp();
        fs::remove_all(HostNANDRoot());
        MemCardWarmReset();  // the storage poll, as the program starts it
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
        Forget();
    }
    void TearDown() override {
        HostNANDReset();
        NVRamColdReset();
        CCareerCharacter::DestroyInstance();
        MenuScreenFixture::TearDown();
    }

    // The save game as a new run finds it.
    static void Forget() {
        g_LoadSave = CLoadSave{};
        g_LoadSave.m_Hooks = &loadsave_test::kTestHooks;
    }
    // Slot `slot` under `name` as the current career.
    static void Career(s8 slot, const char* name) {
        CCareerCharacter::GetInstance()->SetCurrSlot(slot);
        CCareerCharacter::GetInstance()->SetName(name);
    }
    // A save holding slots 0..3 as "A".."D", then forgotten.
    static void SaveFourSlots() {
        for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
            Career(slot, std::string(1, char('A' + slot)).c_str());
            g_LoadSave.StoreCharacterSaveData();
        }
        ASSERT_EQ(g_LoadSave.SaveGame(), 1);
        Forget();
    }
    static fs::path SavePath() { return fs::path(HostNANDRoot()) / (NvHomeDir + 1) / SAVE_FILE_NAME; }
    static std::vector<u8> StoredFile() {
        std::ifstream in(SavePath(), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }
    static void PatchStoredFile(u32 offset, u8 value) {
        std::vector<u8> bytes = StoredFile();
        bytes.at(offset) = value;
        std::ofstream(SavePath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    // The stored slots' names, "" for no file.
    static std::string StoredNames() {
        const std::vector<u8> bytes = StoredFile();
        if (bytes.empty())
            return "";
        std::string names;
        for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
            char name[CAREER_NAME_SIZE] = {};
            SaveImageReadSlotName(bytes.data(), slot, name);
            names += std::string(name) + (slot + 1 < CAREER_SAVE_SLOTS ? "," : "");
        }
        return names;
    }

    static void Prepare(Storage storage) {
        if (storage == kFull)
            HostNANDSetSpace({0, 0, 16384, 4096});
        if (storage == kEmpty || storage == kFull)
            return;
        SaveFourSlots();
        if (storage == kCorrupt)
            PatchStoredFile(40, 0x77);
        if (storage == kOtherVersion)
            PatchStoredFile(7, 9);
        if (storage == kReadFails || storage == kReadFailsNoStorage)
            HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
        if (storage == kReadFailsNoStorage)
            HostCARDSetSlot(0, CARD_RESULT_NOCARD, 0, 0);
        if (storage == kWriteFails)
            HostNANDFailNext(HostNANDCall::Write, NAND_RESULT_ACCESS);
    }

    // Runs one dialogue a frame at a time, answering each question the popup asks
    // with the next of the space-separated `answerList`. Each question is noted as
    // its button set (Y yes/no, R retry/continue, C continue/return, O OK) and
    // the button the cursor starts on; "!" marks a question left unanswered.
    // `onQuestion` sees the popup with each question, counted from 0.
    static std::string Dialogue(eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type,
                                const char* answerList,
                                const std::function<void(CLoadSaveFlash&, size_t)>& onQuestion = {}) {
        std::vector<std::string> answers;
        std::istringstream in(answerList);
        for (std::string answer; in >> answer;)
            answers.push_back(answer);
        State state;
        std::string questions;
        size_t next = 0;
        bool asked = false;
        for (s32 frame = 0; frame < 4000; ++frame) {
            if (g_LoadSaveFlow.run(state, 1, process, type) == 1)
                return questions;
            CLoadSaveFlash* popup = g_LoadSaveFlow.m_LoadSaveFlashScreen;
            const char set = popup == nullptr ? 0 : AskedSet(*popup);
            if (set != 0 && !asked) {
                asked = true;
                questions += std::string(questions.empty() ? "" : " ") + set +
                             std::to_string(SFP2KGetScreenInfo(popup->m_iScreen)->curButton);
                if (onQuestion)
                    onQuestion(*popup, next);
                if (next == answers.size())
                    return Abandon(state, process, type, questions + "!");
                ScriptFromNow(ScriptPresses(answers[next++], 16, 4));  // once the popup is in
            }
            EventWait(1);
            asked = asked && popup != nullptr && AskedSet(*popup) != 0;
        }
        return Abandon(state, process, type, questions + " (no end)");
    }

    // Whether one of the popup's texts is `text`.
    static bool Shows(const CLoadSaveFlash& popup, const std::string& text) {
        const s_sfp_screen* screen = SFPScreen(popup.m_iScreen);
        for (u32 i = 0; i < screen->numInstances; ++i)
            if (screen->instances[i].text != nullptr && text == screen->instances[i].text)
                return true;
        return false;
    }

private:
    // Ends a dialogue that did not end as it should, for the next one.
    static std::string Abandon(State& state, eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type,
                               const std::string& questions) {
        state.Transition(1, eLoadSaveFlow_Deinit);
        g_LoadSaveFlow.run(state, 1, process, type);
        return questions;
    }
    static char AskedSet(const CLoadSaveFlash& popup) {
        return popup.m_bYesNoButtonsActive                     ? 'Y'
               : popup.m_bRetryContinueButtonsActive           ? 'R'
               : popup.m_bContinueReturnToMenuWiiButtonsActive ? 'C'
               : popup.m_bOKButtonActive                       ? 'O'
                                                               : 0;
    }
};

TEST_F(LoadSaveFlowTest, EachProcessAnswersEachStorageFault) {
    constexpr auto kBoot = SAVELOAD_PROCESS_BOOTUP, kSave = SAVELOAD_PROCESS_SAVING,
                   kAuto = SAVELOAD_PROCESS_AUTOSAVE, kLoad = SAVELOAD_PROCESS_LOADING;
    constexpr auto kSettings = eLoadSaveDataType_GameSettings, kSlot = eLoadSaveDataType_Character;
    const struct {
        const char* what;
        Storage storage;
        eSAVELOAD_PROCESS process;
        e_LoadSave_SaveDataType type;
        const char* answers;
        const char* questions;
        const char* flags;  // c completed, l loaded, s saved, o autosave off, x back to the system menu
        const char* names;  // in the file afterwards
        s8 slot = CAREER_SLOT_INVALID;  // the current career
        const char* career = "";
    } rows[] = {
        {"first boot: a new save", kEmpty, kBoot, kSettings, "a", "Y0", "cs", ",,,"},
        {"first boot: no, no, no, yes", kEmpty, kBoot, kSettings, "ra a ra ra", "Y0 Y1 Y0 Y1", "co", ""},
        {"boot: the save loads", kFourSlots, kBoot, kSettings, "", "", "cl", "A,B,C,D"},
        {"autosave over a save", kFourSlots, kAuto, kSlot, "", "", "cs", "A,BEN,C,D", 1, "BEN"},
        {"autosave of the scratch slot", kFourSlots, kAuto, kSlot, "", "", "cs", "A,B,C,D",
         CAREER_SCRATCH_SLOT, "T"},
        {"boot: a corrupt save, written over on yes", kCorrupt, kBoot, kSettings, "ra", "Y1", "cs", ",,,D", 3,
         "D"},
        {"boot: another version, kept on no", kOtherVersion, kBoot, kSettings, "a ra", "Y1 Y1", "co",
         "A,B,C,D"},
        {"boot: a failed read, retried", kReadFails, kBoot, kSettings, "ra", "R4", "cl", "A,B,C,D"},
        {"boot: a failed read, no storage: retry, continue", kReadFailsNoStorage, kBoot, kSettings, "ra a ra",
         "R4 R3 R3", "co", "A,B,C,D"},
        {"a failed write, retried", kWriteFails, kSave, kSlot, "ra ra ra", "Y1 R4 Y1", "cs", "A,B,CAT,D", 2,
         "CAT"},
        {"first boot, storage full: continue without", kFull, kBoot, kSettings, "a a", "Y0 C5", "co", ""},
        {"first boot, storage full: system menu", kFull, kBoot, kSettings, "a da", "Y0 C5", "x", ""},
        {"a load, declined", kFourSlots, kLoad, eLoadSaveDataType_All, "a", "Y1", "", "A,B,C,D"},
        {"nothing to do", kEmpty, SAVELOAD_PROCESS_NONE, eLoadSaveDataType_All, "", "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(HostNANDRoot());
        HostNANDReset();
        NVRamColdReset();  // the reset left the root as the current directory
        HostCARDSetSlot(0, CARD_RESULT_READY, 16, 8192);
        Forget();
        g_ExitToOs = 0;
        g_GameSettings.m_Current.bAutoSave = 1;
        g_GameSettings.m_Current.musicVolume = 3;  // changed since the settings' revert point
        g_GameSettings.m_Mirror.musicVolume = 8;
        g_LoadSaveFlow.SetSaveGameRequired(0);
        Prepare(row.storage);
        Career(row.slot, row.career);
        EXPECT_EQ(Dialogue(row.process, row.type, row.answers), row.questions);
        const std::string flags =
            std::string(g_LoadSaveFlow.m_bOperationCompleted ? "c" : "") +
            (g_LoadSaveFlow.m_bLoadCompleted ? "l" : "") + (g_LoadSaveFlow.m_bSaved ? "s" : "") +
            (g_GameSettings.m_Current.bAutoSave == 0 ? "o" : "") + (g_ExitToOs ? "x" : "");
        EXPECT_EQ(flags, row.flags);
        EXPECT_EQ(StoredNames(), row.names);
        EXPECT_EQ(g_LoadSaveFlow.m_LoadSaveFlashScreen, nullptr);
        // What was saved is the new revert point; every dialogue ends wanting a save again.
        EXPECT_EQ(g_GameSettings.m_Mirror.musicVolume, g_LoadSaveFlow.m_bSaved ? 3 : 8);
        EXPECT_EQ(g_LoadSaveFlow.m_bSaveGameRequired, 1);
    }
    g_ExitToOs = 0;
}

// A boot whose load failed and went on without saving, then a save of one slot:
// the file's other slots are kept.
TEST_F(LoadSaveFlowTest, ASaveAfterAFailedBootLoadKeepsTheOtherSlots) {
    SaveFourSlots();
    HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_BOOTUP, eLoadSaveDataType_GameSettings, "a"), "R4");
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 0);
    Career(0, "ZED");
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_SAVING, eLoadSaveDataType_All, "ra"), "Y1");
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 1);
    EXPECT_EQ(StoredNames(), "ZED,B,C,D");
}

// Saving a bowler asks first only when its slot holds a saved one: a free slot
// is saved at once, and again at once on a retry after a failed write.
TEST_F(LoadSaveFlowTest, OnlyASlotInUseIsAskedAbout) {
    Career(0, "A");
    g_LoadSave.StoreCharacterSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    Career(2, "CAT");
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_SAVING, eLoadSaveDataType_Character, ""), "");
    EXPECT_EQ(StoredNames(), "A,,CAT,");
    Career(0, "ZED");
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_SAVING, eLoadSaveDataType_Character, "ra"), "Y1");
    EXPECT_EQ(StoredNames(), "ZED,,CAT,");
    Career(1, "BEN");
    HostNANDFailNext(HostNANDCall::Write, NAND_RESULT_ACCESS);
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_SAVING, eLoadSaveDataType_Character, "ra"), "R4");
    EXPECT_EQ(StoredNames(), "ZED,BEN,CAT,");
}

// The storage taken out while a load retries a failed read, or while a save asks
// about storage that has changed: the message says what could not be done.
TEST_F(LoadSaveFlowTest, NoStorageIsNamedForTheLoadOrTheSave) {
    const struct {
        const char* what;
        eSAVELOAD_PROCESS process;
        const char* answers;  // yes, retry or yes, then go on without
        const char* questions;
        u32 message;  // the symbol of the third question's text
        bool sized;   // the text gives the save's size
    } rows[] = {
        {"a load", SAVELOAD_PROCESS_LOADING, "ra ra ra", "Y1 R4 Y1", kTextSaveNotPresentLoading, false},
        {"a save", SAVELOAD_PROCESS_SAVING, "ra a ra", "Y1 Y0 Y1", kTextSaveNotPresentSaving, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(HostNANDRoot());
        HostCARDSetSlot(0, CARD_RESULT_READY, 16, 8192);
        Forget();
        SaveFourSlots();
        if (row.process == SAVELOAD_PROCESS_LOADING)
            HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
        else
            MemCard[0].status.word |= Mem_Card_Changed;
        bool shown = false;
        const auto asked = [&](CLoadSaveFlash& popup, size_t question) {
            if (question == 1)
                HostCARDSetSlot(0, CARD_RESULT_NOCARD, 0, 0);
            if (question == 2)
                shown =
                    Shows(popup, row.sized ? std::string(popup.GetSizeBasedMessage(0x80000000u | row.message))
                                           : std::string(SymbolText(row.message)));
        };
        EXPECT_EQ(Dialogue(row.process, eLoadSaveDataType_All, row.answers, asked), row.questions);
        EXPECT_TRUE(shown);
        EXPECT_EQ(g_LoadSaveFlow.m_bOperationCompleted, 1) << "going on without the storage";
    }
}

}  // namespace
