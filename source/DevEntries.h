// Developer entries of the start-up launcher that show screens. Each runs its own
// frames until it is done (or the program's frame limit comes) and returns 0.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The launcher's entry numbers: the straight start into a game, the game shell,
// the screen-template test; "the launcher" is its list itself.
constexpr s32 DEV_ENTRY_LAUNCHER = -1;
constexpr s32 DEV_ENTRY_LEVEL_MANAGER = 0;
constexpr s32 DEV_ENTRY_GAME_SHELL = 1;
constexpr s32 DEV_ENTRY_THIRD_STATE_TESTING = 10;

// Bowls the command line's game (g_LevelLaunchOptions) on its alley; after the
// last frame A bowls another. Its start and one frame of it, for whoever steps it.
s32 LevelManagerMain();
void LevelManagerStart();
void LevelManagerFrame();
// Shows the screen template until back is pressed.
s32 FlashThirdStateTesting();

// DevEntriesPending.cpp: the entries whose tools come later; each returns 0 at once.
s32 ViewResource();
s32 TickerTesting();
s32 KudosRunAll();
