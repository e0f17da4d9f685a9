// What the career unlocks: six lists, one per career counter, each a run of
// (threshold, item or alley level) entries in rising threshold order (entries may
// share a threshold). An entry is reached once its counter has been at or above
// the threshold. Items are named by the database's item indices.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

constexpr u32 ALLEY_LEVEL_COUNT = 21;  // alley levels 0..20

enum e_UnlockCriterion : u32 {
    UNLOCK_GAMES_PLAYED = 0,
    UNLOCK_WINS = 1,
    UNLOCK_TOURNAMENT_WINS = 2,
    UNLOCK_CHAMPIONSHIPS = 3,
    UNLOCK_REPUTATION = 4,
    UNLOCK_EARNINGS = 5,
    UNLOCK_LIST_COUNT = 6,
};

enum e_UnlockKind : u32 {
    UNLOCK_ITEM = 0,   // index: an item's m_Index
    UNLOCK_LEVEL = 1,  // index: an alley level
};

struct s_UnlockEntry {
    s32 threshold;
    e_UnlockKind kind;
    s32 index;
    const char* levelName;  // the alley's name for the message; items use m_Name
};

struct s_UnlockList {
    e_UnlockCriterion criterion;
    const s_UnlockEntry* entries;
    u32 count;
};

// Indexed by e_UnlockCriterion.
extern const s_UnlockList UnlockLists[UNLOCK_LIST_COUNT];

// The career counter a list is measured on.
s32 UnlockCriterionValue(e_UnlockCriterion criterion, const s_Character_Stats& stats);
