// Stores that go past the caches, for what the pixel threads write and
// other threads read next. A plain store first wins its line back from the
// cache of the thread that last read or wrote it, and stalls the thread
// while it waits (on a processor whose cores sit far apart, most of the
// time of such a loop). Streamed stores are ordered by a fence alone:
// StreamFence before anything hands the memory on.
#pragma once

#include <cstring>

#include "console/types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace console::gx {

// `bytes` (a multiple of 16) from `from` to `to`, both 16-byte aligned.
inline void StreamLines(void* to, const void* from, u32 bytes) {
#if defined(__SSE2__)
    auto* out = static_cast<__m128i*>(to);
    const auto* in = static_cast<const __m128i*>(from);
    for (u32 i = 0; i < bytes / sizeof(__m128i); ++i)
        _mm_stream_si128(out + i, _mm_load_si128(in + i));
#else
    std::memcpy(to, from, bytes);
#endif
}

inline void StreamFence() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

}  // namespace console::gx
