// The lane's heads-up display: power and spin meters, the aim line, the pin window
// and the scoreboard, drawn by its own task while a bowling level runs.
#pragma once

// Registers and kills the task "BowlingRenderThread". Start takes the in-game font
// from the level's HUD archive and loads the HUD's sprites; Stop frees them.
void BowlingHudStart();
void BowlingHudStop();
// The game's warm reset: the task and the handles went with the engine's pools.
void BowlingHudForget();
