#include "source/Career/UnlockLists.h"

#include <algorithm>
#include <climits>

namespace {

// A men's and a women's item of the same name open together.
constexpr s_UnlockEntry GamesPlayedUnlocks[] = {
    {5, UNLOCK_ITEM, 30, nullptr},               // Ironwood
    {15, UNLOCK_ITEM, 61, nullptr},              // Champion Lime Jersey
    {15, UNLOCK_ITEM, 79, nullptr},              // and the women's
    {30, UNLOCK_LEVEL, 12, "Northlight Lanes"},  // an alley
    {60, UNLOCK_ITEM, 36, nullptr},              // Coal Seam
    {100, UNLOCK_ITEM, 40, nullptr},             // Aurora Burst
};

constexpr s_UnlockEntry WinUnlocks[] = {
    {5, UNLOCK_ITEM, 93, nullptr},               // Gator Skin Pros
    {5, UNLOCK_ITEM, 107, nullptr},              // Leopard Print Pros
    {15, UNLOCK_ITEM, 33, nullptr},              // Sandstorm
    {30, UNLOCK_LEVEL, 14, "Timberline Lanes"},  // an alley
    {50, UNLOCK_ITEM, 118, nullptr},             // Carbon Frame Guard
    {50, UNLOCK_ITEM, 129, nullptr},             // and the women's
    {80, UNLOCK_ITEM, 42, nullptr},              // Apex Claw
};

constexpr s_UnlockEntry TournamentWinUnlocks[] = {
    {1, UNLOCK_ITEM, 163, nullptr},          // Champion Specs
    {1, UNLOCK_ITEM, 174, nullptr},          // and the women's
    {3, UNLOCK_ITEM, 38, nullptr},           // Solar Flare
    {5, UNLOCK_LEVEL, 16, "Coastal Lanes"},  // an alley
    {10, UNLOCK_ITEM, 44, nullptr},          // Nova Rush
};

constexpr s_UnlockEntry ChampionshipUnlocks[] = {
    {1, UNLOCK_ITEM, 119, nullptr},         // Champion Gauntlet
    {1, UNLOCK_ITEM, 130, nullptr},         // and the women's
    {2, UNLOCK_LEVEL, 18, "Summit Lanes"},  // an alley
    {3, UNLOCK_ITEM, 62, nullptr},          // Green Legend Shirt
    {3, UNLOCK_ITEM, 80, nullptr},          // Green Legend Top
    {5, UNLOCK_ITEM, 43, nullptr},          // Iron Tusk
};

constexpr s_UnlockEntry ReputationUnlocks[] = {
    {10, UNLOCK_ITEM, 31, nullptr},   // Squall Line
    {25, UNLOCK_ITEM, 34, nullptr},   // Quarry King
    {50, UNLOCK_ITEM, 141, nullptr},  // Champion Crown Cap
    {50, UNLOCK_ITEM, 152, nullptr},  // and the women's
    {75, UNLOCK_ITEM, 39, nullptr},   // Riptide
    {90, UNLOCK_ITEM, 41, nullptr},   // Wildfire
};

constexpr s_UnlockEntry EarningsUnlocks[] = {
    {1000, UNLOCK_ITEM, 32, nullptr},    // Gravel Pit
    {5000, UNLOCK_ITEM, 35, nullptr},    // Magma Core
    {20000, UNLOCK_ITEM, 162, nullptr},  // Night Hawk Visor
    {20000, UNLOCK_ITEM, 173, nullptr},  // and the women's
    {50000, UNLOCK_ITEM, 94, nullptr},   // Champion Violets
    {50000, UNLOCK_ITEM, 108, nullptr},  // and the women's
    {100000, UNLOCK_ITEM, 37, nullptr},  // Rockslide
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
