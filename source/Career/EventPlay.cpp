// What a played or simulated game changes: standings, the ladder, the player's
// counters, money, reputation and skill points.
#include <algorithm>

#include "orblib47/source/OrbRandom.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/TrophyMgr.h"
#include "source/Physics/Scoreboard.h"

namespace {

constexpr s32 SIM_SPREAD = 20;  // each of three draws around the average
constexpr u32 MAX_SCORE = 300;
constexpr u32 DEFAULT_AVERAGE = 150;
constexpr u32 PLAYER_BASE_AVERAGE = 100;  // plus the mean skill, before any league game
constexpr u32 SKILL_POINT_PINS = 25;      // a skill point for every 25 pins of a bowled game
constexpr u32 SKILL_POINTS_WIN = 3;
constexpr s32 LEAGUE_WIN_REPUTATION = 1;
constexpr s32 PODIUM_REPUTATION[4] = {0, 5, 3, 2};  // by place
constexpr u32 PODIUM_SKILL_POINTS[4] = {0, 10, 6, 4};

CLeague* League() {
    return pLeagueManager ? pLeagueManager->GetLeague() : nullptr;
}

u32 SimulatedScore(u32 average) {
    s32 score = s32(average);
    for (int i = 0; i < 3; ++i)
        score += s32(u32(OrbRand()) % u32(2 * SIM_SPREAD + 1)) - SIM_SPREAD;
    return u32(std::clamp(score, 0, s32(MAX_SCORE)));
}

u32 BowlerAverage(s16 id) {
    for (u32 i = 0; bowlersList != nullptr && i < uDBBowlerCount; ++i)
        if (bowlersList[i].m_ID == id)
            return bowlersList[i].m_uAverage;
    return DEFAULT_AVERAGE;
}

u32 PlayerAverage() {
    CLeague* league = League();
    const s_PlaceBowler* player = league ? league->GetBowlerByID(PLAYER_BOWLER_ID) : nullptr;
    if (player && player->TotalGames > 0)
        return player->TotalAverageScore;
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr)
        return PLAYER_BASE_AVERAGE;
    return PLAYER_BASE_AVERAGE + (career->GetModArmStrength() + career->GetModAccuracy() +
                                  career->GetModHookControl() + career->GetModStamina()) /
                                     4;
}

void Reputation(s32 change) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career && change != 0)
        career->ChangeReputation(change);
}

const s_DBRival* FindRival(s16 id) {
    for (u32 i = 0; RivalList != nullptr && i < RivalCount; ++i)
        if (RivalList[i].m_ID == id)
            return &RivalList[i];
    return nullptr;
}

}  // namespace

void EventManager::Pay(s16 id, u32 amount) {
    CLeague* league = League();
    if (id == 0 || amount == 0 || league == nullptr)
        return;
    league->AddEarnings(id, amount);
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (id == PLAYER_BOWLER_ID && career)
        career->ChangeMoney(s32(amount));
}

void EventManager::FinishEvent() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    CLeague* league = League();
    if (career && league && league->GetLeagueType() != NOLEAGUE) {
        const bool payday =
            league->GetLeagueType() == PRO_L1 || u32(m_CurrentEvent) % EVENTS_PER_WEEK == EVENTS_PER_WEEK - 1;
        if (payday && league->m_LeagueDbEntry.weeklySalary > 0)
            career->ChangeMoney(s32(league->m_LeagueDbEntry.weeklySalary));
    }
    ++m_CurrentEvent;
    StartEvent();
}

EventManager::PlayerGame EventManager::SimulatePlayerGame(s16 opponent) {
    PlayerGame game{};
    game.score = m_PlayerForfeits ? 0 : SimulatedScore(PlayerAverage());
    game.opponentScore = opponent ? SimulatedScore(BowlerAverage(opponent)) : 0;
    game.won = m_bPlayerWinsAll || (!m_PlayerForfeits && game.score > game.opponentScore);
    game.played = false;
    return game;
}

