// PAD: the GameCube controller ports.
#pragma once

#include "console/types.h"

constexpr u32 PAD_CHAN0_BIT = 0x80000000;
constexpr u32 PAD_CHAN1_BIT = 0x40000000;
constexpr u32 PAD_CHAN2_BIT = 0x20000000;
constexpr u32 PAD_CHAN3_BIT = 0x10000000;

BOOL PADInit();
// No GameCube controller is ever connected to the host's ports: nothing to do.
BOOL PADRecalibrate(u32 mask);
