// The save file's record of the current career's league and season: the league's
// standings, the event under way, its round and opponent, a tournament's ladder and
// whether its entry fee is paid (from version 2; a version 1 record has it unpaid).
#include <algorithm>
#include <iterator>

#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/SaveData.h"

namespace {

constexpr u8 EVENT_RECORD_VERSION = 2;
constexpr u32 MAX_SCORE = 300;

void WriteStanding(SaveWriter& out, const s_PlaceBowler& b, u32 nightPins) {
    out.S16(b.UniqueID);
    out.U32(b.TotalAverageScore);
    out.U32(b.HighScore);
    out.U32(b.GameWins);
    out.U32(b.TotalGames);
    out.U32(b.TotalPins);
    out.U32(b.Place);
    out.U32(b.TournWins);
    out.U32(b.Earnings);
    out.U32(nightPins);
}

bool ReadStanding(ChunkCursor& in, s_PlaceBowler* b, u32* nightPins) {
    in.S16(&b->UniqueID);
    in.U32(&b->TotalAverageScore);
    in.U32(&b->HighScore);
    in.U32(&b->GameWins);
    in.U32(&b->TotalGames);
    in.U32(&b->TotalPins);
    in.U32(&b->Place);
    in.U32(&b->TournWins);
    in.U32(&b->Earnings);
    in.U32(nightPins);
    if (!in.Ok() || b->UniqueID == 0 || b->UniqueID < PLAYER_BOWLER_ID)
        return false;
    if (b->GameWins > b->TotalGames || b->HighScore > MAX_SCORE || b->TotalPins > b->TotalGames * MAX_SCORE)
        return false;
    return b->TotalAverageScore == (b->TotalGames ? b->TotalPins / b->TotalGames : 0);
}

// Every bowler once, the player among them, places 1..n each once.
bool ValidStandings(const CLeague& league) {
    const u32 n = league.m_NumberOfBowlers;
    u32 players = 0;
    bool placeSeen[LEAGUE_MAX_BOWLERS + 1] = {};
    for (u32 i = 0; i < n; ++i) {
        const s_PlaceBowler& b = league.m_Bowlers[i];
        players += b.UniqueID == PLAYER_BOWLER_ID;
        if (b.Place < 1 || b.Place > n || placeSeen[b.Place])
            return false;
        placeSeen[b.Place] = true;
        for (u32 j = 0; j < i; ++j)
            if (league.m_Bowlers[j].UniqueID == b.UniqueID)
                return false;
    }
    return players == 1;
}

bool InLeagueOrNone(CLeague& league, s16 id) {
    return id == 0 || league.GetBowlerByID(id) != nullptr;
}

}  // namespace

void EventRecordSave(SaveWriter& out) {
    static CLeagueManager noLeague;
    static EventManager noEvents;
    CLeague& league = pLeagueManager ? *pLeagueManager->GetLeague() : *noLeague.GetLeague();
    EventManager& em = pEventManager ? *pEventManager : noEvents;
    out.U8(EVENT_RECORD_VERSION);
    out.U8(u8(league.GetLeagueType()));
    out.U8(u8(em.m_Season));
    out.U8(u8(em.m_CurrentEvent));
    out.U8(em.m_CurrentRound);
    out.U8(u8(em.m_CurrentEventType));
    out.S16(em.m_OpponentID);
    out.U8(em.m_RivalChecked);
    out.U8(em.m_PlayerForfeits);
    out.U8(u8(em.m_ShowInvitation));
    out.S8(em.m_PreviousEvent);
    out.U8(u8(em.m_PreviousEventType));
    out.U8(u8(em.m_bPlayerWonLastGame));
    out.U8(u8(em.m_TournLossMessage));
    out.U32(league.m_PlayerTournamentPlace);
    out.U32(em.m_PlayerPlace);
    for (s16 id : em.m_Losers)
        out.S16(id);
    out.U8(em.m_LossRound);
    out.U8(u8(league.GetNumberOfBowlers()));
    for (u32 i = 0; i < league.GetNumberOfBowlers(); ++i)
        WriteStanding(out, league.m_Bowlers[i], em.m_NightPins[i]);
    for (u32 i = 0; i < TOURNAMENT_PLACES; ++i)
        out.S16(em.m_Ladder.Get(i));
    out.U8(em.m_EntryPaid);
}

