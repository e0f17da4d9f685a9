// The save file "ZQL2007.BIN" as the game loads it. The first input byte chooses
// the file: 0, the rest of the input is the file as it lies in storage; otherwise
// a real save the game makes itself (career slot 1 in use), changed by the rest
// read as edits of three bytes (big-endian offset, then a value to XOR in), with
// its CRC made right again when bit 1 of the first byte is set. A load must fail
// or give an image that checks; then the settings and every slot in use are
// restored and saved again.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "console/nand/nand_control.h"
#include "fuzz/fuzz_world.h"
#include "orblib47/source/NGC/NVRam.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/GameReset.h"
#include "source/LoadSave/LoadSave.h"

namespace {

std::filesystem::path SavePath() {
    return std::filesystem::path(HostNANDRoot()) / (NvHomeDir + 1) / SAVE_FILE_NAME;
}

void WriteSave(const u8* bytes, std::size_t size) {
    std::filesystem::create_directories(SavePath().parent_path());
    std::filesystem::remove(SavePath());  // see fuzz::WriteDiscFile
    std::ofstream out(SavePath(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
    if (!out.flush())
        fuzz::Fail("the save file cannot be written");
}

void FreshGame() {
    GameColdReset();
    // What the main flow makes once before its first load.
    CareerManagersCreate();
    if (CCareerCharacter::GetInstance() == nullptr)
        CCareerCharacter::CreateInstance();
}

const std::vector<u8>& RealSave() {
    static const std::vector<u8> save = [] {
        FreshGame();
        CCareerCharacter* career = CCareerCharacter::GetInstance();
        career->SetCurrSlot(1);
        career->SetName("FUZZ");
        g_LoadSave.StoreCharacterSaveData();
        g_LoadSave.StoreGameSettingsSaveData();
        if (g_LoadSave.SaveGame() != 1)
            fuzz::Fail("the game cannot save");
        std::ifstream in(SavePath(), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }();
    return save;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size < 1)
        return 0;
    fuzz::Input input;
    std::vector<u8> file;
    if (data[0] == 0) {
        file.assign(data + 1, data + size);
    } else {
        file = RealSave();
        for (std::size_t i = 1; i + 3 <= size; i += 3) {
            const u32 offset = u32(data[i]) << 8 | data[i + 1];
            if (offset < file.size())
                file[offset] ^= data[i + 2];
        }
        if ((data[0] & 2) != 0 && file.size() >= SAVE_FILE_SIZE)
            SaveImageStamp(file.data(), {});
    }
    WriteSave(file.data(), file.size());

    FreshGame();
    if (g_LoadSave.LoadGame() == 1) {
        if (file.size() != SAVE_FILE_STORED_SIZE || SaveImageCheck(file.data()) != SAVELOAD_ERROR_NONE)
            fuzz::Fail("a file that does not check was loaded");
        g_LoadSave.RestoreGameSettingsSaveData();
        if (g_GameSettings.m_Current.musicVolume > SETTINGS_VOLUME_MAX ||
            g_GameSettings.m_Current.effectsVolume > SETTINGS_VOLUME_MAX)
            fuzz::Fail("a volume out of range was restored");
        for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
            if (std::strlen(g_LoadSave.GetCharacterSlotName(slot)) >= CAREER_NAME_SIZE)
                fuzz::Fail("a slot name is too long");
            CCareerCharacter::GetInstance()->SetCurrSlot(slot);
            g_LoadSave.RestoreCharacterSaveData();
            g_LoadSave.StoreCharacterSaveData();
        }
        if (g_LoadSave.SaveGame() != 1)
            fuzz::Fail("a loaded save cannot be saved again");
    }
    std::filesystem::remove(SavePath());
    return 0;
}
