// The lane's heads-up display: power and spin meters, the aim line, the pin window
// and the scoreboard, drawn by its own task while a bowling level runs.
#pragma once

// Registers and kills the task "BowlingRenderThread".
void BowlingHudStart();
void BowlingHudStop();
