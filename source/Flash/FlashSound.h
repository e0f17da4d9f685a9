// The front end's sounds: every screen plays them from the menu bank with the
// effects mix of the settings at priority 3.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_wad;

// Loads the menu sounds' archive; null, after one line, when it does not load or
// holds not the menu bank. The menus are then silent.
s_wad* FlashSoundLoadBank(const char* wad);
// Nothing while the menu bank is not loaded.
void FlashPlaySound(s32 id);
