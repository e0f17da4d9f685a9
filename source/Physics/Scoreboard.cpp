#include "source/Physics/Scoreboard.h"

namespace {

constexpr u32 RACK = 10;
constexpr u32 TENTH = SCOREBOARD_FRAMES - 1;

// Pin i's place on the deck: its row from the head pin back, and a column counted
// in half pin spacings so that the pins of a row are two apart.
struct DeckSpot {
    s32 row;
    s32 column;
};
constexpr DeckSpot kDeck[NUM_PINS] = {{0, 0}, {1, -1}, {1, 1},  {2, -2}, {2, 0},
                                      {2, 2}, {3, -3}, {3, -1}, {3, 1},  {3, 3}};

bool Touching(s32 a, s32 b) {
    const s32 rows = kDeck[a].row - kDeck[b].row;
    const s32 columns = kDeck[a].column - kDeck[b].column;
    const s32 r = rows < 0 ? -rows : rows;
    const s32 c = columns < 0 ? -columns : columns;
    return (r == 0 && c == 2) || (r == 1 && c == 1) || (r == 2 && c == 0);
}

s32 PinAt(s32 row, s32 column) {
    for (s32 i = 0; i < NUM_PINS; ++i) {
        if (kDeck[i].row == row && kDeck[i].column == column)
            return i;
    }
    return -1;
}

}  // namespace

bool IsSplit(PinMask standing) {
    standing &= PIN_MASK_ALL;
    auto up = [&](s32 pin) { return pin >= 0 && (standing & PinBit(pin)) != 0; };
    if (up(0))
        return false;
    s32 first = -1;
    s32 count = 0;
    for (s32 i = 0; i < NUM_PINS; ++i) {
        if (up(i)) {
            first = first < 0 ? i : first;
            ++count;
        }
    }
    if (count < 2)
        return false;
    // A pin down right in front of two standing pins.
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const DeckSpot s = kDeck[i];
        if (!up(i) && up(PinAt(s.row + 1, s.column - 1)) && up(PinAt(s.row + 1, s.column + 1)))
            return true;
    }
    // Standing pins that do not all touch.
    PinMask reached = PinBit(first);
    for (bool grew = true; grew;) {
        grew = false;
        for (s32 a = 0; a < NUM_PINS; ++a) {
            if (!up(a) || (reached & PinBit(a)))
                continue;
            for (s32 b = 0; b < NUM_PINS; ++b) {
                if ((reached & PinBit(b)) && Touching(a, b)) {
                    reached |= PinBit(a);
                    grew = true;
                    break;
                }
            }
        }
    }
    return reached != standing;
}

void CScoreboard::Reset() {
    for (Game& g : m_Games)
        g = Game{};
}

// Walks the throws frame by frame: where each ball is shown, whether it met a fresh
// rack, and how many pins stand for the next ball.
CScoreboard::Layout CScoreboard::Lay(const Game& g) {
    Layout l{};
    u32 frame = 0;
    u32 ball = 0;
    u32 standing = RACK;
    bool fresh = true;
    u32 tenthFirst = 0;
    for (u32 i = 0; i < g.throws; ++i) {
        l.ballSlot[i] = s32(frame < TENTH ? frame * 3 + ball : TENTH * 3 + ball);
        l.freshRack[i] = fresh;
        standing -= g.pins[i];
        if (frame < TENTH) {
            if (standing == 0 || ball == 1) {
                ++frame;
                ball = 0;
                standing = RACK;
                fresh = true;
                tenthFirst = i + 1;
            } else {
                ball = 1;
                fresh = false;
            }
            continue;
        }
        ++ball;
        // The tenth's bonus balls get a fresh rack after a strike or a spare.
        fresh = standing == 0;
        if (fresh)
            standing = RACK;
        bool bonus =
            g.pins[tenthFirst] == RACK || (ball >= 2 && g.pins[tenthFirst] + g.pins[tenthFirst + 1] == RACK);
        if (ball == 3 || (ball == 2 && !bonus))
            l.over = true;
    }
    l.nextFresh = fresh;
    l.standing = standing;
    l.frame = frame;
    l.ball = ball;
    l.over = l.over || g.forfeited;
    return l;
}

s32 CScoreboard::Mark(const Game& g, const Layout& l, u32 i) {
    if (l.freshRack[i])
        return g.pins[i] == RACK ? SCORE_STRIKE : g.pins[i];
    return g.pins[i - 1] + g.pins[i] == RACK ? SCORE_SPARE : g.pins[i];
}

bool CScoreboard::AddThrow(u32 player, u32 pins, bool split, bool gutter) {
    if (player >= SCOREBOARD_PLAYERS)
        return false;
    Game& g = m_Games[player];
    Layout l = Lay(g);
    if (l.over || g.throws >= SCOREBOARD_MAX_THROWS || pins > l.standing)
        return false;
    g.pins[g.throws] = u8(pins);
    g.split[g.throws] = split;
    g.gutter[g.throws] = gutter;
    ++g.throws;
    return true;
}

