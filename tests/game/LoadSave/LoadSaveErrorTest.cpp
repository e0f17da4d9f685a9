// The save file never trusted: damaged, foreign, empty and short files, refused
// sections, failing storage calls and their error codes, and the room check.
#include <gtest/gtest.h>

#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/NVRam.h"
#include "tests/game/LoadSave/LoadSaveFixture.h"

namespace loadsave_test {
namespace {

class LoadSaveErrorTest : public LoadSaveFixture {
protected:
    // A good file with slot 1 in use; the test modules then hold other values.
    std::vector<u8> SaveGoodFile() {
        g_LoadSave.StoreGameSettingsSaveData();
        StoreSlot(1, "GOOD", 4);
        EXPECT_EQ(g_LoadSave.SaveGame(), 1);
        g_TestModules.slot[1].fill(8);
        g_TestModules.gameUnlocks = 8;
        return StoredFile();
    }
    // The load fails with error and the test modules keep their values.
    void ExpectRefused(eSAVELOAD_ERROR error) {
        const TestModules before = g_TestModules;
        Restart();
        EXPECT_EQ(g_LoadSave.LoadGame(), 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, error);
        EXPECT_EQ(g_LoadSave.m_LastLoadStatus, error);
        EXPECT_EQ(g_TestModules, before);
    }
};

// A changed byte fails the CRC; another version is refused whatever its CRC; and
// some values a correct CRC does not make acceptable.
TEST_F(LoadSaveErrorTest, DamagedFilesAreRefusedWithTheirError) {
    const std::vector<u8> good = SaveGoodFile();
    constexpr u32 kSection1 = SAVE_SLOT_NAME_SIZE + SAVE_CHARACTER_SECTION_SIZE + 1;
    struct Case {
        const char* what;
        u32 offset;
        s32 value;     // -1: one bit flipped
        bool stamped;  // the CRC made good again
        eSAVELOAD_ERROR error;
    };
    const Case cases[] = {
        {"magic", 0, -1, false, SAVELOAD_ERROR_DATA_CORRUPT},
        {"the CRC", SAVE_CRC_OFFSET, -1, false, SAVELOAD_ERROR_DATA_CORRUPT},
        {"the date", SAVE_DATE_OFFSET, -1, false, SAVELOAD_ERROR_DATA_CORRUPT},
        {"a slot", SaveSlotOffset(3) + 5000, -1, false, SAVELOAD_ERROR_DATA_CORRUPT},
        {"the last byte", SAVE_FILE_SIZE - 1, -1, false, SAVELOAD_ERROR_DATA_CORRUPT},
        {"version + 1", 7, SAVE_FILE_VERSION + 1, false, SAVELOAD_ERROR_INVALID_VERSION},
        {"version 0", 7, 0, false, SAVELOAD_ERROR_INVALID_VERSION},
        {"music volume 11", SAVE_SETTINGS_OFFSET + 3, 11, true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"effects volume 255", SAVE_SETTINGS_OFFSET + 7, 255, true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"autosave 2", SAVE_SETTINGS_OFFSET + 11, 2, true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"tips 255", SAVE_SETTINGS_OFFSET + 19, 255, true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"a nine-character name", SaveSlotOffset(1) + 8, 'X', true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"a byte after the name", SaveSlotOffset(0) + 15, 1, true, SAVELOAD_ERROR_DATA_CORRUPT},
        {"a refused section", SaveSlotOffset(1) + kSection1, kRefusedValue, true,
         SAVELOAD_ERROR_DATA_CORRUPT},
        {"a refused game-wide section", SAVE_GAME_UNLOCKS_OFFSET, 0, true, SAVELOAD_ERROR_DATA_CORRUPT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<u8> file = good;
        file[c.offset] = c.value < 0 ? file[c.offset] ^ 0x10 : u8(c.value);
        if (c.value == kRefusedValue)
            std::fill_n(&file[c.offset], kValueBytes, kRefusedValue);
        if (c.stamped)
            SaveImageStamp(file.data(), {});
        WriteStoredFile(file);
        ExpectRefused(c.error);
    }
}

// What a first save cut short leaves: refused once, then overwritten.
TEST_F(LoadSaveErrorTest, EmptyShortAndLongFilesAreCorruptAndASaveReplacesThem) {
    const std::vector<u8> good = SaveGoodFile();
    const std::vector<u8> files[] = {{},
                                     std::vector<u8>(good.begin(), good.begin() + 32),
                                     std::vector<u8>(good.begin(), good.begin() + SAVE_FILE_SIZE),
                                     std::vector<u8>(good.size() + 32, 0)};
    for (const std::vector<u8>& file : files) {
        SCOPED_TRACE(file.size());
        WriteStoredFile(file);
        ExpectRefused(SAVELOAD_ERROR_DATA_CORRUPT);
        StoreSlot(2, "AFTER", 6);
        ASSERT_EQ(g_LoadSave.SaveGame(), 1);
        Restart();
        ASSERT_EQ(g_LoadSave.LoadGame(), 1);
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(2), "AFTER");
        EXPECT_EQ(g_LoadSave.CharacterSlotFree(1), 1);
    }
}

TEST_F(LoadSaveErrorTest, FailingStorageCallsGiveTheirErrorsAndKeepTheFile) {
    const std::vector<u8> good = SaveGoodFile();
    struct Case {
        const char* what;
        void (*inject)();
        eSAVELOAD_ERROR load, save;
    };
    const Case cases[] = {
        {"open refused", [] { HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_ACCESS); },
         SAVELOAD_ERROR_LOAD_FAILED, SAVELOAD_ERROR_SAVE_FAILED},
        {"corrupt storage", [] { HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_CORRUPT); },
         SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT, SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT},
        {"authentication", [] { HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_AUTHENTICATION); },
         SAVELOAD_ERROR_DATA_CORRUPT, SAVELOAD_ERROR_DATA_CORRUPT},
        {"short transfer", [] { HostNANDShortNextRead(1024), HostNANDShortNextWrite(1024); },
         SAVELOAD_ERROR_DATA_CORRUPT, SAVELOAD_ERROR_SAVE_FAILED},
        {"close fails", [] { HostNANDFailNext(HostNANDCall::SafeClose, NAND_RESULT_FATAL_ERROR); },
         SAVELOAD_ERROR_LOAD_FAILED, SAVELOAD_ERROR_SAVE_FAILED},
        {"crash before the rename", [] { HostNANDCrashBeforeRename(); }, SAVELOAD_ERROR_NONE,
         SAVELOAD_ERROR_SAVE_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        c.inject();
        EXPECT_EQ(g_LoadSave.LoadGame(), c.load == SAVELOAD_ERROR_NONE ? 1 : 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, c.load);
        ResetStorageControls();

        // The image is a good copy now, so the save writes at once.
        ASSERT_EQ(g_LoadSave.LoadGame(), 1);
        StoreSlot(3, "LOST", 9);
        c.inject();
        EXPECT_EQ(g_LoadSave.SaveGame(), 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, c.save);
        EXPECT_EQ(StoredFile(), good);
        ResetStorageControls();
    }
}

