// The screen and flow tests' remote, one character a press: u d l r the cross,
// a A, b B, 1 and 2 the remote's buttons, + plus, m minus, x plus and minus
// together, '-' or '.' a turn without a press.
#pragma once

#include <string>
#include <string_view>

#include "orblib47/source/OrbTypes.h"

// The pad's button word of a press.
u32 PadWord(char key);

// One update of screen `screen` per character of `presses`, pad `pad` holding
// that press; the pad is released after.
void PressOn(s32 screen, std::string_view presses, s32 pad = 0);

// An input script (docs/input.md) that connects the remote and presses `keys`
// from frame `first`, one every `every` frames, each held two frames.
std::string ScriptPresses(std::string_view keys, s32 first, s32 every);

// The script of one press of `key` from the next frame.
std::string ScriptPress(char key);
