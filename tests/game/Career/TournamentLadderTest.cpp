#include <gtest/gtest.h>

#include <vector>

#include "source/Career/TournamentLadder.h"

namespace {

constexpr s16 PLAYER = -1;

std::vector<s16> Field(u32 count) {
    std::vector<s16> ids{PLAYER};
    for (u32 i = 1; i < count; ++i)
        ids.push_back(s16(i));
    return ids;
}

// Plays a whole ladder where the lower id always wins (the player, -1, beats everyone).
std::vector<std::vector<s16>> PlayOut(TournamentLadder& ladder, std::vector<s16>* losers) {
    std::vector<std::vector<s16>> rounds;
    for (u8 r = 0; r < TOURNAMENT_ROUNDS; ++r) {
        ladder.PlayRound(
            r, [](s16 a, s16 b) { return a < b ? a : b; }, [&](s16 loser) { losers->push_back(loser); });
        std::vector<s16> places;
        for (u32 i = 0; i < TOURNAMENT_PLACES; ++i)
            places.push_back(ladder.Get(i));
        rounds.push_back(places);
    }
    return rounds;
}

TEST(TournamentLadder, FullFieldHalvesEachRoundAndKeepsTheSemiFinalists) {
    TournamentLadder ladder;
    std::vector<s16> field = Field(TOURNAMENT_PLACES);
    ladder.Seed(field.data(), u32(field.size()));
    EXPECT_EQ(ladder.Get(0), PLAYER);
    for (u8 r = 0; r < TOURNAMENT_ROUNDS; ++r)
        EXPECT_TRUE(ladder.Contains(0, s16(r == 0 ? PLAYER : r)));
    EXPECT_EQ(ladder.Opponent(0, PLAYER), ladder.Get(1));
    EXPECT_EQ(ladder.Opponent(0, ladder.Get(1)), PLAYER);

    std::vector<s16> losers;
    TournamentLadder played = ladder;
    auto rounds = PlayOut(played, &losers);
    EXPECT_EQ(losers.size(), TOURNAMENT_PLACES - 1) << "every game has one loser";
    const u32 alive[] = {16, 8, 4, 2, 1};
    for (u8 r = 0; r < TOURNAMENT_ROUNDS; ++r) {
        u32 n = 0;
        for (u32 i = 0; i < LADDER_SEMI_FINALISTS; ++i)
            n += rounds[r][i] != 0;
        EXPECT_EQ(n, alive[r]) << "round " << int(r);
        for (u32 i = 0; i < alive[r]; ++i)
            EXPECT_NE(rounds[r][i], 0) << "winners fill the first places";
    }
    // Entering the final: the four semi-finalists stay in places 28..31.
    const std::vector<s16>& final = rounds[TOURNAMENT_ROUNDS - 2];
    EXPECT_EQ(final[0], PLAYER);
    for (u32 i = LADDER_SEMI_FINALISTS; i < TOURNAMENT_PLACES; ++i)
        EXPECT_NE(final[i], 0);
    EXPECT_EQ(rounds.back()[0], PLAYER);
    EXPECT_EQ(played.Opponent(TOURNAMENT_ROUNDS, PLAYER), 0) << "no game after the final";
}

TEST(TournamentLadder, SmallFieldsGiveThePlayerARealOpponentEveryRound) {
    // With six entrants the player meets one in each of the five rounds.
    TournamentLadder ladder;
    std::vector<s16> field = Field(6);
    ladder.Seed(field.data(), u32(field.size()));
    std::vector<s16> opponents;
    for (u8 r = 0; r < TOURNAMENT_ROUNDS; ++r) {
        s16 opponent = ladder.Opponent(r, PLAYER);
        opponents.push_back(opponent);
        ladder.PlayRound(
            r, [](s16 a, s16 b) { return a < b ? a : b; }, [](s16) {});
    }
    for (s16 id : opponents)
        EXPECT_NE(id, 0);
    EXPECT_EQ(ladder.Get(0), PLAYER);

    // Two entrants: a game in round 0, byes afterwards.
    TournamentLadder pair;
    std::vector<s16> two = Field(2);
    pair.Seed(two.data(), 2);
    EXPECT_EQ(pair.Opponent(0, PLAYER), 1);
    pair.PlayRound(
        0, [](s16, s16 b) { return b; }, [](s16) {});
    EXPECT_FALSE(pair.Contains(1, PLAYER));
    EXPECT_EQ(pair.Get(0), 1);
    EXPECT_EQ(pair.Opponent(1, 1), 0) << "a bye";
}

}  // namespace
