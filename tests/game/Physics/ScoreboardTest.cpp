#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "source/Physics/Scoreboard.h"

namespace {

CScoreboard Bowl(const std::vector<u32>& pins, u32 player = 0) {
    CScoreboard board;
    board.Reset();
    for (u32 p : pins)
        EXPECT_TRUE(board.AddThrow(player, p)) << "pins " << p;
    return board;
}

std::vector<u32> Repeat(std::vector<u32> frame, u32 times, std::vector<u32> tail = {}) {
    // Element by element: GCC 12 sees a false overflow in a range insert under LTO.
    std::vector<u32> all;
    for (u32 i = 0; i < times; ++i)
        for (u32 pins : frame)
            all.push_back(pins);
    for (u32 pins : tail)
        all.push_back(pins);
    return all;
}

struct ClassicGame {
    const char* name;
    std::vector<u32> pins;
    u32 total;
    u32 strikes, spares, turkeys, sixPacks;
};

TEST(Scoreboard, ClassicGamesScoreAndCount) {
    const ClassicGame games[] = {
        {"perfect", Repeat({10}, 12), 300, 12, 0, 4, 2},
        {"all nine-spares", Repeat({9, 1}, 10, {9}), 190, 0, 10, 0, 0},
        {"gutter game", Repeat({0, 0}, 10), 0, 0, 0, 0, 0},
        {"dutch 200", {10, 9, 1, 10, 9, 1, 10, 9, 1, 10, 9, 1, 10, 9, 1, 10}, 200, 6, 5, 0, 0},
        {"turkey then opens", Repeat({10}, 3, Repeat({3, 4}, 7)), 30 + 23 + 17 + 7 * 7, 3, 0, 1, 0},
        {"tenth strike spare", Repeat({0, 0}, 9, {10, 7, 3}), 20, 1, 1, 0, 0},
        {"tenth spare strike", Repeat({0, 0}, 9, {9, 1, 10}), 20, 1, 1, 0, 0},
        {"tenth two strikes", Repeat({0, 0}, 9, {10, 10, 9}), 29, 2, 0, 0, 0},
        {"tenth open", Repeat({0, 0}, 9, {8, 1}), 9, 0, 0, 0, 0},
        {"ten after a gutter ball is a spare", Repeat({0, 10}, 10, {0}), 100, 0, 10, 0, 0},
        {"tenth strike, gutter, ten", Repeat({0, 0}, 9, {10, 0, 10}), 20, 1, 1, 0, 0},
        {"tenth gutter, ten, strike", Repeat({0, 0}, 9, {0, 10, 10}), 20, 1, 1, 0, 0},
    };
    for (const ClassicGame& g : games) {
        SCOPED_TRACE(g.name);
        CScoreboard board = Bowl(g.pins);
        EXPECT_TRUE(board.IsGameOver(0));
        EXPECT_EQ(board.GetTotalScore(0), g.total);
        EXPECT_EQ(board.GetScoreVal(0, 31), s32(g.total));
        EXPECT_EQ(board.GetStrikes(0), g.strikes);
        EXPECT_EQ(board.GetSpares(0), g.spares);
        EXPECT_EQ(board.GetTurkeys(0), g.turkeys);
        EXPECT_EQ(board.GetSixPacks(0), g.sixPacks);
        EXPECT_FALSE(board.AddThrow(0, 0)) << "a finished game takes no more balls";
    }
}

TEST(Scoreboard, SlotsShowBallsAndRunningTotals) {
    const struct {
        const char* name;
        std::vector<u32> pins;
        std::vector<std::pair<u32, s32>> slots;  // slot, value
    } games[] = {
        {"perfect",
         Repeat({10}, 12),
         {{0, SCORE_STRIKE},
          {1, SCORE_EMPTY},
          {26, 270},
          {27, SCORE_STRIKE},
          {28, SCORE_STRIKE},
          {29, SCORE_STRIKE}}},
        {"nine-spares", Repeat({9, 1}, 10, {9}), {{1, SCORE_SPARE}, {2, 19}, {28, SCORE_SPARE}, {29, 9}}},
        {"tenth strike spare",
         Repeat({0, 0}, 9, {10, 7, 3}),
         {{27, SCORE_STRIKE}, {28, 7}, {29, SCORE_SPARE}}},
        {"gutter then ten", {0, 10, 3}, {{0, 0}, {1, SCORE_SPARE}, {2, 13}}},
        {"tenth strike, gutter, ten",
         Repeat({0, 0}, 9, {10, 0, 10}),
         {{27, SCORE_STRIKE}, {28, 0}, {29, SCORE_SPARE}}},
        {"tenth gutter, ten, strike",
         Repeat({0, 0}, 9, {0, 10, 10}),
         {{27, 0}, {28, SCORE_SPARE}, {29, SCORE_STRIKE}}},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.name);
        const CScoreboard board = Bowl(g.pins);
        for (const auto& [slot, value] : g.slots)
            EXPECT_EQ(board.GetScoreVal(0, slot), value) << "slot " << slot;
    }
}

