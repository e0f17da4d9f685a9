// The console's two memory arenas, taken once at power-on: one large block of
// each, which the engine's heaps then manage.
#pragma once

#include "orblib47/source/OrbTypes.h"

void MemoryColdReset();
void MemoryExit();
u8* MemoryGetBase();
u32 MemoryGetSize();
u8* MemoryGetDebugBase();
u32 MemoryGetDebugSize();
