#include "source/Career/LeagueManager.h"

#include <algorithm>

#include "source/Career/CareerCharacter.h"

CLeagueManager* pLeagueManager = nullptr;

const s_AmateurLeagueDef* LeagueDbEntry(eLeagues league) {
    if (league == NOLEAGUE || AmateurLeagueList == nullptr || league > AmateurLeagueCount)
        return nullptr;
    return &AmateurLeagueList[league - 1];
}

void CLeague::Init(eLeagues league) {
    const s_AmateurLeagueDef* entry = LeagueDbEntry(league);
    m_LeagueType = entry ? league : NOLEAGUE;
    m_LeagueDbEntry = entry ? *entry : s_AmateurLeagueDef{"", 0, 0, 0, 0, 0};
    for (s_PlaceBowler& b : m_Bowlers)
        b = s_PlaceBowler{};
    m_Bowlers[0].UniqueID = PLAYER_BOWLER_ID;
    m_NumberOfBowlers = 1;
    for (u32 i = 0; entry && i < uDBBowlerCount && m_NumberOfBowlers < LEAGUE_MAX_BOWLERS; ++i) {
        const s_DBBowler& db = bowlersList[i];
        if (db.m_uLeague == league && db.m_ID > 0 && db.m_ID <= 0x7FFF)
            m_Bowlers[m_NumberOfBowlers++].UniqueID = s16(db.m_ID);
    }
    Rank();
    ResetLastTournamentPlace();
}

s_PlaceBowler* CLeague::GetBowlerByPlace(u32 place) {
    for (u32 i = 0; i < m_NumberOfBowlers; ++i)
        if (m_Bowlers[i].Place == place)
            return &m_Bowlers[i];
    return nullptr;
}

s_PlaceBowler* CLeague::GetBowlerByID(s16 id) {
    for (u32 i = 0; i < m_NumberOfBowlers; ++i)
        if (m_Bowlers[i].UniqueID == id)
            return &m_Bowlers[i];
    return nullptr;
}

s_PlaceBowler* CLeague::GetBowlerByIndex(u32 index) {
    return index < m_NumberOfBowlers ? &m_Bowlers[index] : nullptr;
}

void CLeague::AddGame(s16 id, u32 score, bool won) {
    s_PlaceBowler* b = GetBowlerByID(id);
    if (b == nullptr)
        return;
    b->TotalGames++;
    b->TotalPins += score;
    b->GameWins += won;
    b->HighScore = std::max(b->HighScore, score);
    b->TotalAverageScore = b->TotalPins / b->TotalGames;
}

void CLeague::AddEarnings(s16 id, u32 amount) {
    if (s_PlaceBowler* b = GetBowlerByID(id))
        b->Earnings += amount;
}

void CLeague::AddTournamentWin(s16 id) {
    if (s_PlaceBowler* b = GetBowlerByID(id))
        b->TournWins++;
}

void CLeague::Rank() {
    u32 order[LEAGUE_MAX_BOWLERS];
    for (u32 i = 0; i < m_NumberOfBowlers; ++i)
        order[i] = i;
    std::stable_sort(order, order + m_NumberOfBowlers, [this](u32 a, u32 b) {
        const s_PlaceBowler& x = m_Bowlers[a];
        const s_PlaceBowler& y = m_Bowlers[b];
        if (x.TotalAverageScore != y.TotalAverageScore)
            return x.TotalAverageScore > y.TotalAverageScore;
        return x.GameWins > y.GameWins;
    });
    for (u32 p = 0; p < m_NumberOfBowlers; ++p)
        m_Bowlers[order[p]].Place = p + 1;
}

namespace {

s32 CareerReputation() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    return career ? career->GetModReputation() : 0;
}

}  // namespace

u32 CLeagueManager::LeagueChangeRequired() {
    eLeagues league = GetLeagueType();
    const s_PlaceBowler* player = m_League.GetBowlerByID(PLAYER_BOWLER_ID);
    if (league == NOLEAGUE || player == nullptr)
        return LEAGUE_CHANGE_NONE;
    const s_AmateurLeagueDef* next = league < PRO_L1 ? LeagueDbEntry(eLeagues(league + 1)) : nullptr;
    if (next && player->Place <= 2 && player->TotalAverageScore >= next->minAverage &&
        CareerReputation() >= next->minRep)
        return LEAGUE_CHANGE_PROMOTION;
    bool last = player->Place == m_League.GetNumberOfBowlers() && m_League.GetNumberOfBowlers() > 1;
    if (league > AMATEUR_L2 && (last || player->TotalAverageScore < m_League.m_LeagueDbEntry.minAverage))
        return LEAGUE_CHANGE_RELEGATION;
    return LEAGUE_CHANGE_NONE;
}

s32 CLeagueManager::CanJoinLeague(eLeagues league) {
    const s_AmateurLeagueDef* entry = LeagueDbEntry(league);
    if (entry == nullptr || league >= PRO_L1)
        return 0;
    return CareerReputation() >= entry->minRep;
}

s32 CLeagueManager::JoinLeague(eLeagues league) {
    if (LeagueDbEntry(league) == nullptr)
        return 0;
    m_League.Init(league);
    return 1;
}

void CLeagueManager::QuitLeague() {
    m_League.Init(NOLEAGUE);
}
