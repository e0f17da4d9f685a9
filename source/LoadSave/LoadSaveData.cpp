// Copies between the save image and the game: the settings and the career slots.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "source/Career/CareerCharacter.h"
#include "source/LoadSave/LoadSave.h"
#include "source/Players/Player.h"

namespace {

bool SavedSlot(s8 slot) {
    return slot >= 0 && slot < CAREER_SAVE_SLOTS;
}

// The career character's current slot when it is a saved one, else -1.
s8 CurrentSavedSlot() {
    const CCareerCharacter* career = CCareerCharacter::GetInstance();
    return career != nullptr && SavedSlot(career->GetCurrSlot()) ? career->GetCurrSlot()
                                                                 : CAREER_SLOT_INVALID;
}

}  // namespace

bool CLoadSave::StoreRegion(u32 offset, u32 size, u32 region, const SaveSelection& selection) {
    // What does not fit leaves the region as it was, and fails the next save.
    std::memcpy(m_Snapshot + offset, m_Image + offset, size);
    if (!SaveImageWriteSections(m_Image, *m_Hooks, selection)) {
        DEBUG_PRINT("LoadSave: a section does not fit the save file\n");
        std::memcpy(m_Image + offset, m_Snapshot + offset, size);
        m_StoreFailed = true;
        return false;
    }
    m_StoredRegions |= region;
    return true;
}

void CLoadSave::StoreGameSettingsSaveData() {
    if (StoreRegion(SAVE_SETTINGS_OFFSET, SAVE_SLOTS_OFFSET - SAVE_SETTINGS_OFFSET, SAVE_REGION_SETTINGS,
                    {0, 0, true}))
        SaveImageWriteSettings(m_Image, g_GameSettings.m_Current);
}

void CLoadSave::StoreCharacterSaveData() {
    const s8 slot = CurrentSavedSlot();
    if (slot != CAREER_SLOT_INVALID &&
        StoreRegion(SaveSlotOffset(slot), SAVE_SLOT_SIZE, SaveRegionOfSlot(slot),
                    {1u << slot, SAVE_ALL_SECTIONS, false}))
        SaveImageWriteSlotName(m_Image, slot, CCareerCharacter::GetInstance()->GetName());
}

void CLoadSave::RestoreGameSettingsSaveData() {
    s_GameSettingsRecord settings = g_GameSettings.m_Current;
    if (!SaveImageReadSettings(m_Image, &settings) || !ApplySections(m_Image, {0, 0, true}, false)) {
        m_SaveLoadError = SAVELOAD_ERROR_DATA_CORRUPT;
        return;
    }
    g_GameSettings.m_Current = settings;
    g_GameSettings.SetMusicVolume(settings.musicVolume);
    g_GameSettings.SetEffectsVolume(settings.effectsVolume);
}

void CLoadSave::RestoreCharacterSaveData() {
    const s8 slot = CurrentSavedSlot();
    if (slot == CAREER_SLOT_INVALID || CharacterSlotFree(slot) != 0)
        return;
    if (!ApplySections(m_Image, {1u << slot, SAVE_ALL_SECTIONS, false}, false))
        m_SaveLoadError = SAVELOAD_ERROR_DATA_CORRUPT;
}

void CLoadSave::RefreshCharacterSaveData() {
    const s8 slot = CurrentSavedSlot();
    if (slot == CAREER_SLOT_INVALID || CharacterSlotFree(slot) != 0)
        return;
    if (!ApplySections(m_Image, {1u << slot, 1u << SAVE_SECTION_CHARACTER, false}, false)) {
        m_SaveLoadError = SAVELOAD_ERROR_DATA_CORRUPT;
        return;
    }
    // Player 1 wears the saved look, brought inside its gender's lists.
    CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
    model.m_CharacterAttributes = CCareerCharacter::GetInstance()->GetCareerAttributes();
    model.SetCharGender(model.m_CharacterAttributes.gender, 0);
}

bool CLoadSave::PeekCharacterSaveData(s8 slot, s_CareerSlot* record) const {
    return SavedSlot(slot) && CharacterSlotFree(slot) == 0 && SaveImageReadCharacter(m_Image, slot, record);
}

s32 CLoadSave::CharacterSlotFree(s8 slot) const {
    return SavedSlot(slot) && m_Image[SaveSlotOffset(slot)] == 0 ? 1 : 0;
}

s32 CLoadSave::CurrentSlotTaken() const {
    const s8 slot = CurrentSavedSlot();
    return slot != CAREER_SLOT_INVALID && (!m_ImageValid || CharacterSlotFree(slot) == 0) ? 1 : 0;
}

const char* CLoadSave::GetCharacterSlotName(s8 slot) {
    if (!SavedSlot(slot) || !SaveImageReadSlotName(m_Image, slot, m_SlotName))
        m_SlotName[0] = 0;
    return m_SlotName;
}
