// The save game: the one save file in flash storage, its in-memory image, and the
// copies between the image and the game's settings and career slots. Every
// operation that can fail returns nonzero on success and otherwise records the
// reason in m_SaveLoadError (the save/load flow shows it and clears it).
#pragma once

#include "source/LoadSave/LoadSaveImage.h"

constexpr char SAVE_BANNER_DISC_FILE[] = "/DATA/BANNER.BIN";
constexpr u32 SAVE_STATUS_FRAMES = 60;  // frames a storage status is sampled for

// The save/load error after a failed flash-storage call with that NVRamGetLastError:
// -5 (short read) and -15 DATA_CORRUPT, -4 WII_SYSTEM_MEMORY_CORRUPT, any other
// code `otherwise` (SAVE_FAILED or LOAD_FAILED).
eSAVELOAD_ERROR SaveLoadErrorFromNVRam(s32 code, eSAVELOAD_ERROR otherwise);

class CLoadSave {
public:
    // The storage status bit of card slot `card`, sampled once a frame for 60
    // frames; the last sample. A change marks the image as no copy of the file.
    s32 MemoryCardPresent(u32 card = 0);
    s32 MemoryCardChanged(u32 card = 0);
    // Whether the save file exists; when it does not and the slot's status says
    // its data are corrupt, records DATA_CORRUPT.
    s32 SaveGameExists(u32 card = 0);

    // Reads and checks the whole file (length, version, CRC, every section through
    // its module's load hook) without changing the game's state; on success the
    // image is the file's copy. Fails with DATA_CORRUPT, INVALID_VERSION,
    // WII_SYSTEM_MEMORY_CORRUPT or LOAD_FAILED; the image then is no longer taken
    // for a copy of the file.
    s32 LoadGame();
    // Writes the image, stamped with the date and its CRC; writes the banner
    // when there is none. When the image is no copy of the file, the file is
    // read again first and only what was stored since is taken from the image;
    // a file that exists but cannot be read is never overwritten (SAVE_FAILED).
    s32 SaveGame();
    // Room for the save file and the banner: else INSUFFICIENT_BLOCK_SPACE or
    // INSUFFICIENT_FILE_HANDLE_SPACE (a failed check itself: SAVE_FAILED, or
    // WII_SYSTEM_MEMORY_CORRUPT for -4).
    s32 CheckEnoughRoom();
    // The save's size in 128 KB blocks, for messages.
    u32 GetSavedGameSizeForDisplay() const;
    void SetSaveLoadError(eSAVELOAD_ERROR error) { m_SaveLoadError = error; }
    void ClearCardChangedFlag() {}

    // The settings (and the game-wide unlock progress) into the image.
    void StoreGameSettingsSaveData();
    // The current career slot (name and sections) into the image; nothing for
    // the scratch slot or no slot.
    void StoreCharacterSaveData();
    // From the image: the settings and volumes, then the game-wide unlock
    // progress. A section its module refuses leaves the game as it was and
    // records DATA_CORRUPT.
    void RestoreGameSettingsSaveData();
    // The current slot's sections, when the slot is in use in the image.
    void RestoreCharacterSaveData();
    // The current slot's saved look and statistics into the career character.
    void RefreshCharacterSaveData();
    // Saved slot 0..3's character as the image holds it, without touching the
    // career: false for a free slot or a section that does not check.
    bool PeekCharacterSaveData(s8 slot, s_CareerSlot* record) const;
    // Nonzero when saved slot 0..3 has no name in the image.
    s32 CharacterSlotFree(s8 slot) const;
    // Nonzero when a save of the current career would write over a saved bowler:
    // its slot is in use in the image, or the image is no copy of the file. Never
    // for the scratch slot or none, which are not saved.
    s32 CurrentSlotTaken() const;
    // The name of saved slot 0..3 in the image ("" when free or out of range).
    const char* GetCharacterSlotName(s8 slot);

    eSAVELOAD_ERROR m_SaveLoadError = SAVELOAD_ERROR_NONE;
    eSAVELOAD_ERROR m_LastLoadStatus = SAVELOAD_ERROR_NONE;
    s32 m_MemoryCopyValid = 0;  // cleared when the storage reports a change
    // The modules' save hooks; tests lay out sections of their own.
    const SaveHookTable* m_Hooks = &CAREER_SAVE_HOOKS;

private:
    enum class FileRead { Ok, Missing, Unreadable, BadContent };
    // The file into buffer, checked; *error says why it is not Ok.
    FileRead ReadSaveFile(u8* buffer, eSAVELOAD_ERROR* error, eSAVELOAD_ERROR otherwise);
    // Runs the load hooks of the selection over image; on failure (and always
    // when dryRun) the modules get their previous state back.
    bool ApplySections(const u8* image, const SaveSelection& selection, bool dryRun);
    // Before a save of an image that is no copy of the file: takes every region
    // not stored since from the file (or, with no usable file, starts them empty).
    bool MergeWithFile();
    // Runs the selection's save hooks over the region [offset, offset + size) and
    // marks it stored; false, the region unchanged, when a section did not fit.
    bool StoreRegion(u32 offset, u32 size, u32 region, const SaveSelection& selection);
    void WriteBannerIfMissing();

    bool m_ImageValid = false;   // the image is a copy of the file, or there is no file
    u32 m_StoredRegions = 0;     // bit 0 the settings area, bit 1 + n slot n, stored since
    bool m_StoreFailed = false;  // a section did not fit: the next save fails
    u8 m_Image[SAVE_FILE_SIZE] = {};
    u8 m_FileCopy[SAVE_FILE_SIZE] = {};
    u8 m_Snapshot[SAVE_FILE_SIZE] = {};
    char m_SlotName[CAREER_NAME_SIZE] = {};
};

extern CLoadSave g_LoadSave;
