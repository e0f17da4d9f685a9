// The save file's round trips: its exact size and layout, the settings and the
// career slots it carries, and that no save loses the slots it was not asked to
// store.
#include <gtest/gtest.h>

#include "console/card/card_control.h"
#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/OrbStream.h"
#include "source/Players/Player.h"
#include "tests/game/LoadSave/LoadSaveFixture.h"

namespace loadsave_test {
namespace {

class LoadSaveTest : public LoadSaveFixture {};

TEST_F(LoadSaveTest, RoundTripOfTheRealModulesIsExactly46212Bytes) {
    g_LoadSave.m_Hooks = &CAREER_SAVE_HOOKS;
    g_GameSettings.SetDefault();
    g_GameSettings.SetMusicVolume(3);
    g_GameSettings.SetEffectsVolume(0);
    g_GameSettings.m_Current.bTipsAndHints = 0;
    g_LoadSave.StoreGameSettingsSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);

    const std::vector<u8> file = StoredFile();
    ASSERT_EQ(file.size(), SAVE_FILE_STORED_SIZE);
    EXPECT_EQ(LoadBE32(&file[0]), SAVE_FILE_MAGIC);
    EXPECT_EQ(SaveImageCheck(file.data()), SAVELOAD_ERROR_NONE);
    for (u32 i = SAVE_FILE_SIZE; i < file.size(); ++i)
        ASSERT_EQ(file[i], 0) << "storage padding at " << i;

    g_GameSettings.SetDefault();
    g_GameSettings.SetGameMode(eGameMode_Career);
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    g_LoadSave.RestoreGameSettingsSaveData();
    EXPECT_EQ(g_GameSettings.m_Current.musicVolume, 3);
    EXPECT_EQ(g_GameSettings.m_Current.effectsVolume, 0);
    EXPECT_EQ(g_GameSettings.m_Current.bTipsAndHints, 0);
    // What kind of game is being set up is no setting of the player's.
    EXPECT_EQ(g_GameSettings.m_Current.gameMode, eGameMode_Career);
    EXPECT_FLOAT_EQ(OrbStreamManager.GetVolume(ORB_STREAM_MASK_MUSIC), 0.3f);
}

TEST_F(LoadSaveTest, SectionsLieAtTheirOffsetsAndLoadOnlyWhenRestored) {
    StoreSlot(2, "ANNA", 7);
    g_TestModules.gameUnlocks = 9;
    g_LoadSave.StoreGameSettingsSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    const std::vector<u8> file = StoredFile();
    EXPECT_EQ(file[SAVE_GAME_UNLOCKS_OFFSET], kMarker);
    EXPECT_EQ(file[SAVE_GAME_UNLOCKS_OFFSET + 1], 9);
    const u32 slot = SaveSlotOffset(2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[slot])), "ANNA");
    u32 offset = slot + SAVE_SLOT_NAME_SIZE;
    for (u32 id = 0; id < SAVE_SECTION_COUNT; offset += SAVE_SECTION_SIZE[id++]) {
        EXPECT_EQ(file[offset], kMarker) << "section " << id;
        EXPECT_EQ(file[offset + kValueBytes], 7) << "section " << id;
        EXPECT_EQ(file[offset + kValueBytes + 1], 0) << "section " << id << " is zero-padded";
    }
    EXPECT_EQ(offset, slot + SAVE_SLOT_SIZE);

    // A load checks the sections but leaves the modules as they were.
    Restart();
    g_TestModules = {};
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    EXPECT_EQ(g_TestModules, TestModules{});
    CCareerCharacter::GetInstance()->SetCurrSlot(2);
    g_LoadSave.RefreshCharacterSaveData();
    EXPECT_EQ(g_TestModules.slot[2], (std::array<u8, SAVE_SECTION_COUNT>{7, 0, 0, 0}));
    g_LoadSave.RestoreCharacterSaveData();
    EXPECT_EQ(g_TestModules.slot[2], (std::array<u8, SAVE_SECTION_COUNT>{7, 7, 7, 7}));
    EXPECT_EQ(g_TestModules.gameUnlocks, 0);
    g_LoadSave.RestoreGameSettingsSaveData();
    EXPECT_EQ(g_TestModules.gameUnlocks, 9);
}

// Names come from the image, cut to eight characters; the scratch slot and no
// slot are never stored.
TEST_F(LoadSaveTest, SlotNamesAreReadFromTheImage) {
    StoreSlot(1, "BOWLER", 3);
    StoreSlot(3, "LONGNAMEXYZ", 4);
    for (s8 slot : {CAREER_SCRATCH_SLOT, CAREER_SLOT_INVALID})
        StoreSlot(slot, "GHOST", 6);
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    Restart();
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    const char* expected[] = {"", "BOWLER", "", "LONGNAME"};
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(slot), expected[slot]);
        EXPECT_EQ(g_LoadSave.CharacterSlotFree(slot), expected[slot][0] == 0 ? 1 : 0);
    }
    for (s8 slot : {s8(-1), s8(4), s8(100)}) {
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(slot), "");
        EXPECT_EQ(g_LoadSave.CharacterSlotFree(slot), 0);
    }
}

