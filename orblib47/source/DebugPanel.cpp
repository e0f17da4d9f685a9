// The bar panels of the overlays.
#include "orblib47/source/DebugDraw.h"

s_heap_def HeapDefs[DEBUG_HEAP_DEFS] = {};
s32 HeapDefIndex = 0;

void DebugDrawMemory() {}

void DebugDrawTiming(s_Irect16*, const s_timing_list*, s32) {}
