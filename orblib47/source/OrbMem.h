// Small memory and string helpers.
#pragma once

#include "orblib47/source/OrbTypes.h"

// Upper-cases the 26 ASCII letters in place; every other byte stays.
void str2upper(char* s);
// Copies n bytes; overlapping ranges copy correctly.
void MemMoveFast16(void* dst, const void* src, s32 n);
void MemClrFast16(void* p, s32 n);