void EventManager::RecordPlayerGame(const PlayerGame& game, s16 opponent) {
    m_bPlayerWonLastGame = game.won;
    if (CCareerCharacter* career = CCareerCharacter::GetInstance()) {
        s_Character_Stats& stats = career->GetStats();
        stats.m_TotalGames++;
        stats.m_TotalWins += game.won;
        if (game.played)
            career->AddSkillPoints(game.score / SKILL_POINT_PINS + (game.won ? SKILL_POINTS_WIN : 0));
    }
    CLeague* league = League();
    if (league == nullptr)
        return;
    auto record = [&](s16 id, u32 score, bool won) {
        league->AddGame(id, score, won);
        for (u32 i = 0; i < league->GetNumberOfBowlers(); ++i)
            if (league->GetBowlerByIndex(i)->UniqueID == id)
                m_NightPins[i] += score;
    };
    // A forfeited game does not count in the player's standing.
    if (game.played || !m_PlayerForfeits)
        record(PLAYER_BOWLER_ID, game.score, game.won);
    if (opponent != 0)
        record(opponent, game.opponentScore, !game.won);
}

void EventManager::PlayOthersGame(s16 opponent) {
    CLeague* league = League();
    if (league == nullptr)
        return;
    auto play = [&](u32 a, u32 b) {
        const s16 idA = league->GetBowlerByIndex(a)->UniqueID;
        const u32 scoreA = SimulatedScore(BowlerAverage(idA));
        if (b == a) {  // an odd bowler out bowls alone
            league->AddGame(idA, scoreA, false);
            m_NightPins[a] += scoreA;
            return;
        }
        const s16 idB = league->GetBowlerByIndex(b)->UniqueID;
        const u32 scoreB = SimulatedScore(BowlerAverage(idB));
        const bool aWins = scoreA > scoreB || (scoreA == scoreB && (OrbRand() & 1) == 0);
        league->AddGame(idA, scoreA, aWins);
        league->AddGame(idB, scoreB, !aWins);
        m_NightPins[a] += scoreA;
        m_NightPins[b] += scoreB;
    };
    s32 waiting = -1;
    for (u32 i = 0; i < league->GetNumberOfBowlers(); ++i) {
        const s16 id = league->GetBowlerByIndex(i)->UniqueID;
        if (id == PLAYER_BOWLER_ID || id == opponent)
            continue;
        if (waiting < 0) {
            waiting = s32(i);
            continue;
        }
        play(u32(waiting), i);
        waiting = -1;
    }
    if (waiting >= 0)
        play(u32(waiting), u32(waiting));
}

bool EventManager::PlayLeagueNightGame(const PlayerGame& game) {
    RecordPlayerGame(game, m_OpponentID);
    if (game.won)
        Reputation(LEAGUE_WIN_REPUTATION);
    PlayOthersGame(m_OpponentID);
    League()->Rank();
    if (++m_CurrentRound < LEAGUE_NIGHT_GAMES)
        return false;
    FinishLeagueNight();
    return true;
}

bool EventManager::PlayRivalGame(const PlayerGame& game) {
    RecordPlayerGame(game, m_OpponentID);
    const s_DBRival* rival = FindRival(m_OpponentID);
    if (CCareerCharacter* career = CCareerCharacter::GetInstance()) {
        s_Character_Stats& stats = career->GetStats();
        stats.m_RivalChallenges++;
        stats.m_RivalWins += game.won;
    }
    if (rival)
        Reputation(game.won ? rival->m_VictoryReputationBonus : -rival->m_LossReputationPenalty);
    // The rest of the league bowls its whole night.
    for (u8 g = 0; g < LEAGUE_NIGHT_GAMES; ++g)
        PlayOthersGame(m_OpponentID);
    League()->Rank();
    FinishEvent();
    return true;
}

void EventManager::FinishLeagueNight() {
    // The night's three best series take the event's prizes.
    CLeague* league = League();
    u32 order[LEAGUE_MAX_BOWLERS];
    const u32 n = league->GetNumberOfBowlers();
    for (u32 i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order, order + n, [this](u32 a, u32 b) { return m_NightPins[a] > m_NightPins[b]; });
    const s_TournamentDef& t = GetEvent()->m_Tourn;
    const u32 pays[] = {t.FirstPlacePay, t.SecondPlacePay, t.ThirdPlacePay};
    for (u32 p = 0; p < 3 && p < n; ++p)
        if (m_NightPins[order[p]] > 0)
            Pay(league->GetBowlerByIndex(order[p])->UniqueID, pays[p]);
    FinishEvent();
}

