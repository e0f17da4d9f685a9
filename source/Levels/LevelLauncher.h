// The program's way into a game until the front end exists: which level, how many
// bowlers and which of them the computer bowls, given on the command line.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr s32 LAUNCH_DEFAULT_LEVEL = 20;
constexpr s32 MAX_LAUNCH_PLAYERS = 4;

struct LevelLaunchOptions {
    s32 level = LAUNCH_DEFAULT_LEVEL;
    s32 players = 1;
    u32 computerPlayers = 0;  // bit i: player i + 1 is a computer bowler
    u32 seed = 0;             // 0: from the clock
};

// What OrbMain starts; the command line fills it before the game starts.
extern LevelLaunchOptions g_LevelLaunchOptions;

// Where the launcher is: nothing started, loading, playing, the final scoreboard,
// or stopped after a failed load.
enum e_LaunchState : s32 {
    LAUNCH_IDLE,
    LAUNCH_LOADING,
    LAUNCH_PLAYING,
    LAUNCH_GAME_OVER,
    LAUNCH_FAILED,
};
extern e_LaunchState g_LaunchState;
