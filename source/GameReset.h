// The game's own resets, run once by OrbMain right after the engine's warm reset
// (and by the test fixture the same way): the cold reset brings every game global
// back to the state a fresh process has, the warm reset drops what lived in the
// engine's pools. A game module with global state registers its reset as a step in
// the tables of GameReset.cpp.
#pragma once

void GameColdReset();
void GameWarmReset();
// The game's part of the engine cold reset (the handlers of the game's instance
// types); installed with InstanceSetGameColdReset before OrblibColdReset.
void GameEngineColdReset();
