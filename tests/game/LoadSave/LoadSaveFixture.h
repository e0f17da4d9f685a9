// The save game on a flash storage folder of the test's own and a disc holding the
// banner. The career sections are the test's own: each slot section holds a
// marker and one value per slot (TestSectionValue), a value of kRefusedValue makes
// its load fail, and a section of kOverflowValue does not fit.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "source/Career/CareerCharacter.h"
#include "source/LoadSave/LoadSave.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempDisc.h"

namespace loadsave_test {

constexpr u8 kMarker = 0xA5;
constexpr u8 kRefusedValue = 0xEE;
constexpr u8 kOverflowValue = 0xEF;
constexpr u32 kValueBytes = 100;  // the value is written this many times

// The test modules' state: [slot][section], and the game-wide unlock section.
struct TestModules {
    std::array<std::array<u8, SAVE_SECTION_COUNT>, CAREER_SAVE_SLOTS> slot{};
    u8 gameUnlocks = 0;
    bool operator==(const TestModules&) const = default;
};
extern TestModules g_TestModules;
extern const SaveHookTable kTestHooks;

class LoadSaveFixture : public GameFixture {
protected:
    HostConfig Config() const override;
    void SetUp() override;
    void TearDown() override;

    // A career slot stored under a name, every section holding value.
    void StoreSlot(s8 slot, const char* name, u8 value);
    // The save file as it lies in storage; empty when missing.
    std::vector<u8> StoredFile() const;
    void WriteStoredFile(const std::vector<u8>& bytes) const;
    // The storage's test controls back to their defaults.
    static void ResetStorageControls();
    // The game as a new run finds it: the save game's image and flags forgotten.
    static void Restart();

    std::filesystem::path nandRoot_;
    TempDisc disc_;
};

}  // namespace loadsave_test
