#include "source/Career/CareerCharacter.h"

#include <algorithm>
#include <cstring>

namespace {

CCareerCharacter* s_Instance = nullptr;

u32 SkillValue(u32 value) {
    return std::min(value, CAREER_SKILL_MAX);
}

}  // namespace

s_CareerSlot EmptyCareerSlot() {
    s_CareerSlot slot{};
    slot.m_Equipment = {-1, -1, -1, -1, -1, -1, -1};
    return slot;
}

CCareerCharacter::CCareerCharacter() {
    for (s_CareerSlot& slot : m_Slots)
        slot = EmptyCareerSlot();
    m_NoSlot = EmptyCareerSlot();
}

void CCareerCharacter::CreateInstance() {
    if (s_Instance == nullptr)
        s_Instance = new CCareerCharacter;
}

void CCareerCharacter::DestroyInstance() {
    delete s_Instance;
    s_Instance = nullptr;
}

CCareerCharacter* CCareerCharacter::GetInstance() {
    return s_Instance;
}

s_CareerSlot& CCareerCharacter::Current() {
    if (s_CareerSlot* slot = GetSlot(m_nCurrSlot))
        return *slot;
    m_NoSlot = EmptyCareerSlot();
    return m_NoSlot;
}

s_CareerSlot* CCareerCharacter::GetSlot(s8 slot) {
    if (slot < 0 || slot > CAREER_SCRATCH_SLOT)
        return nullptr;
    return &m_Slots[slot];
}

void CCareerCharacter::SetCurrSlot(s8 slot) {
    if (slot != CAREER_SLOT_INVALID && GetSlot(slot) == nullptr)
        return;
    if (m_nCurrSlot == CAREER_SCRATCH_SLOT && slot >= 0 && slot < CAREER_SAVE_SLOTS)
        m_Slots[slot] = m_Slots[CAREER_SCRATCH_SLOT];
    m_nCurrSlot = slot;
}

void CCareerCharacter::Init() {
    s_CareerSlot& slot = Current();
    s_CareerSlot fresh = EmptyCareerSlot();
    std::memcpy(fresh.m_Name, slot.m_Name, sizeof(fresh.m_Name));
    fresh.m_Attributes = slot.m_Attributes;
    s_Character_Stats& stats = fresh.m_Stats;
    stats.m_ArmStrength = stats.m_Accuracy = stats.m_HookControl = stats.m_Stamina = CAREER_START_SKILL;
    stats.m_Money =
        std::strcmp(fresh.m_Name, CAREER_CHEAT_NAME) == 0 ? CAREER_CHEAT_MONEY : CAREER_START_MONEY;
    slot = fresh;
    m_RepChange = 0;
    m_RepApplied = false;
}

void CCareerCharacter::SetName(const char* name) {
    char* out = Current().m_Name;
    std::memset(out, 0, CAREER_NAME_SIZE);
    if (name != nullptr)
        std::strncpy(out, name, CAREER_NAME_SIZE - 1);
}

const char* CCareerCharacter::GetName() {
    return Current().m_Name;
}

void CCareerCharacter::SetCareerAttributes(s_Character_Attributes attributes) {
    Current().m_Attributes = attributes;
}

s_Character_Attributes CCareerCharacter::GetCareerAttributes() {
    return Current().m_Attributes;
}

s_Character_Stats& CCareerCharacter::GetStats() {
    return Current().m_Stats;
}

s_Character_Equipment* CCareerCharacter::GetEquipment() {
    return &Current().m_Equipment;
}

void CCareerCharacter::SetArmStrength(u32 value) {
    GetStats().m_ArmStrength = SkillValue(value);
}
void CCareerCharacter::SetAccuracy(u32 value) {
    GetStats().m_Accuracy = SkillValue(value);
}
void CCareerCharacter::SetHookControl(u32 value) {
    GetStats().m_HookControl = SkillValue(value);
}
void CCareerCharacter::SetStamina(u32 value) {
    GetStats().m_Stamina = SkillValue(value);
}

u32 CCareerCharacter::GetMoney() {
    return GetStats().m_Money;
}
s32 CCareerCharacter::GetReputation() {
    return GetStats().m_Reputation;
}
u32 CCareerCharacter::GetTotalWins() {
    return GetStats().m_TotalWins;
}
u32 CCareerCharacter::GetTotalGames() {
    return GetStats().m_TotalGames;
}
u32 CCareerCharacter::GetChampionships() {
    return GetStats().m_Championships;
}
u32 CCareerCharacter::GetTotalTournamentWins() {
    return GetStats().m_TournamentWins;
}
u32 CCareerCharacter::GetRivalWins() {
    return GetStats().m_RivalWins;
}
u32 CCareerCharacter::GetRivalChallenges() {
    return GetStats().m_RivalChallenges;
}
u32 CCareerCharacter::Get6Packs() {
    return GetStats().m_6Packs;
}
u32 CCareerCharacter::GetTurkeys() {
    return GetStats().m_Turkeys;
}
u32 CCareerCharacter::GetStrikes() {
    return GetStats().m_Strikes;
}
u32 CCareerCharacter::GetSpares() {
    return GetStats().m_Spares;
}
u32 CCareerCharacter::GetTotalEarnings() {
    return GetStats().m_TotalEarnings;
}

void CCareerCharacter::AddChampionship() {
    ++GetStats().m_Championships;
}

s32 CCareerCharacter::ChangeMoney(s32 amount) {
    s_Character_Stats& stats = GetStats();
    s64 money = s64(stats.m_Money) + amount;
    if (money < 0 || !HasSlot())
        return 0;
    stats.m_Money = u32(std::min<s64>(money, UINT32_MAX));
    if (amount > 0)
        stats.m_TotalEarnings = u32(std::min<s64>(s64(stats.m_TotalEarnings) + amount, UINT32_MAX));
    return 1;
}