// The lane racks and bowls the next ball by this: a fresh rack is a frame's first
// ball, or in the tenth a ball after a strike or a spare, never ten pins standing.
TEST(Scoreboard, NextBallMeetsAFreshRack) {
    const struct {
        const char* name;
        std::vector<u32> pins;
        u32 frame, ball;
        bool freshRack, over;
    } games[] = {
        {"first ball", {}, 0, 0, true, false},
        {"after a gutter ball", {0}, 0, 1, false, false},
        {"after a strike", {10}, 1, 0, true, false},
        {"tenth: after a strike", Repeat({0, 0}, 9, {10}), 9, 1, true, false},
        {"tenth: strike then gutter", Repeat({0, 0}, 9, {10, 0}), 9, 2, false, false},
        {"tenth: gutter then ten", Repeat({0, 0}, 9, {0, 10}), 9, 2, true, false},
        {"tenth: two strikes", Repeat({0, 0}, 9, {10, 10}), 9, 2, true, false},
        {"tenth: open", Repeat({0, 0}, 9, {3, 4}), 9, 2, false, true},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.name);
        const ScoreNextBall next = Bowl(g.pins).GetNextBall(0);
        EXPECT_EQ(next.frame, g.frame);
        EXPECT_EQ(next.ball, g.ball);
        EXPECT_EQ(next.freshRack, g.freshRack);
        EXPECT_EQ(next.over, g.over);
    }
}

TEST(Scoreboard, TotalsWaitForTheirBonusBalls) {
    CScoreboard board;
    board.Reset();
    EXPECT_EQ(board.GetScoreVal(0, 31), SCORE_EMPTY);
    board.AddThrow(0, 10);
    EXPECT_EQ(board.GetScoreVal(0, 2), SCORE_EMPTY);
    board.AddThrow(0, 3);
    EXPECT_EQ(board.GetScoreVal(0, 2), SCORE_EMPTY);
    board.AddThrow(0, 4);
    EXPECT_EQ(board.GetScoreVal(0, 5), 24);
    board.AddThrow(0, 6);
    board.AddThrow(0, 4);
    EXPECT_EQ(board.GetScoreVal(0, 8), SCORE_EMPTY) << "a spare waits for the next ball";
    EXPECT_EQ(board.GetScoreVal(0, 31), 24);
    EXPECT_EQ(board.GetScoreVal(0, 30), SCORE_EMPTY);
    EXPECT_FALSE(board.IsGameOver(0));
}

TEST(Scoreboard, RefusesImpossibleBallsAndKeepsPlayersApart) {
    CScoreboard board;
    board.Reset();
    EXPECT_FALSE(board.AddThrow(0, 11));
    EXPECT_TRUE(board.AddThrow(0, 7));
    EXPECT_FALSE(board.AddThrow(0, 4)) << "only three pins stand";
    EXPECT_TRUE(board.AddThrow(0, 3));
    EXPECT_FALSE(board.AddThrow(SCOREBOARD_PLAYERS, 1));
    EXPECT_EQ(board.GetScoreVal(SCOREBOARD_PLAYERS, 0), SCORE_EMPTY);
    EXPECT_EQ(board.GetScoreVal(0, SCOREBOARD_SLOTS), SCORE_EMPTY);
    EXPECT_EQ(board.GetScoreVal(1, 0), SCORE_EMPTY);
    // Tenth frame after a strike: the bonus balls share the next rack.
    CScoreboard tenth = Bowl(Repeat({0, 0}, 9, {10, 6}));
    EXPECT_FALSE(tenth.AddThrow(0, 5));
    EXPECT_TRUE(tenth.AddThrow(0, 4));
    EXPECT_EQ(tenth.GetScoreVal(0, 29), SCORE_SPARE);
}

