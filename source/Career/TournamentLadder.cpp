#include "source/Career/TournamentLadder.h"

#include <algorithm>
#include <iterator>

namespace {

// Places in seeding order: place 0's partner in each round first, then the rest.
constexpr u32 FIRST_PLACES[] = {0, 1, 2, 4, 8, 16};

}  // namespace

void TournamentLadder::Clear() {
    std::fill(std::begin(m_Places), std::end(m_Places), s16(0));
}

void TournamentLadder::Seed(const s16* entrants, u32 count) {
    Clear();
    u32 order[TOURNAMENT_PLACES];
    u32 n = 0;
    for (u32 place : FIRST_PLACES)
        order[n++] = place;
    for (u32 place = 0; place < TOURNAMENT_PLACES; ++place)
        if (std::find(std::begin(FIRST_PLACES), std::end(FIRST_PLACES), place) == std::end(FIRST_PLACES))
            order[n++] = place;
    for (u32 i = 0; i < count && i < TOURNAMENT_PLACES; ++i)
        m_Places[order[i]] = entrants[i];
}

bool TournamentLadder::Contains(u8 round, s16 id) const {
    const u32 places = Places(round);
    return id != 0 && std::find(m_Places, m_Places + places, id) != m_Places + places;
}

s16 TournamentLadder::Opponent(u8 round, s16 id) const {
    const u32 places = Places(round);
    if (places < 2)
        return 0;
    for (u32 i = 0; i < places; ++i)
        if (id != 0 && m_Places[i] == id)
            return m_Places[i ^ 1];
    return 0;
}
