// The league the career bowler belongs to and its standings: the player and the
// league's database bowlers, placed by average and then by wins.
#pragma once

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerTypes.h"

constexpr s16 PLAYER_BOWLER_ID = -1;

// LeagueChangeRequired results.
constexpr u32 LEAGUE_CHANGE_NONE = 0;
constexpr u32 LEAGUE_CHANGE_RELEGATION = 1;
constexpr u32 LEAGUE_CHANGE_PROMOTION = 2;

class CLeague {
public:
    // Fresh standings: the player first, then every database bowler of the league
    // (as many as fit). NOLEAGUE keeps the player alone.
    void Init(eLeagues league);

    eLeagues GetLeagueType() const { return m_LeagueType; }
    u32 GetNumberOfBowlers() const { return m_NumberOfBowlers; }
    // Null when no bowler has that place, id or index.
    s_PlaceBowler* GetBowlerByPlace(u32 place);
    s_PlaceBowler* GetBowlerByID(s16 id);
    s_PlaceBowler* GetBowlerByIndex(u32 index);
    // A place below every real one: no podium until the next tournament ends.
    void ResetLastTournamentPlace() { m_PlayerTournamentPlace = m_NumberOfBowlers + 1; }

    // A finished game of a bowler of the league (unknown ids are ignored).
    void AddGame(s16 id, u32 score, bool won);
    void AddEarnings(s16 id, u32 amount);
    void AddTournamentWin(s16 id);
    // Places 1..n by average, then wins, then the order of the standings.
    void Rank();

    s_AmateurLeagueDef m_LeagueDbEntry{};
    u32 m_PlayerTournamentPlace = 0;  // 1..3 a podium place of the last tournament
    u32 m_NumberOfBowlers = 0;
    eLeagues m_LeagueType = NOLEAGUE;
    s_PlaceBowler m_Bowlers[LEAGUE_MAX_BOWLERS]{};
};

class CLeagueManager {
public:
    CLeagueManager() { m_League.Init(NOLEAGUE); }

    CLeague* GetLeague() { return &m_League; }
    eLeagues GetLeagueType() const { return m_League.GetLeagueType(); }
    // At the end of a season: LEAGUE_CHANGE_PROMOTION, LEAGUE_CHANGE_RELEGATION or
    // LEAGUE_CHANGE_NONE for the player's standing in the current league.
    u32 LeagueChangeRequired();
    // Whether the career bowler's reputation admits him to the league.
    s32 CanJoinLeague(eLeagues league);
    // Moves to the league with fresh standings (no admission check: the season's
    // start and end decide); 0 for a league the database does not have.
    s32 JoinLeague(eLeagues league);
    void QuitLeague();

private:
    CLeague m_League;
};

// The league's record in the database, or null.
const s_AmateurLeagueDef* LeagueDbEntry(eLeagues league);

// Created once by the main flow; null before.
extern CLeagueManager* pLeagueManager;
