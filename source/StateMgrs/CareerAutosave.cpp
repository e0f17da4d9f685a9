#include "source/StateMgrs/CareerAutosave.h"

#include "source/Career/CareerCharacter.h"
#include "source/GameSettings.h"

bool CareerInSaveSlot() {
    const CCareerCharacter* career = CCareerCharacter::GetInstance();
    const s8 slot = career != nullptr ? career->GetCurrSlot() : CAREER_SLOT_INVALID;
    return slot >= 0 && slot < CAREER_SAVE_SLOTS;
}

bool CareerAutosaveWanted() {
    return g_GameSettings.m_Current.bAutoSave != 0 && CareerInSaveSlot();
}
