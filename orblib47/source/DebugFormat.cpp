#include "orblib47/source/DebugFormat.h"

#include <cstdio>
#include <initializer_list>

char* DebugFormatSint32(char* buffer, s32 value) {
    char* out = buffer;
    // The magnitude as unsigned, so the most negative value has one too.
    u32 magnitude = u32(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    bool started = false;
    for (u32 divisor : {1000000u, 1000u}) {
        u32 triple = magnitude / divisor;
        magnitude %= divisor;
        if (triple == 0 && !started)
            continue;
        out += std::sprintf(out, started ? "%03u," : "%u,", triple);
        started = true;
    }
    std::sprintf(out, "%03u", magnitude);
    return buffer;
}