TEST_F(LoadSaveErrorTest, TheRoomCheckAsksForOneBlockAndTwoFiles) {
    EXPECT_EQ(g_LoadSave.GetSavedGameSizeForDisplay(), 1u);
    struct Case {
        const char* what;
        HostNANDSpace space;
        s32 result;
        eSAVELOAD_ERROR error;
    };
    const Case cases[] = {
        {"room", {8, 2, 16384, 4096}, 1, SAVELOAD_ERROR_NONE},
        {"home full", {7, 32, 16384, 4096}, 0, SAVELOAD_ERROR_INSUFFICIENT_BLOCK_SPACE},
        {"system full", {1024, 32, 7, 4096}, 0, SAVELOAD_ERROR_INSUFFICIENT_BLOCK_SPACE},
        {"home out of files", {1024, 1, 16384, 4096}, 0, SAVELOAD_ERROR_INSUFFICIENT_FILE_HANDLE_SPACE},
        {"system out of files", {1024, 32, 16384, 1}, 0, SAVELOAD_ERROR_INSUFFICIENT_FILE_HANDLE_SPACE},
        {"out of both", {0, 0, 16384, 4096}, 0, SAVELOAD_ERROR_INSUFFICIENT_BLOCK_SPACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostNANDSetSpace(c.space);
        g_LoadSave.SetSaveLoadError(SAVELOAD_ERROR_NONE);
        EXPECT_EQ(g_LoadSave.CheckEnoughRoom(), c.result);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, c.error);
    }
    ResetStorageControls();
    for (auto [code, error] : {std::pair{NAND_RESULT_CORRUPT, SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT},
                               std::pair{NAND_RESULT_FATAL_ERROR, SAVELOAD_ERROR_SAVE_FAILED}}) {
        HostNANDFailNext(HostNANDCall::Check, code);
        EXPECT_EQ(g_LoadSave.CheckEnoughRoom(), 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, error);
    }
}

// A slot section or, on a first save, the settings area that does not fit fails
// the save and writes nothing; what did not fit keeps what it held, and the next
// save stores the rest whole.
TEST_F(LoadSaveErrorTest, ASectionThatDoesNotFitFailsTheSave) {
    for (bool first : {true, false}) {
        SCOPED_TRACE(first ? "settings on a first save" : "a slot");
        std::filesystem::remove_all(nandRoot_);
        Restart();
        const std::vector<u8> before = first ? std::vector<u8>{} : SaveGoodFile();
        g_TestModules.gameUnlocks = first ? kOverflowValue : 2;
        StoreSlot(first ? 0 : 1, "BIG", first ? 1 : kOverflowValue);
        EXPECT_EQ(g_LoadSave.SaveGame(), 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, SAVELOAD_ERROR_SAVE_FAILED);
        EXPECT_EQ(StoredFile(), before);
        g_TestModules.gameUnlocks = 2;
        StoreSlot(2, "SMALL", 3);
        ASSERT_EQ(g_LoadSave.SaveGame(), 1);
        Restart();
        g_TestModules = {};
        ASSERT_EQ(g_LoadSave.LoadGame(), 1);
        if (first) {
            g_LoadSave.RestoreGameSettingsSaveData();
            EXPECT_EQ(g_TestModules.gameUnlocks, 2);
        }
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(first ? 0 : 1), first ? "BIG" : "GOOD");
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(2), "SMALL");
    }
}

TEST_F(LoadSaveErrorTest, ExistenceAndTheCorruptStatusBit) {
    EXPECT_EQ(g_LoadSave.SaveGameExists(), 0);
    EXPECT_EQ(g_LoadSave.m_SaveLoadError, SAVELOAD_ERROR_NONE);
    WriteStoredFile({});
    EXPECT_EQ(g_LoadSave.SaveGameExists(), 1);
}

}  // namespace
}  // namespace loadsave_test
