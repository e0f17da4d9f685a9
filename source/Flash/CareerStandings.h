// What the career's tables (the standings, the tournament ladder, the statistics)
// share: how they open, close and go back, and what they show of a league's bowlers.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/SymbolText.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"

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

// Opens a loaded table that is not up yet and writes its back hint; whether it did.
bool StandingOpen(s32 screen, s32 backSprite);
// The table is up: the tracker's screen and the open sound.
void StandingOpened(eScreen_List current);
// Closes the table, with the close sound when it was up.
void StandingClose(s32 screen);
// Back answers `nav` with the accept sound; whether it was pressed.
bool StandingBack(eScreenNavigation nav);

// A column of the table: the heading's sprite and text, the rows' sprites after
// it; the player's row in his colour.
template <u32 N>
void StandingColumn(s32 screen, s32 sprite, u32 heading, const char (&rows)[STANDING_ROWS][N],
                    s32 playerRow) {
    SFP2KSpriteSetText(screen, sprite, SymbolText(heading));
    for (s32 row = 0; row < s32(STANDING_ROWS); ++row) {
        SFP2KSpriteSetText(screen, sprite + 1 + row, rows[row]);
        StandingColour(screen, sprite + 1 + row, row == playerRow);
    }
}
