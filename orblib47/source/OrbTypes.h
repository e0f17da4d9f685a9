// Engine-wide basic types. A 32-bit quantity of the engine is int32_t/uint32_t,
// whatever the host's long is.
#pragma once

#include "console/types.h"

enum e_error_code : s32 {
    RET_NO_ERROR = 0,
    RET_WARNING = 1,
    RET_ERROR = 2,
};

// Four-character ids ("HEAP", " SYS") as big-endian words, as they read in memory.
constexpr u32 FourCC(const char (&s)[5]) {
    return (u32(u8(s[0])) << 24) | (u32(u8(s[1])) << 16) | (u32(u8(s[2])) << 8) | u32(u8(s[3]));
}
