// The career season: the calendar of a league's events, the opponents, rival
// challenges, tournament invitations and ladders, the simulation of the computer
// bowlers and what a finished game changes in the career.
#pragma once

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/TournamentLadder.h"

class CScoreboard;
class ChunkCursor;
class SaveWriter;

constexpr u32 AMATEUR_SEASON_WEEKS = 9;
constexpr u32 EVENTS_PER_WEEK = 3;
constexpr u32 AMATEUR_SEASON_EVENTS = AMATEUR_SEASON_WEEKS * EVENTS_PER_WEEK;
constexpr u32 PRO_SEASON_EVENTS = 18;
constexpr u32 PRO_SEASON_WEEKS = 52;
constexpr u32 SEASON_MAX_EVENTS = AMATEUR_SEASON_EVENTS;
constexpr u8 LEAGUE_NIGHT_GAMES = 3;
constexpr char LEAGUE_NIGHT_NAME[] = "League Night";

struct Event {
    s_TournamentDef m_Tourn;
    u32 m_WeekNumber;    // amateur weeks 1..9; pro weeks 1..52 (the month comes from it)
    s32 m_IsLeaguePlay;  // a league night rather than a tournament
};

class EventManager {
public:
    EventManager();

    // A season of the league from its first event.
    void InitSeason(eLeagues league, eSeason season);
    // The following season in the given league; reputation +2 for a promotion, -1
    // for a relegation.
    void InitNextSeason(eLeagues league);
    s32 SeasonOver();

    // The current event, or event n of the season; an empty event out of range.
    Event* GetEvent();
    Event* GetEvent(s8 n);
    s32 GetCurrentEventNum() const { return m_CurrentEvent; }
    u32 GetCurrentWeekNum();
    u32 GetNumberOfEvents();
    eEventType GetPreviousEventType() const { return m_PreviousEventType; }
    eSeason GetSeason() const { return m_Season; }

    // 1: the current event becomes practice; 0: back to the event's own type.
    void SetPractice(s32 practice);
    // Once per league night, before its first game: may pick a rival of the league
    // as the opponent and turn the night into a rival game; non-zero when it did.
    s32 IsRivalChallenge();
    // A tournament's minimum reputation and average are met (the buy-in is waived).
    s32 EarnedInvitation();
    // Pays the current event's buy-in once per event (nothing when invited or paid
    // already); 0 when the money does not cover it.
    s32 PayEntry();

    // The opponent of the player's next game (0 none); in a tournament the ladder's.
    s16 GetOpponentID();
    void SetOpponent(s16 id);
    void ResetOpponents();
    // A bowler of the league, at random, who is not already the player's opponent;
    // 0 when the league has none.
    s16 DrawOpponent();
    s32 IsBowlerWithPlayer(s16 id);
    u32 GetNumberOfBowlers();
    // Ladder place i (0..31): a bowler id, 0 for an empty place.
    s16 GetTournamentBowlerByIndex(u32 i) const { return m_Ladder.Get(i); }

    // One step of the current event without the player at the lane: a league-night
    // game or a tournament round. Non-zero once the event is complete.
    s32 SimulateEvent();
    // After a career game (player 0 the career bowler, player 1 the opponent). A
    // game the player forfeited loses the rest of the event too, as a forfeit from
    // the calendar does.
    ePostGameResult PostGameUpdate(CScoreboard* scores);
    // Stores the current event index into the career character.
    void Update();

    eEventType m_CurrentEventType = eEventType_LeagueNight;
    u8 m_CurrentRound = 0;  // league-night game or tournament round under way
    s8 m_PreviousEvent = 0;
    s32 m_bPlayerWonLastGame = 0;
    s32 m_TournLossMessage = 0;
    s32 m_ShowInvitation = 0;
    s32 m_bPlayerWinsAll = 0;

private:
    friend void EventRecordSave(SaveWriter& out);
    friend bool EventRecordLoad(ChunkCursor& in);

    // A game the player bowled or had simulated.
    struct PlayerGame {
        u32 score;
        u32 opponentScore;
        bool won;
        bool played;  // at the lane rather than simulated
    };

    void BuildCalendar(eLeagues league);
    eEventType EventType();
    void StartEvent();
    // Pays the salary and moves to the next event.
    void FinishEvent();
    PlayerGame SimulatePlayerGame(s16 opponent);
    // The player's counters, skill points and standing for one game against `opponent`.
    void RecordPlayerGame(const PlayerGame& game, s16 opponent);
    // One game of a league night for everyone but the player and `opponent`.
    void PlayOthersGame(s16 opponent);
    // The player's game of a league night or rival night; true once the event is over.
    bool PlayLeagueNightGame(const PlayerGame& game);
    bool PlayRivalGame(const PlayerGame& game);
    void FinishLeagueNight();
    // One tournament round; the player's game is simulated unless `game` gives it.
    void PlayTournamentRound(const PlayerGame* game);
    void FinishTournament();
    // Entry of an event played without the player at the lane: the buy-in, or a forfeit.
    void EnterSimulatedEvent();
    // One game or round of the event with the player's game simulated; true once the
    // event is over.
    bool SimulateRound();
    void Pay(s16 id, u32 amount);

    Event m_Events[SEASON_MAX_EVENTS]{};
    u32 m_EventCount = 0;
    eLeagues m_CalendarLeague = NOLEAGUE;
    eSeason m_Season = eSeason_Winter;
    s32 m_CurrentEvent = 0;
    eEventType m_PreviousEventType = eEventType_LeagueNight;
    s16 m_OpponentID = 0;
    u8 m_RivalChecked = 0;
    u8 m_PlayerForfeits = 0;
    u8 m_EntryPaid = 0;
    u32 m_NightPins[LEAGUE_MAX_BOWLERS]{};  // this league night's series, by standings index
    TournamentLadder m_Ladder;
    // A tournament's losers of its last round with games (the runner-up) and of the
    // round before (third places).
    s16 m_Losers[4]{};
    u8 m_LossRound = 0;
    u32 m_PlayerPlace = 0;  // the player's tournament place once he is out
};

// Created once by the main flow; null before (and outside a career).
extern EventManager* pEventManager;
