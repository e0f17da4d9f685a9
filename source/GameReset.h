// The game's own resets, run by OrbMain after the engine's warm reset (and by the
// test fixture the same way): the cold reset brings every game global back to the
// state a fresh process has, the warm reset drops what lived in the engine's pools.
#pragma once

void GameColdReset();
void GameWarmReset();
