#include "orblib47/source/DebugFormat.h"

#include <cstdio>
#include <initializer_list>

namespace {

// The text of one byte; returns its length (1 or 4), without a terminator.
u32 EscapeByte(unsigned char byte, char* out) {
    if (byte >= 0x20 && byte < 0x7F) {
        out[0] = char(byte);
        return 1;
    }
    constexpr char kHex[] = "0123456789abcdef";
    out[0] = '\\';
    out[1] = 'x';
    out[2] = kHex[byte >> 4];
    out[3] = kHex[byte & 15];
    return 4;
}

}  // namespace

char* DebugFormatSint32(char* buffer, s32 value) {
    char* out = buffer;
    // The magnitude as unsigned, so the most negative value has one too.
    u32 magnitude = u32(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    bool started = false;
    for (u32 divisor : {1000000000u, 1000000u, 1000u}) {
        const u32 triple = magnitude / divisor;
        magnitude %= divisor;
        if (triple == 0 && !started)
            continue;
        out += std::sprintf(out, started ? "%03u," : "%u,", triple);
        started = true;
    }
    std::sprintf(out, started ? "%03u" : "%u", magnitude);
    return buffer;
}

std::string DebugEscape(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    char piece[4];
    for (char byte : raw)
        text.append(piece, EscapeByte(static_cast<unsigned char>(byte), piece));
    return text;
}

DebugName::DebugName(std::string_view raw) {
    char* out = text_;
    for (char byte : raw.substr(0, DEBUG_NAME_MAX))
        out += EscapeByte(static_cast<unsigned char>(byte), out);
    *out = '\0';
}
