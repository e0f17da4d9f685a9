// The bowling level's handlers: every alley of the level table runs these.
#pragma once

// Once the alley is loaded and its scene runs: the lane, its oil, the HUD, the
// objects, the physics in idle time.
void BowlingLevelInit();
// One frame: the computer lanes, then the player's lane.
void BowlingLevelUpdate();
// Undoes BowlingLevelInit before the alley's data is freed.
void BowlingLevelDeinit();
