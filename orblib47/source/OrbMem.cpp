#include "orblib47/source/OrbMem.h"

#include <cstring>

void str2upper(char* s) {
    for (; *s != '\0'; ++s) {
        if (*s >= 'a' && *s <= 'z')
            *s = char(*s - ('a' - 'A'));
    }
}

// The console copied whole words (n rounded up to 4); only the n bytes asked for
// are touched here, so nothing past the destination is overwritten.
void MemMoveFast16(void* dst, const void* src, s32 n) {
    if (n > 0)
        std::memmove(dst, src, std::size_t(n));
}

void MemClrFast16(void* p, s32 n) {
    if (n > 0)
        std::memset(p, 0, std::size_t(n));
}