bool EventRecordLoad(ChunkCursor& in) {
    if (pLeagueManager == nullptr || pEventManager == nullptr)
        return false;
    // Read into fresh objects first: a refused record changes nothing.
    CLeague league;
    EventManager em;
    u8 version = 0, leagueType = 0, season = 0, current = 0, type = 0, rivalChecked = 0, forfeits = 0;
    u8 invitation = 0, previousType = 0, wonLast = 0, tournLoss = 0, count = 0;
    u32 tournamentPlace = 0;
    in.U8(&version);
    in.U8(&leagueType);
    in.U8(&season);
    in.U8(&current);
    in.U8(&em.m_CurrentRound);
    in.U8(&type);
    in.S16(&em.m_OpponentID);
    in.U8(&rivalChecked);
    in.U8(&forfeits);
    in.U8(&invitation);
    in.S8(&em.m_PreviousEvent);
    in.U8(&previousType);
    in.U8(&wonLast);
    in.U8(&tournLoss);
    in.U32(&tournamentPlace);
    in.U32(&em.m_PlayerPlace);
    for (s16& id : em.m_Losers)
        in.S16(&id);
    in.U8(&em.m_LossRound);
    in.U8(&count);
    if (!in.Ok() || version < 1 || version > EVENT_RECORD_VERSION || leagueType > PRO_L1 ||
        season > eSeason_Pro || type > eEventType_Practice || previousType > eEventType_Practice ||
        count == 0 || count > LEAGUE_MAX_BOWLERS || rivalChecked > 1 || forfeits > 1 || invitation > 1 ||
        wonLast > 1 || tournLoss > 1 || em.m_CurrentRound >= TOURNAMENT_ROUNDS ||
        em.m_LossRound >= TOURNAMENT_ROUNDS || em.m_PlayerPlace > TOURNAMENT_PLACES)
        return false;
    if ((leagueType == PRO_L1) != (season == eSeason_Pro))
        return false;
    if (leagueType != NOLEAGUE && LeagueDbEntry(eLeagues(leagueType)) == nullptr)
        return false;
    league.Init(eLeagues(leagueType));
    league.m_PlayerTournamentPlace = tournamentPlace;
    league.m_NumberOfBowlers = count;
    for (u32 i = 0; i < count; ++i)
        if (!ReadStanding(in, &league.m_Bowlers[i], &em.m_NightPins[i]))
            return false;
    for (u32 i = 0; i < TOURNAMENT_PLACES; ++i) {
        s16 id = 0;
        if (!in.S16(&id) || !InLeagueOrNone(league, id))
            return false;
        em.m_Ladder.Set(i, id);
    }
    if (version >= 2 && (!in.U8(&em.m_EntryPaid) || em.m_EntryPaid > 1))
        return false;
    if (!ValidStandings(league) || !InLeagueOrNone(league, em.m_OpponentID) ||
        !std::all_of(std::begin(em.m_Losers), std::end(em.m_Losers),
                     [&](s16 id) { return InLeagueOrNone(league, id); }))
        return false;
    // The calendar of that league and season must hold the event.
    em.m_Season = eSeason(season);
    em.BuildCalendar(eLeagues(leagueType));
    if (current > em.m_EventCount ||
        (type == eEventType_LeagueNight && em.m_CurrentRound >= LEAGUE_NIGHT_GAMES))
        return false;

    *pLeagueManager->GetLeague() = league;
    EventManager& target = *pEventManager;
    const s32 cheat = target.m_bPlayerWinsAll;
    target = em;
    target.m_CurrentEvent = current;
    target.m_CurrentEventType = eEventType(type);
    target.m_RivalChecked = rivalChecked;
    target.m_PlayerForfeits = forfeits;
    target.m_ShowInvitation = invitation;
    target.m_PreviousEventType = eEventType(previousType);
    target.m_bPlayerWonLastGame = wonLast;
    target.m_TournLossMessage = tournLoss;
    target.m_bPlayerWinsAll = cheat;
    return true;
}
