#include "source/Hud/HudInternal.h"
#include "source/Hud/ScoreBoxes.h"
#include "source/Players/Player.h"

namespace {

// A row per player across the top: name, frames 1..9, the tenth frame, the total.
constexpr f32 kBoardX = 28.0f;
constexpr f32 kBoardY = 16.0f;
constexpr f32 kNameW = 92.0f;
constexpr f32 kFrameW = 42.0f;
constexpr f32 kTenthW = 60.0f;
constexpr f32 kTotalW = 52.0f;
constexpr f32 kRowH = 34.0f;
constexpr f32 kMarkH = 16.0f;  // the ball marks; the running total below them
constexpr f32 kRowGap = 2.0f;

constexpr u32 kRowPanel = 0x000000B0;
constexpr u32 kUpPanel = 0x1E4696D0;  // the bowler up
constexpr u32 kLines = 0xFFFFFF70;
constexpr u32 kText = 0xFFFFFFFF;
constexpr u32 kUpName = 0xFFD040FF;

// Ball boxes: frames 1..9 have two, the tenth three; the total box follows.
void DrawFrame(s_font* font, const ScoreBoxTexts boxes, u32 frame, f32 x, f32 y) {
    const bool tenth = frame == SCOREBOARD_FRAMES - 1;
    const u32 balls = tenth ? 3 : 2;
    const f32 w = tenth ? kTenthW : kFrameW;
    const f32 ballW = w / f32(balls);
    HudOutlineRect(x, y, w, kRowH, kLines);
    for (u32 ball = 0; ball < balls; ++ball) {
        const f32 bx = x + f32(ball) * ballW;
        if (ball > 0)
            HudOutlineRect(bx, y, ballW, kMarkH, kLines);
        HudTextCentred(font, boxes[frame * 3 + ball], bx + ballW / 2.0f, y + kMarkH / 2.0f, kText, ballW);
    }
    const u32 totalSlot = tenth ? 30 : frame * 3 + 2;
    HudTextCentred(font, boxes[totalSlot], x + w / 2.0f, y + kMarkH + (kRowH - kMarkH) / 2.0f, kText, w);
}

}  // namespace

void HudDrawScoreboard(s_font* font, const CScoreboard& scores, s32 players, s32 bowlerUp) {
    const f32 rowW = kNameW + (SCOREBOARD_FRAMES - 1) * kFrameW + kTenthW + kTotalW;
    for (s32 player = 0; player < players && player < MAX_PLAYERS; ++player) {
        const f32 y = kBoardY + f32(player) * (kRowH + kRowGap);
        const bool up = player == bowlerUp;
        HudFillRect(kBoardX, y, rowW, kRowH, up ? kUpPanel : kRowPanel);
        HudOutlineRect(kBoardX, y, rowW, kRowH, kLines);
        HudTextCentred(font, g_Players[player].GetName(), kBoardX + kNameW / 2.0f, y + kRowH / 2.0f,
                       up ? kUpName : kText, kNameW - 6.0f);

        ScoreBoxTexts boxes;
        ScoreBoxesFill(scores, u32(player), boxes);
        f32 x = kBoardX + kNameW;
        for (u32 frame = 0; frame < SCOREBOARD_FRAMES; ++frame) {
            DrawFrame(font, boxes, frame, x, y);
            x += frame == SCOREBOARD_FRAMES - 1 ? kTenthW : kFrameW;
        }
        HudTextCentred(font, boxes[SCOREBOARD_SLOTS - 1], x + kTotalW / 2.0f, y + kRowH / 2.0f, kText,
                       kTotalW);
    }
}
