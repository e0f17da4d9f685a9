// Developer entries of the start-up launcher that show screens. Each runs its own
// frames until it is done (or the program's frame limit comes) and returns 0.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The launcher's entry numbers: the level list, the game shell, the
// screen-template test; "the launcher" is its list itself, and the level launch
// the command line's straight start into a game, which the list does not offer.
constexpr s32 DEV_ENTRY_LEVEL_LAUNCH = -2;
constexpr s32 DEV_ENTRY_LAUNCHER = -1;
constexpr s32 DEV_ENTRY_LEVEL_MANAGER = 0;
constexpr s32 DEV_ENTRY_GAME_SHELL = 1;
constexpr s32 DEV_ENTRY_THIRD_STATE_TESTING = 10;

// DevEntriesLevel.cpp
// "Level Manager Menu": a list of the level table's names; the chosen level is
// loaded and played until it ends, then the list's archives are freed.
s32 LevelManagerMain();
// Bowls the command line's game (g_LevelLaunchOptions) on its alley; after the
// last frame A bowls another. Its start and one frame of it, for whoever steps it.
s32 LevelLaunchMain();
void LevelLaunchBegin();
void LevelLaunchFrame();

// DevEntries.cpp
// Shows the screen template until back is pressed.
s32 FlashThirdStateTesting();
// A ticker scrolling one long line across the middle of the screen until plus.
s32 TickerTesting();
// Plays the sixteen kudos movies one after the other; nothing while they are off.
s32 KudosRunAll();
