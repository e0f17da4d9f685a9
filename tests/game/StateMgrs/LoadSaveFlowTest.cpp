// The save/load dialogue on the demo disc's popup, answered by scripted presses,
// over flash storage the test breaks in the ways a player meets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "console/card/card_control.h"
#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/NGC/NVRam.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerManagers.h"
#include "source/Flash/LoadSaveFlash.h"
#include "source/GameSettings.h"
#include "source/LoadSave.h"
#include "source/OrbMain.h"
#include "source/SFP2K.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/State.h"
#include "tests/game/LoadSaveFixture.h"

namespace {

namespace fs = std::filesystem;

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

    // Runs one dialogue a frame at a time, answering each question the popup asks
    // with the next of `answers` (r right, d down, a A). Each question is noted as
    // its button set (Y yes/no, R retry/continue, C continue/return, O OK) and
    // the button the cursor starts on; "!" marks a question left unanswered.
    static std::string Dialogue(eSAVELOAD_PROCESS process, e_LoadSave_SaveDataType type,
                                std::vector<std::string> answers) {
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
                if (next == answers.size())
                    return Abandon(state, process, type, questions + "!");
                Press(answers[next++]);
            }
            EventWait(1);
            asked = asked && popup != nullptr && AskedSet(*popup) != 0;
        }
        return Abandon(state, process, type, questions + " (no end)");
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
    // Presses after the popup has come in, four frames apart.
    static void Press(const std::string& keys) {
        std::string script = "0 0 connect\n";
        u32 frame = 16;
        for (const char key : keys) {
            const char* name = key == 'r' ? "right" : key == 'd' ? "down" : "a";
            script += std::to_string(frame) + " 0 button " + name + " down\n" + std::to_string(frame + 2) +
                      " 0 button " + name + " up\n";
            frame += 4;
        }
        ScriptFromNow(script);
    }
};

