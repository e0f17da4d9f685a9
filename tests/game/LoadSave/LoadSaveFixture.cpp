#include "tests/game/LoadSave/LoadSaveFixture.h"

#include <fstream>
#include <iterator>

#include "console/nand/nand_control.h"
#include "orblib47/source/NGC/NVRam.h"
#include "source/Career/CareerManagers.h"
#include "source/GameReset.h"
#include "tools/discbuild/BannerWriter.h"

namespace loadsave_test {

TestModules g_TestModules;

namespace {

u8& StateOf(s8 slot, u32 section) {
    return slot == CAREER_SLOT_INVALID ? g_TestModules.gameUnlocks : g_TestModules.slot[slot][section];
}

template <u32 Section>
void Save(s8 slot, SaveWriter& out) {
    const u8 value = StateOf(slot, Section);
    out.U8(kMarker);
    const u32 count = value == kOverflowValue ? SAVE_LEAGUE_NIGHT_SECTION_SIZE : kValueBytes;
    for (u32 i = 0; i < count; ++i)
        out.U8(value);
}

template <u32 Section>
bool Load(s8 slot, ChunkCursor& in) {
    u8 marker = 0, value = 0, again = 0;
    in.U8(&marker);
    in.U8(&value);
    for (u32 i = 1; i < kValueBytes; ++i) {
        in.U8(&again);
        if (again != value)
            return false;
    }
    if (!in.Ok() || marker != kMarker || value == kRefusedValue)
        return false;
    StateOf(slot, Section) = value;
    return true;
}

}  // namespace

const SaveHookTable kTestHooks = {
    {Save<SAVE_SECTION_CHARACTER>, Load<SAVE_SECTION_CHARACTER>},
    {Save<SAVE_SECTION_EVENTS>, Load<SAVE_SECTION_EVENTS>},
    {Save<SAVE_SECTION_UNLOCKS>, Load<SAVE_SECTION_UNLOCKS>},
    {Save<SAVE_SECTION_LEAGUE_NIGHT>, Load<SAVE_SECTION_LEAGUE_NIGHT>},
};

HostConfig LoadSaveFixture::Config() const {
    HostConfig config = disc_.Config();
    config.nandRoot = nandRoot_.string();
    return config;
}

void LoadSaveFixture::SetUp() {
    nandRoot_ = std::filesystem::path(disc_.root()) / "nand";
    disc_.Write("DATA/BANNER.BIN", discbuild::BannerWrite("Title", "Subtitle"));
    GameFixture::SetUp();
    g_TestModules = {};
    g_TestModules.gameUnlocks = 1;
    Restart();
}

void LoadSaveFixture::TearDown() {
    ResetStorageControls();
    CCareerCharacter::DestroyInstance();
    GameFixture::TearDown();
}

void LoadSaveFixture::StoreSlot(s8 slot, const char* name, u8 value) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    career->SetCurrSlot(slot);
    career->SetName(name);
    if (slot >= 0 && slot < CAREER_SAVE_SLOTS)
        g_TestModules.slot[slot].fill(value);
    g_LoadSave.StoreCharacterSaveData();
}

std::vector<u8> LoadSaveFixture::StoredFile() const {
    std::ifstream in(nandRoot_ / (std::string(NvHomeDir).substr(1) + "/" + SAVE_FILE_NAME), std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
}

void LoadSaveFixture::WriteStoredFile(const std::vector<u8>& bytes) const {
    const std::filesystem::path folder = nandRoot_ / (std::string(NvHomeDir).substr(1));
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / SAVE_FILE_NAME);
    std::ofstream out(folder / SAVE_FILE_NAME, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void LoadSaveFixture::ResetStorageControls() {
    HostNANDReset();
    NVRamColdReset();  // the reset left the root as the current directory
}

void LoadSaveFixture::Restart() {
    GameColdReset();
    // What the main flow makes once before its first load.
    CareerManagersCreate();
    if (CCareerCharacter::GetInstance() == nullptr)
        CCareerCharacter::CreateInstance();
    g_LoadSave.m_Hooks = &kTestHooks;
}

}  // namespace loadsave_test
