// Heap poisoning under AddressSanitizer. The system heaps and the engine's heaps
// live inside the arenas, one host block each, so the sanitizer sees none of their
// blocks; they mark what no caller may touch (free space, block headers, the slack
// after a block) so that an access to it is reported. Without the sanitizer every
// call compiles to nothing.
#pragma once

#include <cstddef>

#include "console/types.h"

#if defined(__SANITIZE_ADDRESS__)
#define BOWLING_HEAP_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BOWLING_HEAP_POISON 1
#endif
#endif

#ifdef BOWLING_HEAP_POISON
#include <sanitizer/asan_interface.h>

inline void PoisonMemory(const void* start, std::size_t bytes) {
    ASAN_POISON_MEMORY_REGION(start, bytes);
}
inline void UnpoisonMemory(const void* start, std::size_t bytes) {
    ASAN_UNPOISON_MEMORY_REGION(start, bytes);
}
// Reads an aligned word whether or not it is poisoned, leaving it as it was.
__attribute__((no_sanitize_address, noinline)) inline u32 PeekPoisoned32(const void* word) {
    return *static_cast<const volatile u32*>(word);
}
#else
inline void PoisonMemory(const void*, std::size_t) {}
inline void UnpoisonMemory(const void*, std::size_t) {}
inline u32 PeekPoisoned32(const void* word) {
    return *static_cast<const u32*>(word);
}
#endif
