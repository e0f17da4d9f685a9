// The demo disc's sounds.
#pragma once

#include <string>

#include "console/types.h"

namespace soundgen {

// The sound bank's data-file id: sound ids are this << 16 | the sound's index.
constexpr u32 kSoundBankId = 200;

// Writes DATA/MENUSND.WAD, the bank "SOUNDS" of lane and menu effects (in the order
// docs/disc.md lists), DATA/GAMESFX.WAD, the bank "GAMESFX" (id ALLEY_SFX_BANK_ID)
// of the lane's sounds in the order of e_AlleySound, and STREAM/MUSIC.ASF, whose stream 0 is the looping menu
// tune. Errors throw.
void BuildDiscSounds(const std::string& discDir);

}  // namespace soundgen
