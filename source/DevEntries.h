// Developer entries of the start-up launcher that show screens. Each runs its own
// frames until it is done (or the program's frame limit comes) and returns 0.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The launcher's entry number of the screen-template test.
constexpr s32 DEV_ENTRY_THIRD_STATE_TESTING = 10;

// Shows the screen template until back is pressed.
s32 FlashThirdStateTesting();
