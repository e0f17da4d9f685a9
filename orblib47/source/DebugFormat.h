// Number text for the debug overlays and heap reports.
#pragma once

#include "orblib47/source/OrbTypes.h"

// Room for the longest text, "-2147,483,648", and its terminator.
constexpr u32 DEBUG_FORMAT_SINT32_SIZE = 16;

// Writes `value` with commas between digit triples ("-1,234,567"); the last triple
// is always three digits ("005"). Returns `buffer`, which must hold
// DEBUG_FORMAT_SINT32_SIZE characters.
char* DebugFormatSint32(char* buffer, s32 value);
