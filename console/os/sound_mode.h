// The system setting behind OSGetSoundMode. Internal to the console.
#pragma once

#include "console/types.h"

namespace console {

void SoundModeReset(u32 mode);

}  // namespace console
