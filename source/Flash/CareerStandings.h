// What the career's tables (standings, the tournament ladder) show of a league's
// bowlers.
#pragma once

#include "orblib47/source/OrbTypes.h"

class CLeague;
struct s_PlaceBowler;

constexpr u32 STANDING_ROWS = 8;

// The career bowler's name for the player's id, else the database bowler's last
// name; empty for 0 or an id the database does not know. Cut to `size`.
void StandingName(char* out, u32 size, s16 id);

// A table's sprite in the player's colour or white.
void StandingColour(s32 screen, s32 sprite, bool player);

// The records of the table's rows: places 1..8, null for a place nobody has. A
// player ranked below them takes the last row, keeping his own place. `playerRow`
// is the player's row, -1 when the league has no record of him.
void StandingRows(CLeague& league, const s_PlaceBowler* rows[STANDING_ROWS], s32& playerRow);
