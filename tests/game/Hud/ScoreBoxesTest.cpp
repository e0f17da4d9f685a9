// The marks and totals a scoreboard shows in each score box.
#include <gtest/gtest.h>

#include <string>

#include "source/Hud/ScoreBoxes.h"

namespace {

TEST(ScoreBoxesTest, EachSlotShowsItsMarkOrTotal) {
    const struct {
        s32 value;
        u32 slot;
        const char* text;
    } cases[] = {
        {SCORE_EMPTY, 0, ""},
        {SCORE_EMPTY, 2, ""},
        {SCORE_STRIKE, 1, "X"},
        {SCORE_SPARE, 4, "/"},
        {0, 6, "-"},
        {7, 0, "7"},
        {9, 28, "9"},
        {SCORE_STRIKE, 27, "X"},
        {SCORE_STRIKE, 29, "X"},
        {SCORE_SPARE, 29, "/"},
        {0, 29, "-"},
        // Running totals are numbers, whatever the value.
        {0, 2, "0"},
        {10, 5, "10"},
        {11, 26, "11"},
        {10, 30, "10"},
        {300, 31, "300"},
    };
    for (const auto& c : cases) {
        char text[SCORE_BOX_TEXT_SIZE] = "?";
        ScoreBoxText(c.value, c.slot, text);
        EXPECT_EQ(std::string(text), c.text) << "value " << c.value << " in slot " << c.slot;
    }
}

TEST(ScoreBoxesTest, AGameFillsTheBoxesAsAScoreCard) {
    CScoreboard scores;
    scores.Reset();
    // Strike, 7 spare, 9 -, gutter gutter, five frames of 8 1, then X X X.
    for (u32 pins : {10u, 7u, 3u, 9u, 0u, 0u, 0u, 8u, 1u, 8u, 1u, 8u, 1u, 8u, 1u, 8u, 1u, 10u, 10u, 10u})
        ASSERT_TRUE(scores.AddThrow(0, pins));
    // Player 1: a strike whose bonus is still to come.
    ASSERT_TRUE(scores.AddThrow(1, 10));

    ScoreBoxTexts game, open;
    ScoreBoxesFill(scores, 0, game);
    ScoreBoxesFill(scores, 1, open);
    const struct {
        const ScoreBoxTexts& boxes;
        u32 slot;
        const char* text;
    } cases[] = {
        {game, 0, ""},   {game, 1, "X"},    {game, 2, "20"},   {game, 3, "7"},  {game, 4, "/"},
        {game, 5, "39"}, {game, 6, "9"},    {game, 7, "-"},    {game, 8, "48"}, {game, 9, "-"},
        {game, 10, "-"}, {game, 11, "48"},  {game, 26, "93"},  {game, 27, "X"}, {game, 28, "X"},
        {game, 29, "X"}, {game, 30, "123"}, {game, 31, "123"}, {open, 0, ""},   {open, 1, "X"},
        {open, 2, ""},   {open, 3, ""},     {open, 31, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.boxes[c.slot]), c.text) << "slot " << c.slot;
}

}  // namespace
