// A small bowling database for the career tests: InstallTestBowlingDb() points the
// database globals at fresh copies of these tables (lock flags cleared) and
// RemoveTestBowlingDb() gives the previous tables back.
#pragma once

#include "source/BowlingDb/BowlingDb.h"

namespace testdb {

// Item indices (every item's m_Index is its row).
constexpr s32 HOUSE_BALL = 0;
constexpr s32 BALL_FIRST = 1;  // balls 1..4, all with ball info
constexpr s32 BALL_LAST = 4;
constexpr s32 MALE_SHIRT = 5;       // 5, 6
constexpr s32 FEMALE_SHIRT = 7;     // 7, 8
constexpr s32 MALE_SHOES = 9;       // 9, 10
constexpr s32 FEMALE_SHOES = 11;    // 11, 12
constexpr s32 MALE_ACC = 13;        // 13, 14
constexpr s32 FEMALE_ACC = 15;      // 15, 16
constexpr s32 MALE_HAT = 17;        // 17, 18
constexpr s32 FEMALE_HAT = 19;      // 19, 20
constexpr s32 MALE_GLASSES = 21;    // 21, 22
constexpr s32 FEMALE_GLASSES = 23;  // 23, 24
constexpr u32 ITEM_COUNT = 25;

// Tournament IDs.
constexpr s32 LEAGUE_NIGHT_ID = 1;  // "League Night", played at level 20
constexpr s32 COUNTY_CLASSIC_ID = 10;
constexpr s32 NAMED_TOURNAMENT_A_ID = 35;
constexpr s32 NAMED_TOURNAMENT_B_ID = 37;

constexpr u32 BOWLER_COUNT = 12;  // IDs 1..12: L1 1-2, L2 3-5, L3 6-8, L4 9-10, pro 11-12
constexpr u32 RIVAL_COUNT = 2;    // bowlers 3 and 4
constexpr u32 AMATEUR_WEEKS = 9;
constexpr u32 AMATEUR_SEASONS = 4;
constexpr u32 PRO_WEEKS = 18;

}  // namespace testdb

void InstallTestBowlingDb();
void RemoveTestBowlingDb();
