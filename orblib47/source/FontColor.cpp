// The colour names that "%C" codes in text switch to.
#include <cstring>

#include "orblib47/source/FontInternal.h"

// Searched in this order; the first exact match wins.
const s_font_colors FontColors[FONT_NUM_COLORS] = {
    {"CGREEN2", 0x99FFAEFFu},    {"CRED2", 0xA00000FFu},       {"CYELLOW2", 0xFFF478FFu},
    {"CBLUE2", 0x0000A0FFu},     {"CGREY2", 0xCCCCCCFFu},      {"CPURPLE", 0xA08CA0FFu},
    {"CNOCOLOR", 0xFFFFFFFFu},   {"CBLACK", 0x000000FFu},      {"CWHITE", 0xFFFFFFFFu},
    {"CRED", 0xFF0000FFu},       {"CORANGE", 0xFFA500FFu},     {"CLIGHTRED", 0xFF8080FFu},
    {"CGREEN", 0x00FF00FFu},     {"CLIGHTGREEN", 0x80FF80FFu}, {"CBLUE", 0x0000FFFFu},
    {"CLIGHTBLUE", 0x8080FFFFu}, {"CCYAN", 0x00FFFFFFu},       {"CYELLOW", 0xFFFF00FFu},
    {"CDARKGREY", 0x404040FFu},  {"CMIDGREY", 0x808080FFu},    {"CLIGHTGREY", 0xC0C0C0FFu},
    {"CRED3", 0x9B1E1EFFu},      {"CBROWN2", 0xA65C17FFu},
};

bool FontEndsName(char c) {
    return c == ' ' || c == '-' || c == '\n' || c == '\\' || c == '\0';
}

bool FontIsColorCode(const char* s) {
    return s[0] == '%' && s[1] == 'C';
}

u32 FontColorCodeLength(const char* s) {
    u32 n = 1;
    while (!FontEndsName(s[n]))
        ++n;
    return n;
}

const s_font_colors* FontFindColor(const char* s) {
    char name[FONT_COLOR_NAME_SIZE];
    u32 n = 0;
    for (const char* p = s + 1; !FontEndsName(*p) && n < FONT_COLOR_NAME_SIZE - 1; ++p)
        name[n++] = *p;
    name[n] = '\0';
    for (const s_font_colors& row : FontColors) {
        if (std::strcmp(row.name, name) == 0)
            return &row;
    }
    return nullptr;
}
