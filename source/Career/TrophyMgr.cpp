#include "source/Career/TrophyMgr.h"

#include <cstring>

#include "source/Career/CareerCharacter.h"

CTrophyMgr g_TrophyMgr;

namespace {

constexpr s32 MAJOR_TOURNAMENT_IDS[] = {35, 37};

// The current career slot's records, or null without a career slot.
s_TrophyInfo* SlotTrophies() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr || career->GetCurrSlot() == CAREER_SLOT_INVALID)
        return nullptr;
    return career->GetStats().TrophyProgress;
}

u32 CountTrophies(const s_TrophyInfo* trophies) {
    u32 count = 0;
    while (trophies != nullptr && count < CAREER_TROPHY_COUNT && trophies[count].place != 0)
        ++count;
    return count;
}

u32 TrophyTier(const s_TrophyEventResult& result) {
    for (s32 id : MAJOR_TOURNAMENT_IDS)
        if (result.tournamentID == id)
            return 2;
    return result.league == PRO_L1 ? 1 : 0;
}

}  // namespace

void CTrophyMgr::ClearTrophies(s_TrophyInfo* trophies) {
    if (trophies != nullptr)
        std::memset(trophies, 0, sizeof(s_TrophyInfo) * CAREER_TROPHY_COUNT);
    m_nCurrTrophyIndex = 0;
}

u32 CTrophyMgr::GetNumTrophies() {
    return CountTrophies(SlotTrophies());
}

s_TrophyInfo CTrophyMgr::GetCurrTrophy() {
    return Move(0);
}

s_TrophyInfo CTrophyMgr::GetNextTrophy() {
    return Move(1);
}

s_TrophyInfo CTrophyMgr::GetPreviousTrophy() {
    return Move(-1);
}

s_TrophyInfo CTrophyMgr::Move(s32 step) {
    const s_TrophyInfo* trophies = SlotTrophies();
    const s32 count = s32(CountTrophies(trophies));
    if (count == 0) {
        m_nCurrTrophyIndex = 0;
        return {};
    }
    // The records may have changed under the cursor (another slot, a cleared season).
    if (m_nCurrTrophyIndex < 0 || m_nCurrTrophyIndex >= count)
        m_nCurrTrophyIndex = 0;
    m_nCurrTrophyIndex = (m_nCurrTrophyIndex + step + count) % count;
    return trophies[m_nCurrTrophyIndex];
}

void CTrophyMgr::SetEventResult(const s_TrophyEventResult& result) {
    m_PendingResult = result;
    m_bResultPending = true;
}

void CTrophyMgr::UpdateTrophies() {
    if (!m_bResultPending)
        return;
    m_bResultPending = false;
    const s_TrophyEventResult& result = m_PendingResult;
    if (result.eventType != eEventType_Tournament || result.place < 1 || result.place > 3)
        return;
    s_TrophyInfo* trophies = SlotTrophies();
    const u32 count = CountTrophies(trophies);
    if (trophies == nullptr || count == CAREER_TROPHY_COUNT)
        return;
    trophies[count] = {result.season, result.league, result.place,
                       (result.place - 1) + 3 * TrophyTier(result), result.weekNum};
}
