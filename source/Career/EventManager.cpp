#include "source/Career/EventManager.h"

#include <cstring>

#include "orblib47/source/OrbRandom.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/LeagueManager.h"

EventManager* pEventManager = nullptr;

namespace {

constexpr u32 RIVAL_CHALLENGE_PERCENT = 20;

const s_TournamentDef* FindTournament(s32 id) {
    for (u32 i = 0; TournamentList != nullptr && i < TournamentCount; ++i)
        if (TournamentList[i].ID == id)
            return &TournamentList[i];
    return nullptr;
}

bool IsLeagueNight(const s_TournamentDef& t) {
    return t.sTournName != nullptr && std::strcmp(t.sTournName, LEAGUE_NIGHT_NAME) == 0;
}

const s_TournamentDef* LeagueNightDef() {
    for (u32 i = 0; TournamentList != nullptr && i < TournamentCount; ++i)
        if (IsLeagueNight(TournamentList[i]))
            return &TournamentList[i];
    return nullptr;
}

// The league's block of LeagueSeasonList: [start, start + count).
void SeasonBlock(eLeagues league, u32* start, u32* count) {
    const u32 counts[] = {BeginnerLeagueSeasonCount, IntermediateLeagueSeasonCount, AdvancedLeagueSeasonCount,
                          ExpertLeagueSeasonCount, ProLeagueSeasonCount};
    *start = 0;
    for (u32 l = AMATEUR_L1; l < league; ++l)
        *start += counts[l - 1];
    *count = counts[league - 1];
}

Event EmptyEvent() {
    return Event{{0, "", 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0};
}

CLeague* League() {
    return pLeagueManager ? pLeagueManager->GetLeague() : nullptr;
}

eLeagues LeagueType() {
    return pLeagueManager ? pLeagueManager->GetLeagueType() : NOLEAGUE;
}

}  // namespace

EventManager::EventManager() {
    BuildCalendar(LeagueType());
}

void EventManager::BuildCalendar(eLeagues league) {
    m_CalendarLeague = league;
    m_EventCount = 0;
    if (league == NOLEAGUE || LeagueSeasonList == nullptr)
        return;
    u32 start = 0;
    u32 count = 0;
    SeasonBlock(league, &start, &count);
    const s_TournamentDef* night = LeagueNightDef();
    auto record = [&](u32 index) -> const s_TournamentDef* {
        const s_TournamentDef* t =
            index < count ? FindTournament(LeagueSeasonList[start + index].TournID) : nullptr;
        return t ? t : night;
    };
    auto add = [&](const s_TournamentDef* t, u32 week) {
        Event& e = m_Events[m_EventCount++];
        e = EmptyEvent();
        if (t)
            e.m_Tourn = *t;
        e.m_WeekNumber = week;
        e.m_IsLeaguePlay = t == nullptr || IsLeagueNight(*t);
    };
    if (league == PRO_L1) {
        // One record per event, spread over the year's weeks.
        for (u32 n = 0; n < PRO_SEASON_EVENTS; ++n)
            add(record(n), 1 + n * PRO_SEASON_WEEKS / PRO_SEASON_EVENTS);
        return;
    }
    // Each week: two league nights, then the week's own record.
    const u32 season = m_Season < eSeason_Pro ? m_Season : eSeason_Winter;
    for (u32 week = 1; week <= AMATEUR_SEASON_WEEKS; ++week) {
        const s_TournamentDef* own = record(week - 1 + AMATEUR_SEASON_WEEKS * season);
        const s_TournamentDef* leagueNight = night ? night : own;
        add(leagueNight, week);
        add(leagueNight, week);
        add(own, week);
    }
}

Event* EventManager::GetEvent() {
    return GetEvent(s8(m_CurrentEvent));
}

Event* EventManager::GetEvent(s8 n) {
    static Event none;
    if (LeagueType() != m_CalendarLeague)
        BuildCalendar(LeagueType());
    if (n < 0 || u32(n) >= m_EventCount) {
        none = EmptyEvent();
        return &none;
    }
    return &m_Events[n];
}

u32 EventManager::GetNumberOfEvents() {
    GetEvent();
    return m_EventCount;
}

u32 EventManager::GetCurrentWeekNum() {
    const u32 count = GetNumberOfEvents();
    if (count == 0)
        return 1;
    return GetEvent(s8(u32(m_CurrentEvent) < count ? m_CurrentEvent : count - 1))->m_WeekNumber;
}

s32 EventManager::SeasonOver() {
    const u32 count = GetNumberOfEvents();
    return count > 0 && u32(m_CurrentEvent) >= count;
}

eEventType EventManager::EventType() {
    return GetEvent()->m_IsLeaguePlay ? eEventType_LeagueNight : eEventType_Tournament;
}

void EventManager::InitSeason(eLeagues league, eSeason season) {
    if (pLeagueManager && !pLeagueManager->JoinLeague(league))
        pLeagueManager->QuitLeague();
    m_Season = league == PRO_L1 ? eSeason_Pro : (season < eSeason_Pro ? season : eSeason_Winter);
    m_CurrentEvent = 0;
    m_PreviousEvent = 0;
    m_PreviousEventType = eEventType_LeagueNight;
    m_bPlayerWonLastGame = 0;
    m_TournLossMessage = 0;
    BuildCalendar(LeagueType());
    StartEvent();
}

void EventManager::InitNextSeason(eLeagues league) {
    const eLeagues old = LeagueType();
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career && league != old)
        career->ChangeReputation(league > old ? 2 : -1);
    eSeason next = eSeason_Winter;
    if (league == PRO_L1)
        next = eSeason_Pro;
    else if (m_Season < eSeason_Autumn)
        next = eSeason(m_Season + 1);
    InitSeason(league, next);
}

