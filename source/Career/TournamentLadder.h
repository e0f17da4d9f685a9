// A knock-out ladder of 32 places. Round r is played between the pairs of places
// (2k, 2k + 1) of its first 32 >> r places; the winner moves to place k, an empty
// partner place is a bye. The final (round 4) also keeps the four semi-finalists
// in places 28..31 for the ladder screen.
#pragma once

#include "source/Career/CareerTypes.h"

constexpr u8 TOURNAMENT_ROUNDS = 5;
constexpr u32 LADDER_SEMI_FINALISTS = 28;

class TournamentLadder {
public:
    void Clear();
    // entrants[0] takes place 0; the others follow in an order that gives place 0 a
    // real opponent in as many rounds as the field allows (places 1, 2, 4, 8, 16 first).
    void Seed(const s16* entrants, u32 count);

    s16 Get(u32 place) const { return place < TOURNAMENT_PLACES ? m_Places[place] : 0; }
    void Set(u32 place, s16 id) {
        if (place < TOURNAMENT_PLACES)
            m_Places[place] = id;
    }
    // The bowler paired with `id` in the round; 0 for a bye or when `id` is out.
    s16 Opponent(u8 round, s16 id) const;
    bool Contains(u8 round, s16 id) const;

    // Plays a round: `play(a, b)` returns the winner of a game between two bowlers
    // and `lost(loser)` hears of each loser.
    template <class Play, class Lost>
    void PlayRound(u8 round, Play play, Lost lost) {
        const u32 places = Places(round);
        s16 winners[TOURNAMENT_PLACES / 2]{};
        for (u32 k = 0; k < places / 2; ++k) {
            s16 a = m_Places[2 * k];
            s16 b = m_Places[2 * k + 1];
            if (a != 0 && b != 0) {
                winners[k] = play(a, b);
                lost(winners[k] == a ? b : a);
            } else {
                winners[k] = a != 0 ? a : b;
            }
        }
        if (round == TOURNAMENT_ROUNDS - 2)
            for (u32 i = 0; i < 4; ++i)
                m_Places[LADDER_SEMI_FINALISTS + i] = m_Places[i];
        const u32 keep = round == TOURNAMENT_ROUNDS - 2 ? LADDER_SEMI_FINALISTS : places;
        for (u32 i = 0; i < keep; ++i)
            m_Places[i] = i < places / 2 ? winners[i] : 0;
    }

    static u32 Places(u8 round) { return round < TOURNAMENT_ROUNDS ? TOURNAMENT_PLACES >> round : 1; }

private:
    s16 m_Places[TOURNAMENT_PLACES]{};
};
