// CARD: the two memory card slots (channels 0 and 1). Both are empty unless a
// test puts something in them (console/host/card_control.h); CARDInit empties them.
#pragma once

#include "console/types.h"

constexpr s32 CARD_RESULT_READY = 0;
constexpr s32 CARD_RESULT_BUSY = -1;
constexpr s32 CARD_RESULT_WRONGDEVICE = -2;
constexpr s32 CARD_RESULT_NOCARD = -3;
constexpr s32 CARD_RESULT_FATAL_ERROR = -128;

constexpr s32 CARD_NUM_CHANS = 2;

void CARDInit();
// Non-blocking probe of a slot: CARD_RESULT_READY with the card's size (megabits)
// and sector size (bytes), else BUSY, WRONGDEVICE or NOCARD and the sizes are left
// alone; FATAL_ERROR for a channel that does not exist.
s32 CARDProbeEx(s32 chan, s32* memSize, s32* sectorSize);