void EventManager::StartEvent() {
    m_CurrentRound = 0;
    m_OpponentID = 0;
    m_RivalChecked = 0;
    m_PlayerForfeits = 0;
    m_EntryPaid = 0;
    std::memset(m_NightPins, 0, sizeof(m_NightPins));
    m_Ladder.Clear();
    for (s16& id : m_Losers)
        id = 0;
    m_LossRound = 0;
    m_PlayerPlace = 0;
    m_CurrentEventType = SeasonOver() ? eEventType_LeagueNight : EventType();
    m_ShowInvitation = m_CurrentEventType == eEventType_Tournament;
    CLeague* league = League();
    if (m_CurrentEventType != eEventType_Tournament || league == nullptr)
        return;
    // The player and the league's bowlers in a random order behind him.
    s16 entrants[TOURNAMENT_PLACES];
    u32 n = 0;
    for (u32 i = 0; i < league->GetNumberOfBowlers() && n < TOURNAMENT_PLACES; ++i)
        entrants[n++] = league->GetBowlerByIndex(i)->UniqueID;
    for (u32 i = n; i > 2; --i) {
        u32 j = 1 + u32(OrbRand()) % (i - 1);
        std::swap(entrants[i - 1], entrants[j]);
    }
    m_Ladder.Seed(entrants, n);
}

void EventManager::SetPractice(s32 practice) {
    if (practice)
        m_CurrentEventType = eEventType_Practice;
    else if (m_CurrentEventType == eEventType_Practice)
        m_CurrentEventType = EventType();
}

s32 EventManager::IsRivalChallenge() {
    CLeague* league = League();
    if (m_RivalChecked || m_CurrentEventType != eEventType_LeagueNight || m_CurrentRound != 0 ||
        SeasonOver() || league == nullptr)
        return 0;
    m_RivalChecked = 1;
    s16 rivals[LEAGUE_MAX_BOWLERS];
    u32 n = 0;
    for (u32 i = 0; RivalList != nullptr && i < RivalCount && n < LEAGUE_MAX_BOWLERS; ++i)
        if (RivalList[i].m_ID > 0 && RivalList[i].m_ID <= 0x7FFF &&
            league->GetBowlerByID(s16(RivalList[i].m_ID)))
            rivals[n++] = s16(RivalList[i].m_ID);
    if (n == 0 || u32(OrbRand()) % 100 >= RIVAL_CHALLENGE_PERCENT)
        return 0;
    m_OpponentID = rivals[u32(OrbRand()) % n];
    m_CurrentEventType = eEventType_RivalGame;
    return 1;
}

s32 EventManager::EarnedInvitation() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    CLeague* league = League();
    if (SeasonOver() || GetEvent()->m_IsLeaguePlay || career == nullptr || league == nullptr)
        return 0;
    const s_TournamentDef& t = GetEvent()->m_Tourn;
    const s_PlaceBowler* player = league->GetBowlerByID(PLAYER_BOWLER_ID);
    const u32 average = player ? player->TotalAverageScore : 0;
    return career->GetModReputation() >= t.MinReputation && average >= t.MinAverage;
}

s16 EventManager::GetOpponentID() {
    if (m_CurrentEventType == eEventType_Tournament)
        return m_Ladder.Opponent(m_CurrentRound, PLAYER_BOWLER_ID);
    return m_OpponentID;
}

void EventManager::SetOpponent(s16 id) {
    m_OpponentID = id;
}

void EventManager::ResetOpponents() {
    m_OpponentID = 0;
}

s32 EventManager::IsBowlerWithPlayer(s16 id) {
    return id != 0 && id == GetOpponentID();
}

u32 EventManager::GetNumberOfBowlers() {
    CLeague* league = League();
    return league ? league->GetNumberOfBowlers() : 0;
}

void EventManager::Update() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr)
        return;
    if (s_CareerSlot* slot = career->GetSlot(career->GetCurrSlot()))
        slot->m_CurrentEvent = m_CurrentEvent;
}
