// Fixed-width types of the console's system services. The console's processor is
// 32-bit: every 32-bit quantity here is an int32_t/uint32_t, never a host long.
#pragma once

#include <cstdint>

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;
using s8 = std::int8_t;
using s16 = std::int16_t;
using s32 = std::int32_t;
using s64 = std::int64_t;
using f32 = float;
using f64 = double;
using BOOL = int;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
