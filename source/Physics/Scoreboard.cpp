#include "source/Physics/Scoreboard.h"

namespace {

constexpr u32 RACK = 10;
constexpr u32 TENTH = SCOREBOARD_FRAMES - 1;

}  // namespace

void CScoreboard::Reset() {
    for (Game& g : m_Games)
        g = Game{};
}

// Walks the throws frame by frame: where each ball is shown and how many pins stood
// before it.
CScoreboard::Layout CScoreboard::Lay(const Game& g) {
    Layout l{};
    u32 frame = 0;
    u32 ball = 0;
    u32 standing = RACK;
    u32 tenthFirst = 0;
    for (u32 i = 0; i < g.throws; ++i) {
        l.ballSlot[i] = s32(frame < TENTH ? frame * 3 + ball : TENTH * 3 + ball);
        l.fullRack[i] = standing == RACK;
        standing -= g.pins[i];
        if (frame < TENTH) {
            if (standing == 0 || ball == 1) {
                ++frame;
                ball = 0;
                standing = RACK;
                tenthFirst = i + 1;
            } else {
                ball = 1;
            }
            continue;
        }
        ++ball;
        if (standing == 0)
            standing = RACK;  // the bonus balls get a fresh rack
        bool bonus =
            g.pins[tenthFirst] == RACK || (ball >= 2 && g.pins[tenthFirst] + g.pins[tenthFirst + 1] == RACK);
        if (ball == 3 || (ball == 2 && !bonus))
            l.over = true;
    }
    l.standing = standing;
    return l;
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
    Layout l = Lay(*g);
    for (u32 i = 0; i < g->throws; ++i) {
        if (l.ballSlot[i] != s32(slot))
            continue;
        u32 before = RACK;
        if (!l.fullRack[i])
            before = RACK - g->pins[i - 1];
        if (g->pins[i] == before)
            return l.fullRack[i] ? SCORE_STRIKE : SCORE_SPARE;
        return g->pins[i];
    }
    return SCORE_EMPTY;
}

bool CScoreboard::IsGameOver(u32 player) const {
    const Game* g = Get(player);
    return g != nullptr && Lay(*g).over;
}

u32 CScoreboard::GetTotalScore(u32 player) const {
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
    return CountBalls(
        player, [](const Game& g, const Layout& l, u32 i) { return l.fullRack[i] && g.pins[i] == RACK; });
}

u32 CScoreboard::GetSpares(u32 player) const {
    return CountBalls(player, [](const Game& g, const Layout& l, u32 i) {
        return !l.fullRack[i] && g.pins[i - 1] + g.pins[i] == RACK;
    });
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
        if (i < g->throws && l.fullRack[i] && g->pins[i] == RACK) {
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
