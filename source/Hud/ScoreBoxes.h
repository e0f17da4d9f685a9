// What a scoreboard shows in each of a player's 32 score boxes: the ball marks
// ("X" strike, "/" spare, "-" no pins, else the count) and the running totals.
// Shared by the lane's HUD and the end-of-game scoreboard screen.
#pragma once

#include "source/Physics/Scoreboard.h"

constexpr u32 SCORE_BOX_TEXT_SIZE = 4;  // "300" and its terminator

using ScoreBoxTexts = char[SCOREBOARD_SLOTS][SCORE_BOX_TEXT_SIZE];

// Box `slot` (the score slot, frame * 3 + ball) showing `value`: empty for -1, a
// running total (slot 3f + 2 of frames 1..9, slots 30 and 31) as its number, a
// ball as its mark.
void ScoreBoxText(s32 value, u32 slot, char out[SCORE_BOX_TEXT_SIZE]);

// Every box of a player. A strike in frames 1..9 is drawn in the frame's second
// box, the first left empty, as score cards show it.
void ScoreBoxesFill(const CScoreboard& scores, u32 player, ScoreBoxTexts boxes);
