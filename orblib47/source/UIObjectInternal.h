// What the toolkit's core files share with each other only.
#pragma once

#include "orblib47/source/OrbTypes.h"

// A record closed while the UI pass runs keeps its links, so that the pass can walk
// on from it, and is freed when the pass ends. The top bit: the low ones belong to
// the widgets and tools (the structure editor's 0x100 marks its scrolling controls).
constexpr u32 kUIObjectClosed = 0x80000000;

extern s32 UIObjectPassRunning;

// Frees the records closed during the pass.
void UIObjectFreeClosed();
