#include "source/Career/UnlockLists.h"

#include <algorithm>
#include <climits>

namespace {

constexpr s_UnlockEntry GamesPlayedUnlocks[] = {
    {5, UNLOCK_ITEM, 150, nullptr},  {15, UNLOCK_ITEM, 151, nullptr},  {30, UNLOCK_LEVEL, 12, "Harbor Bowl"},
    {60, UNLOCK_ITEM, 152, nullptr}, {100, UNLOCK_ITEM, 153, nullptr},
};

constexpr s_UnlockEntry WinUnlocks[] = {
    {5, UNLOCK_ITEM, 154, nullptr},  {15, UNLOCK_ITEM, 155, nullptr}, {30, UNLOCK_LEVEL, 14, "Neon Alley"},
    {50, UNLOCK_ITEM, 156, nullptr}, {80, UNLOCK_ITEM, 157, nullptr},
};

constexpr s_UnlockEntry TournamentWinUnlocks[] = {
    {1, UNLOCK_ITEM, 158, nullptr},
    {3, UNLOCK_ITEM, 159, nullptr},
    {5, UNLOCK_LEVEL, 16, "Canyon Lanes"},
    {10, UNLOCK_ITEM, 160, nullptr},
};

constexpr s_UnlockEntry ChampionshipUnlocks[] = {
    {1, UNLOCK_ITEM, 161, nullptr},
    {2, UNLOCK_LEVEL, 18, "Grand Arena"},
    {3, UNLOCK_ITEM, 162, nullptr},
    {5, UNLOCK_ITEM, 163, nullptr},
};

constexpr s_UnlockEntry ReputationUnlocks[] = {
    {10, UNLOCK_ITEM, 164, nullptr}, {25, UNLOCK_ITEM, 165, nullptr},  {50, UNLOCK_ITEM, 166, nullptr},
    {75, UNLOCK_ITEM, 167, nullptr}, {100, UNLOCK_ITEM, 168, nullptr},
};

constexpr s_UnlockEntry EarningsUnlocks[] = {
    {1000, UNLOCK_ITEM, 169, nullptr},  {5000, UNLOCK_ITEM, 170, nullptr},
    {10000, UNLOCK_ITEM, 171, nullptr}, {25000, UNLOCK_ITEM, 172, nullptr},
    {50000, UNLOCK_ITEM, 173, nullptr}, {100000, UNLOCK_ITEM, 174, nullptr},
};

template <u32 N>
constexpr s_UnlockList List(e_UnlockCriterion criterion, const s_UnlockEntry (&entries)[N]) {
    return {criterion, entries, N};
}

// Counters are unsigned; past the top of s32 every threshold is met anyway.
s32 Clamp(u32 value) {
    return s32(std::min<u32>(value, INT_MAX));
}

}  // namespace

const s_UnlockList UnlockLists[UNLOCK_LIST_COUNT] = {
    List(UNLOCK_GAMES_PLAYED, GamesPlayedUnlocks),      List(UNLOCK_WINS, WinUnlocks),
    List(UNLOCK_TOURNAMENT_WINS, TournamentWinUnlocks), List(UNLOCK_CHAMPIONSHIPS, ChampionshipUnlocks),
    List(UNLOCK_REPUTATION, ReputationUnlocks),         List(UNLOCK_EARNINGS, EarningsUnlocks),
};

s32 UnlockCriterionValue(e_UnlockCriterion criterion, const s_Character_Stats& stats) {
    switch (criterion) {
        case UNLOCK_GAMES_PLAYED:
            return Clamp(stats.m_TotalGames);
        case UNLOCK_WINS:
            return Clamp(stats.m_TotalWins);
        case UNLOCK_TOURNAMENT_WINS:
            return Clamp(stats.m_TournamentWins);
        case UNLOCK_CHAMPIONSHIPS:
            return Clamp(stats.m_Championships);
        case UNLOCK_REPUTATION:
            return stats.m_Reputation;
        case UNLOCK_EARNINGS:
            return Clamp(stats.m_TotalEarnings);
        case UNLOCK_LIST_COUNT:
            break;
    }
    return INT_MIN;
}