void EventManager::PlayTournamentRound(const PlayerGame* game) {
    CLeague* league = League();
    const u8 round = m_CurrentRound;
    auto play = [&](s16 a, s16 b) -> s16 {
        if (a == PLAYER_BOWLER_ID || b == PLAYER_BOWLER_ID) {
            const s16 opponent = a == PLAYER_BOWLER_ID ? b : a;
            const PlayerGame g = game ? *game : SimulatePlayerGame(opponent);
            RecordPlayerGame(g, opponent);
            return g.won ? PLAYER_BOWLER_ID : opponent;
        }
        const u32 scoreA = SimulatedScore(BowlerAverage(a));
        const u32 scoreB = SimulatedScore(BowlerAverage(b));
        const bool aWins = scoreA > scoreB || (scoreA == scoreB && (OrbRand() & 1) == 0);
        league->AddGame(a, scoreA, aWins);
        league->AddGame(b, scoreB, !aWins);
        return aWins ? a : b;
    };
    auto lost = [&](s16 loser) {
        if (m_Losers[0] == 0 || round != m_LossRound) {
            m_Losers[2] = m_Losers[0];
            m_Losers[3] = m_Losers[1];
            m_Losers[0] = loser;
            m_Losers[1] = 0;
            m_LossRound = round;
        } else if (m_Losers[1] == 0) {
            m_Losers[1] = loser;
        }
        if (loser == PLAYER_BOWLER_ID)
            m_PlayerPlace = (TOURNAMENT_PLACES >> (round + 1)) + 1;
    };
    m_Ladder.PlayRound(round, play, lost);
    league->Rank();
    m_CurrentRound = round + 1;
}

void EventManager::FinishTournament() {
    CLeague* league = League();
    const s16 podium[4] = {m_Ladder.Get(0), m_Losers[0], m_Losers[2], m_Losers[3]};
    const u32 podiumPlace[4] = {1, 2, 3, 3};
    u32 place = m_PlayerPlace ? m_PlayerPlace : league->GetNumberOfBowlers() + 1;
    for (u32 i = 0; i < 4; ++i)
        if (podium[i] == PLAYER_BOWLER_ID)
            place = podiumPlace[i];
    league->m_PlayerTournamentPlace = place;
    const s_TournamentDef& t = GetEvent()->m_Tourn;
    const u32 pays[4] = {t.FirstPlacePay, t.SecondPlacePay, t.ThirdPlacePay, t.ThirdPlacePay};
    for (u32 i = 0; i < 4; ++i)
        Pay(podium[i], pays[i]);
    league->AddTournamentWin(podium[0]);
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career && place <= 3) {
        s_Character_Stats& stats = career->GetStats();
        u32* counters[] = {nullptr, &stats.m_TournamentWins, &stats.m_Tournament2nd, &stats.m_Tournament3rd};
        ++*counters[place];
        Reputation(PODIUM_REPUTATION[place]);
        career->AddSkillPoints(PODIUM_SKILL_POINTS[place]);
    }
    m_TournLossMessage = place > 3;
    // The trophy screen finds a pro trophy's tournament by its record number, an
    // amateur one's by its week.
    const u32 week = league->GetLeagueType() == PRO_L1 ? u32(m_CurrentEvent) + 1 : GetEvent()->m_WeekNumber;
    g_TrophyMgr.SetEventResult({eEventType_Tournament, place, t.ID, m_Season, league->GetLeagueType(), week});
    league->Rank();
    FinishEvent();
}

void EventManager::EnterSimulatedEvent() {
    if (m_OpponentID == 0 && m_CurrentEventType != eEventType_Tournament)
        m_OpponentID = DrawOpponent();
    m_PlayerForfeits = !PayEntry();
}

s32 EventManager::PayEntry() {
    const u32 buyIn = GetEvent()->m_Tourn.BuyIn;
    if (m_EntryPaid || buyIn == 0 || EarnedInvitation())
        return 1;
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    m_EntryPaid = career != nullptr && career->ChangeMoney(-s32(buyIn));
    return m_EntryPaid;
}