TEST(Scoreboard, CountsSplitsAndGutterBalls) {
    CScoreboard board;
    board.Reset();
    board.AddThrow(0, 8, true, false);
    board.AddThrow(0, 1);
    board.AddThrow(0, 0, false, true);
    board.AddThrow(0, 0, false, true);
    board.AddThrow(0, 7, true, false);
    EXPECT_EQ(board.GetSplits(0), 2u);
    EXPECT_EQ(board.GetGutters(0), 2u);
    EXPECT_EQ(board.GetSplits(1), 0u);
    board.Reset();
    EXPECT_EQ(board.GetSplits(0), 0u);
    EXPECT_EQ(board.GetTotalScore(0), 0u);
}

// Pins by their numbers 1..10.
PinMask Pins(std::initializer_list<s32> numbers) {
    PinMask mask = 0;
    for (s32 n : numbers)
        mask |= PinBit(n - 1);
    return mask;
}

TEST(Scoreboard, SplitLeaves) {
    const struct {
        PinMask standing;
        bool split;
    } leaves[] = {
        {Pins({7, 10}), true},        {Pins({4, 6}), true},
        {Pins({3, 10}), true},        {Pins({5, 7}), true},
        {Pins({8, 10}), true},        {Pins({4, 7, 10}), true},
        {Pins({2, 3}), true},         {Pins({5, 6}), true},
        {Pins({4, 5}), true},         {Pins({2, 8}), false},
        {Pins({6, 10}), false},       {Pins({2, 4, 5, 8}), false},
        {Pins({3, 6, 9, 10}), false}, {Pins({1, 7, 10}), false},
        {Pins({10}), false},          {0, false},
        {Pins({4, 7}), false},
    };
    for (const auto& leave : leaves)
        EXPECT_EQ(IsSplit(leave.standing), leave.split) << std::hex << leave.standing;
}

TEST(Scoreboard, KudosOfTheLastBall) {
    const struct {
        const char* name;
        std::vector<u32> pins;
        bool split, gutter;  // of the last ball
        e_Kudos kudos;
    } games[] = {
        {"nothing yet", {}, false, false, KUDOS_NONE},
        {"strike", {10}, false, false, KUDOS_STRIKE},
        {"turkey", {10, 10, 10}, false, false, KUDOS_TURKEY},
        {"four in a row", Repeat({10}, 4), false, false, KUDOS_STRIKE},
        {"six-pack", Repeat({10}, 6), false, false, KUDOS_SIXPACK},
        {"ninth strike", Repeat({10}, 9), false, false, KUDOS_TURKEY},
        {"run broken by a spare", {10, 10, 9, 1, 10}, false, false, KUDOS_STRIKE},
        {"spare", {9, 1}, false, false, KUDOS_SPARE},
        {"ten after a gutter ball", {0, 10}, false, false, KUDOS_SPARE},
        {"split", {8}, true, false, KUDOS_SPLIT},
        {"gutter", {0}, false, true, KUDOS_GUTTER},
        {"tenth: strike then nine", Repeat({0, 0}, 9, {10, 9}), false, false, KUDOS_NONE},
        {"tenth: spare then strike", Repeat({0, 0}, 9, {9, 1, 10}), false, false, KUDOS_STRIKE},
        {"tenth: strike, seven, spare", Repeat({0, 0}, 9, {10, 7, 3}), false, false, KUDOS_SPARE},
        {"tenth: strike, gutter, ten", Repeat({0, 0}, 9, {10, 0, 10}), false, false, KUDOS_SPARE},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.name);
        CScoreboard board;
        board.Reset();
        for (size_t i = 0; i < g.pins.size(); ++i) {
            const bool last = i + 1 == g.pins.size();
            ASSERT_TRUE(board.AddThrow(0, g.pins[i], last && g.split, last && g.gutter));
        }
        EXPECT_EQ(board.ClassifyLastThrow(0), g.kudos);
    }
}

}  // namespace
