// The front end's sounds: every screen plays them with the effects mix of the
// settings at priority 3.
#pragma once

#include "orblib47/source/OrbTypes.h"

void FlashPlaySound(s32 id);
