#include "source/LoadSave/LoadSave.h"

#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/NGC/NVRam.h"

CLoadSave g_LoadSave;

namespace {

constexpr u32 kStorageBlock = 131072;  // the 128 KB blocks the space check counts
constexpr u32 kSaveFiles = 2;          // the save file and the banner

bool RefusesSpace(u32 bits) {
    return (bits & (NAND_CHECK_HOME_NO_SPACE | NAND_CHECK_SYS_NO_SPACE)) != 0;
}

bool RefusesFiles(u32 bits) {
    return (bits & (NAND_CHECK_HOME_NO_INODES | NAND_CHECK_SYS_NO_INODES)) != 0;
}

}  // namespace

eSAVELOAD_ERROR SaveLoadErrorFromNVRam(s32 code, eSAVELOAD_ERROR otherwise) {
    switch (code) {
        case NVRAM_ERROR_SHORT_TRANSFER:
        case NAND_RESULT_AUTHENTICATION:
            return SAVELOAD_ERROR_DATA_CORRUPT;
        case NAND_RESULT_CORRUPT:
            return SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT;
        default:
            return otherwise;
    }
}

s32 CLoadSave::SaveGameExists(u32 card) {
    if (NVRamFileExist(SAVE_FILE_NAME, nullptr) != 0)
        return 1;
    if ((MemCardGetStatus(card).word & Mem_Card_Data_Corrupt) != 0)
        m_SaveLoadError = SAVELOAD_ERROR_DATA_CORRUPT;
    return 0;
}

CLoadSave::FileRead CLoadSave::ReadSaveFile(u8* buffer, eSAVELOAD_ERROR* error, eSAVELOAD_ERROR otherwise) {
    u32 length = 0;
    if (NVRamFileExist(SAVE_FILE_NAME, &length) == 0) {
        const s32 code = NVRamGetLastError();
        *error = SaveLoadErrorFromNVRam(code, otherwise);
        return code == NAND_RESULT_NOEXISTS ? FileRead::Missing : FileRead::Unreadable;
    }
    // An empty or short file is what a first save cut short leaves.
    if (length != SAVE_FILE_STORED_SIZE) {
        DEBUG_PRINT("LoadSave: %s has %u bytes\n", SAVE_FILE_NAME, length);
        *error = SAVELOAD_ERROR_DATA_CORRUPT;
        return FileRead::BadContent;
    }
    // A load that reports success with an error set is a failed load.
    if (NVRamLoadFile(SAVE_FILE_NAME, buffer, SAVE_FILE_SIZE) == 0 || NVRamGetLastError() != 0) {
        *error = SaveLoadErrorFromNVRam(NVRamGetLastError(), otherwise);
        return FileRead::Unreadable;
    }
    *error = SaveImageCheck(buffer);
    if (*error != SAVELOAD_ERROR_NONE) {
        DEBUG_PRINT("LoadSave: %s refused (%u)\n", SAVE_FILE_NAME, u32(*error));
        return FileRead::BadContent;
    }
    return FileRead::Ok;
}

bool CLoadSave::ApplySections(const u8* image, const SaveSelection& selection, bool dryRun) {
    SaveImageWriteSections(m_Snapshot, *m_Hooks, selection);
    const bool ok = SaveImageReadSections(image, *m_Hooks, selection);
    if (!ok || dryRun)
        SaveImageReadSections(m_Snapshot, *m_Hooks, selection);
    return ok;
}

s32 CLoadSave::LoadGame() {
    m_ImageValid = false;
    eSAVELOAD_ERROR error = SAVELOAD_ERROR_NONE;
    if (ReadSaveFile(m_FileCopy, &error, SAVELOAD_ERROR_LOAD_FAILED) == FileRead::Ok) {
        SaveSelection selection{0, SAVE_ALL_SECTIONS, true};
        for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
            char name[CAREER_NAME_SIZE];
            if (SaveImageReadSlotName(m_FileCopy, slot, name) && name[0] != 0)
                selection.slots |= 1u << slot;
        }
        if (!ApplySections(m_FileCopy, selection, true)) {
            DEBUG_PRINT("LoadSave: a section of %s refused\n", SAVE_FILE_NAME);
            error = SAVELOAD_ERROR_DATA_CORRUPT;
        }
    }
    m_LastLoadStatus = error;
    if (error != SAVELOAD_ERROR_NONE) {
        m_SaveLoadError = error;
        return 0;
    }
    std::memcpy(m_Image, m_FileCopy, SAVE_FILE_SIZE);
    m_ImageValid = true;
    m_StoredRegions = 0;
    return 1;
}

