#include "source/Hud/ScoreBoxes.h"

#include <cstdio>

namespace {

constexpr u32 kTenthFrameFirstSlot = 27;
constexpr u32 kTenthFrameTotalSlot = 30;

bool IsTotalSlot(u32 slot) {
    return slot >= kTenthFrameTotalSlot || (slot < kTenthFrameFirstSlot && slot % 3 == 2);
}

}  // namespace

void ScoreBoxText(s32 value, u32 slot, char out[SCORE_BOX_TEXT_SIZE]) {
    const char* mark = nullptr;
    if (value == SCORE_EMPTY)
        mark = "";
    else if (!IsTotalSlot(slot))
        mark = value == SCORE_STRIKE ? "X" : value == SCORE_SPARE ? "/" : value == 0 ? "-" : nullptr;
    if (mark != nullptr)
        std::snprintf(out, SCORE_BOX_TEXT_SIZE, "%s", mark);
    else
        std::snprintf(out, SCORE_BOX_TEXT_SIZE, "%d", int(value));
}

void ScoreBoxesFill(const CScoreboard& scores, u32 player, ScoreBoxTexts boxes) {
    for (u32 slot = 0; slot < SCOREBOARD_SLOTS; ++slot) {
        const s32 value = scores.GetScoreVal(player, slot);
        const bool firstBall = slot < kTenthFrameFirstSlot && slot % 3 == 0;
        if (firstBall && value == SCORE_STRIKE) {
            ScoreBoxText(SCORE_EMPTY, slot, boxes[slot]);
            ScoreBoxText(SCORE_STRIKE, slot + 1, boxes[slot + 1]);
            ++slot;
            continue;
        }
        ScoreBoxText(value, slot, boxes[slot]);
    }
}
