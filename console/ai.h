// AI: the audio interface. It plays blocks of 16-bit stereo samples (left, right,
// host byte order) at 32 kHz from main memory by DMA: AIInitDMA names the next
// block, and at the end of each block's play time the DMA callback runs, where the
// owner names the following block. AX drives it; a movie player may chain its own
// callback in front of AX's.
#pragma once

#include "console/types.h"

using AIDCallback = void (*)();

void AIInit(u8* stack);  // the stack is unused here
BOOL AICheckInit();
AIDCallback AIRegisterDMACallback(AIDCallback callback);
// start: physical address, 32-byte aligned; length: bytes, a multiple of 32.
void AIInitDMA(u32 start, u32 length);
void AIStartDMA();
void AIStopDMA();
u32 AIGetDMAStartAddr();
u32 AIGetDMALength();