s16 EventManager::DrawOpponent() {
    CLeague* league = League();
    s16 others[LEAGUE_MAX_BOWLERS];
    u32 n = 0;
    for (u32 i = 0; league != nullptr && i < league->GetNumberOfBowlers() && n < LEAGUE_MAX_BOWLERS; ++i) {
        const s16 id = league->GetBowlerByIndex(i)->UniqueID;
        if (id > 0 && !IsBowlerWithPlayer(id))
            others[n++] = id;
    }
    return n > 0 ? others[u32(OrbRand()) % n] : 0;
}

s32 EventManager::SimulateEvent() {
    CLeague* league = League();
    if (league == nullptr || SeasonOver())
        return 1;
    if (m_CurrentEventType == eEventType_Practice)
        m_CurrentEventType = EventType();
    if (m_CurrentRound == 0)
        EnterSimulatedEvent();
    if (!SimulateRound())
        return 0;
    if (m_PreviousEventType == eEventType_Tournament)
        g_TrophyMgr.UpdateTrophies();  // no game follows to award it
    return 1;
}

bool EventManager::SimulateRound() {
    m_PreviousEvent = s8(m_CurrentEvent);
    m_PreviousEventType = m_CurrentEventType;
    if (m_CurrentEventType == eEventType_Tournament) {
        PlayTournamentRound(nullptr);
        if (m_CurrentRound < TOURNAMENT_ROUNDS)
            return false;
        FinishTournament();
        return true;
    }
    if (m_CurrentEventType == eEventType_RivalGame)
        return PlayRivalGame(SimulatePlayerGame(m_OpponentID));
    return PlayLeagueNightGame(SimulatePlayerGame(m_OpponentID));
}

ePostGameResult EventManager::PostGameUpdate(CScoreboard* scores) {
    if (m_CurrentEventType == eEventType_Practice)
        return ePostGameResult_DonePractice;
    CLeague* league = League();
    if (league == nullptr || SeasonOver())
        return ePostGameResult_DoneNoGame;
    league->ResetLastTournamentPlace();
    m_PreviousEvent = s8(m_CurrentEvent);
    m_PreviousEventType = m_CurrentEventType;
    m_TournLossMessage = 0;
    if (scores != nullptr && scores->IsForfeited(0)) {
        // Lost with nothing earned: the game, and every game the event has left.
        m_PlayerForfeits = 1;
        while (!SimulateRound()) {
        }
        return ePostGameResult_DoneNoGame;
    }
    PlayerGame game{};
    game.score = scores ? scores->GetTotalScore(0) : 0;
    game.opponentScore = scores ? scores->GetTotalScore(1) : 0;
    game.won = m_bPlayerWinsAll || game.score > game.opponentScore;
    game.played = true;
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career && scores) {
        s_Character_Stats& stats = career->GetStats();
        stats.m_Strikes += scores->GetStrikes(0);
        stats.m_Spares += scores->GetSpares(0);
        stats.m_Splits += scores->GetSplits(0);
        stats.m_Gutters += scores->GetGutters(0);
        stats.m_Turkeys += scores->GetTurkeys(0);
        stats.m_6Packs += scores->GetSixPacks(0);
    }
    if (m_CurrentEventType == eEventType_Tournament) {
        PlayTournamentRound(&game);
        // Byes, and every round left once the player is out.
        while (m_CurrentRound < TOURNAMENT_ROUNDS && m_Ladder.Opponent(m_CurrentRound, PLAYER_BOWLER_ID) == 0)
            PlayTournamentRound(nullptr);
        if (m_CurrentRound >= TOURNAMENT_ROUNDS)
            FinishTournament();
        return ePostGameResult_DoneNoGame;
    }
    if (m_CurrentEventType == eEventType_RivalGame) {
        PlayRivalGame(game);
        return ePostGameResult_DoneNoGame;
    }
    return PlayLeagueNightGame(game) ? ePostGameResult_DoneNoGame : ePostGameResult_DoneNewGame;
}
