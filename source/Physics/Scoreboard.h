// The score table of a game of up to four bowlers: each throw's pins, whether the
// leave was a split and whether the ball went into the gutter, ten-pin scoring
// with the tenth frame's bonus balls, and the counts the career keeps.
#pragma once

#include "source/Physics/PhysicsTypes.h"

constexpr u32 SCOREBOARD_PLAYERS = 4;
constexpr u32 SCOREBOARD_FRAMES = 10;
constexpr u32 SCOREBOARD_MAX_THROWS = 21;
constexpr u32 SCOREBOARD_SLOTS = 32;

// Values of a ball slot.
constexpr s32 SCORE_EMPTY = -1;
constexpr s32 SCORE_SPARE = 10;
constexpr s32 SCORE_STRIKE = 11;

// What a throw earns on screen.
enum e_Kudos : s32 {
    KUDOS_NONE,
    KUDOS_STRIKE,
    KUDOS_SPARE,
    KUDOS_TURKEY,
    KUDOS_SIXPACK,
    KUDOS_SPLIT,
    KUDOS_GUTTER,
};

// Where a player's game stands: the ball to be bowled next. It meets a fresh rack
// when it is a frame's first ball, or in the tenth one after a strike or a spare;
// ten pins standing after a ball that took none are still that frame's leave.
struct ScoreNextBall {
    u32 frame;  // 0..9
    u32 ball;   // of the frame: 0..2
    bool freshRack;
    bool over;  // no ball is left to bowl
};

// A leave is a split when the head pin is down and two or more pins stand with a
// gap: not all touching (a pin straight behind another counts as touching), or a
// pin down right in front of two standing pins (the 5-6, the 2-3).
bool IsSplit(PinMask standing);

class CScoreboard {
public:
    // A new game for every player.
    void Reset();

    // Records the next ball of a player: the pins it knocked down; `split` marks the
    // leave it made, `gutter` a ball that left the lane through the gutter. Refused
    // (false) for a finished game or more pins than stand.
    bool AddThrow(u32 player, u32 pins, bool split = false, bool gutter = false);

    // slot = frame * 3 + ball. Frames 1..9: balls in slots 0 and 1 (a strike is 11 in
    // the first and leaves the second empty, a spare is 10), the frame's running
    // total in slot 2 once its bonus balls are known. Tenth frame: its three balls
    // in slots 27..29, its running total in 30 and the game total so far in 31.
    // -1 for an empty slot or an unknown total.
    s32 GetScoreVal(u32 player, u32 slot) const;

    bool IsGameOver(u32 player) const;
    ScoreNextBall GetNextBall(u32 player) const;
    // The kudos the player's last ball earned: a strike that completes six strikes in
    // a row is a six-pack, three a turkey, else a strike; then a spare, a split leave,
    // a gutter ball; KUDOS_NONE for anything else.
    e_Kudos ClassifyLastThrow(u32 player) const;
    // A game given up: it is over, and totals 0 so that it never wins.
    void Forfeit(u32 player);
    bool IsForfeited(u32 player) const { return player < SCOREBOARD_PLAYERS && m_Games[player].forfeited; }
    // The total of the frames scored so far (the final score once the game is over).
    u32 GetTotalScore(u32 player) const;

    u32 GetStrikes(u32 player) const;
    u32 GetSpares(u32 player) const;
    u32 GetSplits(u32 player) const;
    u32 GetGutters(u32 player) const;
    // Runs of strikes in a row: every full three of a run is a turkey, every full six
    // a six-pack (a perfect game of twelve strikes holds four turkeys, two six-packs).
    u32 GetTurkeys(u32 player) const;
    u32 GetSixPacks(u32 player) const;

private:
    struct Game {
        u8 pins[SCOREBOARD_MAX_THROWS];
        u8 split[SCOREBOARD_MAX_THROWS];
        u8 gutter[SCOREBOARD_MAX_THROWS];
        u32 throws;
        bool forfeited;
    };
    // Per throw: its slot and whether it met a fresh rack (as ScoreNextBall says),
    // which is what makes ten pins a strike rather than a spare.
    struct Layout {
        s32 ballSlot[SCOREBOARD_MAX_THROWS];
        u8 freshRack[SCOREBOARD_MAX_THROWS];
        bool nextFresh;  // the same for the next ball
        u32 standing;    // pins standing for the next ball
        u32 frame;       // of the next ball
        u32 ball;
        bool over;
    };

    const Game* Get(u32 player) const { return player < SCOREBOARD_PLAYERS ? &m_Games[player] : nullptr; }
    // How many of a player's balls `counts(game, layout, ball)` accepts.
    template <class Counts>
    u32 CountBalls(u32 player, Counts counts) const;
    static Layout Lay(const Game& g);
    // Ball i as its box shows it: SCORE_STRIKE, SCORE_SPARE or its pins. Every count
    // and kudos asks this.
    static s32 Mark(const Game& g, const Layout& l, u32 i);
    static s32 FrameTotal(const Game& g, u32 frame, u32* firstThrow);
    u32 CountRuns(u32 player, u32 length) const;

    Game m_Games[SCOREBOARD_PLAYERS]{};
};