// The running total after `frame`, or -1 while a ball it needs is still to come.
s32 CScoreboard::FrameTotal(const Game& g, u32 frame, u32* firstThrow) {
    s32 total = 0;
    u32 t = 0;
    for (u32 f = 0; f <= frame; ++f) {
        u32 left = g.throws > t ? g.throws - t : 0;
        u32 need;
        u32 used;
        if (f == TENTH) {
            need = left >= 2 && g.pins[t] + g.pins[t + 1] >= RACK ? 3 : 2;
            used = need;
        } else if (left >= 1 && g.pins[t] == RACK) {
            need = 3;
            used = 1;
        } else {
            need = left >= 2 && g.pins[t] + g.pins[t + 1] == RACK ? 3 : 2;
            used = 2;
        }
        if (left < need)
            return -1;
        for (u32 k = 0; k < need; ++k)
            total += g.pins[t + k];
        if (firstThrow)
            *firstThrow = t;
        t += used;
    }
    return total;
}

s32 CScoreboard::GetScoreVal(u32 player, u32 slot) const {
    const Game* g = Get(player);
    if (g == nullptr || slot >= SCOREBOARD_SLOTS)
        return SCORE_EMPTY;
    if (slot == 31) {
        s32 total = SCORE_EMPTY;
        for (u32 f = 0; f < SCOREBOARD_FRAMES; ++f) {
            s32 t = FrameTotal(*g, f, nullptr);
            if (t < 0)
                break;
            total = t;
        }
        return total;
    }
    if (slot == 30)
        return FrameTotal(*g, TENTH, nullptr);
    if (slot < TENTH * 3 && slot % 3 == 2)
        return FrameTotal(*g, slot / 3, nullptr);
    const Layout l = Lay(*g);
    for (u32 i = 0; i < g->throws; ++i) {
        if (l.ballSlot[i] == s32(slot))
            return Mark(*g, l, i);
    }
    return SCORE_EMPTY;
}

bool CScoreboard::IsGameOver(u32 player) const {
    const Game* g = Get(player);
    return g != nullptr && Lay(*g).over;
}

ScoreNextBall CScoreboard::GetNextBall(u32 player) const {
    const Game* g = Get(player);
    if (g == nullptr)
        return {0, 0, false, true};
    const Layout l = Lay(*g);
    return {l.frame, l.ball, l.nextFresh, l.over};
}

e_Kudos CScoreboard::ClassifyLastThrow(u32 player) const {
    const Game* g = Get(player);
    if (g == nullptr || g->throws == 0)
        return KUDOS_NONE;
    const Layout l = Lay(*g);
    const u32 last = g->throws - 1;
    auto strike = [&](u32 i) { return Mark(*g, l, i) == SCORE_STRIKE; };
    if (strike(last)) {
        u32 run = 0;
        for (u32 i = g->throws; i-- > 0 && strike(i);)
            ++run;
        return run % 6 == 0 ? KUDOS_SIXPACK : run % 3 == 0 ? KUDOS_TURKEY : KUDOS_STRIKE;
    }
    if (Mark(*g, l, last) == SCORE_SPARE)
        return KUDOS_SPARE;
    if (g->split[last])
        return KUDOS_SPLIT;
    if (g->gutter[last])
        return KUDOS_GUTTER;
    return KUDOS_NONE;
}

void CScoreboard::Forfeit(u32 player) {
    if (player < SCOREBOARD_PLAYERS)
        m_Games[player].forfeited = true;
}

u32 CScoreboard::GetTotalScore(u32 player) const {
    const Game* g = Get(player);
    if (g == nullptr || g->forfeited)
        return 0;
    s32 total = GetScoreVal(player, 31);
    return total < 0 ? 0 : u32(total);
}

template <class Counts>
u32 CScoreboard::CountBalls(u32 player, Counts counts) const {
    const Game* g = Get(player);
    if (g == nullptr)
        return 0;
    const Layout l = Lay(*g);
    u32 n = 0;
    for (u32 i = 0; i < g->throws; ++i)
        n += counts(*g, l, i);
    return n;
}

u32 CScoreboard::GetStrikes(u32 player) const {
    return CountBalls(player,
                      [](const Game& g, const Layout& l, u32 i) { return Mark(g, l, i) == SCORE_STRIKE; });
}

u32 CScoreboard::GetSpares(u32 player) const {
    return CountBalls(player,
                      [](const Game& g, const Layout& l, u32 i) { return Mark(g, l, i) == SCORE_SPARE; });
}

u32 CScoreboard::GetSplits(u32 player) const {
    return CountBalls(player, [](const Game& g, const Layout&, u32 i) { return g.split[i] != 0; });
}

u32 CScoreboard::GetGutters(u32 player) const {
    return CountBalls(player, [](const Game& g, const Layout&, u32 i) { return g.gutter[i] != 0; });
}

u32 CScoreboard::CountRuns(u32 player, u32 length) const {
    const Game* g = Get(player);
    if (g == nullptr)
        return 0;
    Layout l = Lay(*g);
    u32 count = 0;
    u32 run = 0;
    for (u32 i = 0; i <= g->throws; ++i) {
        if (i < g->throws && Mark(*g, l, i) == SCORE_STRIKE) {
            ++run;
            continue;
        }
        count += run / length;
        run = 0;
    }
    return count;
}

u32 CScoreboard::GetTurkeys(u32 player) const {
    return CountRuns(player, 3);
}

u32 CScoreboard::GetSixPacks(u32 player) const {
    return CountRuns(player, 6);
}