bool CLoadSave::MergeWithFile() {
    eSAVELOAD_ERROR error = SAVELOAD_ERROR_NONE;
    switch (ReadSaveFile(m_FileCopy, &error, SAVELOAD_ERROR_SAVE_FAILED)) {
        case FileRead::Unreadable:
            // It may hold good slots: refuse rather than write over them.
            m_SaveLoadError =
                error == SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT ? error : SAVELOAD_ERROR_SAVE_FAILED;
            return false;
        case FileRead::Ok:
            break;
        case FileRead::Missing:
        case FileRead::BadContent:
            // Nothing to keep: the regions not stored start empty.
            std::memset(m_FileCopy, 0, SAVE_FILE_SIZE);
            if ((m_StoredRegions & SAVE_REGION_SETTINGS) == 0)
                StoreGameSettingsSaveData();
            if ((m_StoredRegions & SAVE_REGION_SETTINGS) == 0) {
                m_StoreFailed = false;
                m_SaveLoadError = SAVELOAD_ERROR_SAVE_FAILED;
                return false;
            }
            break;
    }
    if ((m_StoredRegions & SAVE_REGION_SETTINGS) == 0)
        std::memcpy(m_Image + SAVE_SETTINGS_OFFSET, m_FileCopy + SAVE_SETTINGS_OFFSET,
                    SAVE_SLOTS_OFFSET - SAVE_SETTINGS_OFFSET);
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
        if ((m_StoredRegions & SaveRegionOfSlot(slot)) == 0)
            std::memcpy(m_Image + SaveSlotOffset(slot), m_FileCopy + SaveSlotOffset(slot), SAVE_SLOT_SIZE);
    }
    m_ImageValid = true;
    return true;
}

s32 CLoadSave::SaveGame() {
    if (!m_ImageValid && !MergeWithFile())
        return 0;
    if (m_StoreFailed) {
        m_StoreFailed = false;
        m_SaveLoadError = SAVELOAD_ERROR_SAVE_FAILED;
        return 0;
    }
    s_orb_date_time now{};
    ClockGetDateTime(&now);
    SaveImageStamp(m_Image, now);
    // A short write may still close cleanly: the error code tells.
    const s32 saved = NVRamSaveFile(SAVE_FILE_NAME, m_Image, SAVE_FILE_SIZE);
    const s32 code = NVRamGetLastError();
    if (saved == 0 || code != 0) {
        m_SaveLoadError = SaveLoadErrorFromNVRam(code, SAVELOAD_ERROR_SAVE_FAILED);
        return 0;
    }
    m_StoredRegions = 0;
    WriteBannerIfMissing();
    return 1;
}

u32 CLoadSave::GetSavedGameSizeForDisplay() const {
    return (NVRamGetBannerSize(1) + SAVE_FILE_SIZE + kStorageBlock) / kStorageBlock;
}

s32 CLoadSave::CheckEnoughRoom() {
    if (NVRamCheckSpace(GetSavedGameSizeForDisplay(), kSaveFiles) != 0)
        return 1;
    const u32 bits = NVRamGetCheckSpaceFailureCode();
    if (NVRamGetLastError() != NVRAM_ERROR_NO_ROOM)
        m_SaveLoadError = NVRamGetLastError() == NAND_RESULT_CORRUPT
                              ? SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT
                              : SAVELOAD_ERROR_SAVE_FAILED;
    else if (RefusesSpace(bits))
        m_SaveLoadError = SAVELOAD_ERROR_INSUFFICIENT_BLOCK_SPACE;
    else if (RefusesFiles(bits))
        m_SaveLoadError = SAVELOAD_ERROR_INSUFFICIENT_FILE_HANDLE_SPACE;
    else
        m_SaveLoadError = SAVELOAD_ERROR_SAVE_FAILED;
    return 0;
}