TEST_F(LoadSaveFlowTest, EachProcessAnswersEachStorageFault) {
    const std::string kFour = "A,B,C,D";
    const struct {
        const char* what;
        std::function<void()> storage;
        eSAVELOAD_PROCESS process;
        e_LoadSave_SaveDataType type;
        std::vector<std::string> answers;
        const char* questions;
        s32 completed, loaded, saved, autosave, exitToOs;
        std::string names;  // in the file afterwards
    } rows[] = {
        {"first boot: a new save",
         [] {},
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"a"},
         "Y0",
         1,
         0,
         1,
         1,
         0,
         ",,,"},
        {"first boot: no save, then no again, then yes to going on without",
         [] {},
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"ra", "a", "ra", "ra"},
         "Y0 Y1 Y0 Y1",
         1,
         0,
         0,
         0,
         0,
         ""},
        {"boot: the save loads",
         [] { SaveFourSlots(); },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {},
         "",
         1,
         1,
         0,
         1,
         0,
         kFour},
        {"autosave over a save asks nothing",
         [] {
             SaveFourSlots();
             Career(1, "BEN");
         },
         SAVELOAD_PROCESS_AUTOSAVE,
         eLoadSaveDataType_Character,
         {},
         "",
         1,
         0,
         1,
         1,
         0,
         "A,BEN,C,D"},
        {"autosave of the scratch slot keeps every slot",
         [] {
             SaveFourSlots();
             Career(CAREER_SCRATCH_SLOT, "TMP");
         },
         SAVELOAD_PROCESS_AUTOSAVE,
         eLoadSaveDataType_Character,
         {},
         "",
         1,
         0,
         1,
         1,
         0,
         kFour},
        {"boot: a corrupt save, written over on yes",
         [] {
             SaveFourSlots();
             PatchStoredFile(40, 0x77);
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"ra"},
         "Y1",
         1,
         0,
         1,
         1,
         0,
         ",,,D"},
        {"boot: another version, kept on no",
         [] {
             SaveFourSlots();
             PatchStoredFile(7, 9);
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"a", "ra"},
         "Y1 Y1",
         1,
         0,
         0,
         0,
         0,
         kFour},
        {"boot: a failed read, retried",
         [] {
             SaveFourSlots();
             HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"ra"},
         "R4",
         1,
         1,
         0,
         1,
         0,
         kFour},
        {"boot: a failed read, storage gone: retry checks again, continue goes on",
         [] {
             SaveFourSlots();
             HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
             HostCARDSetSlot(0, CARD_RESULT_NOCARD, 0, 0);
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"ra", "a", "ra"},
         "R4 R3 R3",
         1,
         0,
         0,
         0,
         0,
         kFour},
        {"a failed write, retried",
         [] {
             SaveFourSlots();
             Career(2, "CAT");
             HostNANDFailNext(HostNANDCall::Write, NAND_RESULT_ACCESS);
         },
         SAVELOAD_PROCESS_SAVING,
         eLoadSaveDataType_Character,
         {"ra", "ra", "ra"},
         "Y1 R4 Y1",
         1,
         0,
         1,
         1,
         0,
         "A,B,CAT,D"},
        {"a failed write, continued without saving",
         [] {
             SaveFourSlots();
             HostNANDFailNext(HostNANDCall::Write, NAND_RESULT_ACCESS);
         },
         SAVELOAD_PROCESS_SAVING,
         eLoadSaveDataType_GameSettings,
         {"ra", "a"},
         "Y1 R4",
         1,
         0,
         0,
         0,
         0,
         kFour},
        {"first boot, storage full: continue without saving",
         [] {
             HostNANDSetSpace({0, 0, 16384, 4096});
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"a", "a"},
         "Y0 C5",
         1,
         0,
         0,
         0,
         0,
         ""},
        {"first boot, storage full: back to the system menu",
         [] {
             HostNANDSetSpace({0, 0, 16384, 4096});
         },
         SAVELOAD_PROCESS_BOOTUP,
         eLoadSaveDataType_GameSettings,
         {"a", "da"},
         "Y0 C5",
         0,
         0,
         0,
         1,
         1,
         ""},
        {"a manual load, declined",
         [] { SaveFourSlots(); },
         SAVELOAD_PROCESS_LOADING,
         eLoadSaveDataType_All,
         {"a"},
         "Y1",
         0,
         0,
         0,
         1,
         0,
         kFour},
        {"nothing to do", [] {}, SAVELOAD_PROCESS_NONE, eLoadSaveDataType_All, {}, "", 0, 0, 0, 1, 0, ""},
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
        row.storage();
        EXPECT_EQ(Dialogue(row.process, row.type, row.answers), row.questions);
        EXPECT_EQ(g_LoadSaveFlow.m_bOperationCompleted, row.completed);
        EXPECT_EQ(g_LoadSaveFlow.m_bLoadCompleted, row.loaded);
        EXPECT_EQ(g_LoadSaveFlow.m_bSaved, row.saved);
        EXPECT_EQ(g_GameSettings.m_Current.bAutoSave, row.autosave);
        EXPECT_EQ(g_ExitToOs, row.exitToOs);
        EXPECT_EQ(StoredNames(), row.names);
        EXPECT_EQ(g_LoadSaveFlow.m_LoadSaveFlashScreen, nullptr);
    }
    g_ExitToOs = 0;
}

// A boot whose load failed and went on without saving, then a save of one slot:
// the file's other slots are kept.
TEST_F(LoadSaveFlowTest, ASaveAfterAFailedBootLoadKeepsTheOtherSlots) {
    SaveFourSlots();
    HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS);
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_BOOTUP, eLoadSaveDataType_GameSettings, {"a"}), "R4");
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 0);
    Career(0, "ZED");
    EXPECT_EQ(Dialogue(SAVELOAD_PROCESS_SAVING, eLoadSaveDataType_All, {"ra"}), "Y1");
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 1);
    EXPECT_EQ(StoredNames(), "ZED,B,C,D");
}

}  // namespace
