// Shared by the reset and disc-error modules. Internal.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The built-in 8x8 font: 8 rows of a character, the most significant bit leftmost;
// codes below 32 draw the space.
const u8* HardwareFontGlyph(u8 c);

// Each module forgets what the last warm reset's heap and task list held.
void HardwareResetForget();
void HardwareErrorForget();
void HardwareMuteForget();
