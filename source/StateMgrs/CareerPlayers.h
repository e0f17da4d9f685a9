// The player slots of a career game: the career bowler in slot 0 and, for a rival
// game, the rival in slot 1, with their database records.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"

class CPlayer;

// Null when the database has no such bowler or rival record.
const s_DBBowler* FindDbBowler(s32 id);
const s_DBRival* FindDbRival(s32 id);

// The career bowler: name, skills with the look's hand, human, the equipped balls
// (the first database item for an empty ball slot).
void CareerSetUpBowler(CPlayer& player);
// A database bowler as the computer opponent, with its look and its own balls.
void CareerSetUpOpponent(CPlayer& player, const s_DBBowler& bowler);

// The rival challenge's question about `opponent` into `out`; false when the
// database or the league lacks the opponent, its rival record or its standing.
bool RivalPopupText(char* out, u32 size, s16 opponent);