// However the image was left (no load, as after a declined one; a failed load;
// a good load), a save of slot 2 keeps slots 0, 1 and 3 and the settings of the file.
TEST_F(LoadSaveTest, SavingOneSlotKeepsTheOthers) {
    struct Case {
        const char* name;
        void (*before)();
    };
    const Case cases[] = {
        {"no load", [] {}},
        {"failed load",
         [] {
             HostNANDFailNext(HostNANDCall::SafeOpen, NAND_RESULT_FATAL_ERROR);
             EXPECT_EQ(g_LoadSave.LoadGame(), 0);
         }},
        {"loaded, then a load failed",
         [] {
             EXPECT_EQ(g_LoadSave.LoadGame(), 1);
             HostNANDShortNextRead(64);
             EXPECT_EQ(g_LoadSave.LoadGame(), 0);
         }},
        {"loaded", [] { EXPECT_EQ(g_LoadSave.LoadGame(), 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(nandRoot_);
        Restart();
        g_GameSettings.SetMusicVolume(2);
        g_LoadSave.StoreGameSettingsSaveData();
        StoreSlot(0, "ZERO", 10);
        StoreSlot(1, "ONE", 11);
        StoreSlot(3, "THREE", 13);
        ASSERT_EQ(g_LoadSave.SaveGame(), 1);

        Restart();
        c.before();
        StoreSlot(2, "TWO", 12);
        ASSERT_EQ(g_LoadSave.SaveGame(), 1);

        Restart();
        g_TestModules = {};
        ASSERT_EQ(g_LoadSave.LoadGame(), 1);
        g_LoadSave.RestoreGameSettingsSaveData();
        EXPECT_EQ(g_GameSettings.m_Current.musicVolume, 2);
        const char* names[] = {"ZERO", "ONE", "TWO", "THREE"};
        for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
            EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(slot), names[slot]);
            CCareerCharacter::GetInstance()->SetCurrSlot(slot);
            g_LoadSave.RestoreCharacterSaveData();
            EXPECT_EQ(g_TestModules.slot[slot][SAVE_SECTION_LEAGUE_NIGHT], 10 + slot);
        }
    }
}

TEST_F(LoadSaveTest, AFileThatCannotBeReadIsNeverOverwritten) {
    StoreSlot(0, "PRECIOUS", 1);
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    const std::vector<u8> before = StoredFile();
    for (HostNANDCall call : {HostNANDCall::Open, HostNANDCall::SafeOpen, HostNANDCall::Read}) {
        Restart();
        StoreSlot(1, "NEW", 2);
        if (call == HostNANDCall::Read)
            HostNANDShortNextRead(32);
        else
            HostNANDFailNext(call, NAND_RESULT_ACCESS);
        EXPECT_EQ(g_LoadSave.SaveGame(), 0);
        EXPECT_EQ(g_LoadSave.m_SaveLoadError, SAVELOAD_ERROR_SAVE_FAILED);
        EXPECT_EQ(StoredFile(), before);
    }
    // Once the file reads again, the same save keeps the first slot.
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    Restart();
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(0), "PRECIOUS");
    EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(1), "NEW");
}

TEST_F(LoadSaveTest, StorageStatusIsSampledForASecond) {
    MemCardWarmReset();
    const u32 start = FrameCount;
    EXPECT_EQ(g_LoadSave.MemoryCardPresent(), 0);
    EXPECT_EQ(FrameCount - start, SAVE_STATUS_FRAMES);
    MemCardActivate();
    HostCARDSetSlot(0, CARD_RESULT_READY, 4, 8192);
    EXPECT_EQ(g_LoadSave.MemoryCardPresent(), 1);
    EXPECT_EQ(g_LoadSave.MemoryCardChanged(), 0);
    MemCardDeactivate();
}

// After the storage reports a change, a save reads the file again: a slot that
// appeared in the file meanwhile is kept.
TEST_F(LoadSaveTest, AfterAStorageChangeASaveKeepsTheFilesSlots) {
    StoreSlot(0, "FIRST", 1);
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    std::vector<u8> other = StoredFile();
    std::copy_n(&other[SaveSlotOffset(0)], SAVE_SLOT_SIZE, &other[SaveSlotOffset(3)]);
    SaveImageWriteSlotName(other.data(), 3, "OTHER");
    SaveImageStamp(other.data(), {});
    WriteStoredFile(other);

    g_LoadSave.m_MemoryCopyValid = 1;
    MemCard[0].status.word |= Mem_Card_Changed;
    EXPECT_EQ(g_LoadSave.MemoryCardChanged(), 1);
    EXPECT_EQ(g_LoadSave.m_MemoryCopyValid, 0);
    StoreSlot(1, "SECOND", 2);
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    Restart();
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    const char* names[] = {"FIRST", "SECOND", "", "OTHER"};
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot)
        EXPECT_STREQ(g_LoadSave.GetCharacterSlotName(slot), names[slot]);
}

TEST_F(LoadSaveTest, ACareerSlotOfTheRealCharacterComesBack) {
    g_LoadSave.m_Hooks = &CAREER_SAVE_HOOKS;
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    career->SetCurrSlot(2);
    career->Init();
    career->SetName("REAL");
    career->ChangeMoney(150);
    s_Character_Attributes look = g_Players[0].m_PlayerConstruction.m_CharacterAttributes;
    look.gender = 1;
    look.glasses = 999;  // past every list: shows none
    career->SetCareerAttributes(look);
    g_LoadSave.StoreCharacterSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);
    const u32 saved = career->GetMoney();

    career->ChangeMoney(-100);
    ASSERT_EQ(g_LoadSave.LoadGame(), 1);
    EXPECT_EQ(career->GetMoney(), saved - 100);  // a load changes nothing yet
    g_LoadSave.RefreshCharacterSaveData();
    EXPECT_EQ(career->GetMoney(), saved);
    EXPECT_STREQ(career->GetName(), "REAL");
    // Player 1 wears the saved look, inside the lists.
    const s_Character_Attributes& worn = g_Players[0].m_PlayerConstruction.m_CharacterAttributes;
    EXPECT_EQ(worn.gender, 1);
    EXPECT_EQ(worn.glasses, -1);
}

}  // namespace
}  // namespace loadsave_test
