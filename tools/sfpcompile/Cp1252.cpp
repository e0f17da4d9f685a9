#include "tools/sfpcompile/Cp1252.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "console/types.h"

namespace sfpc {

namespace {

// The characters of bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The next character of `text` from `at`, which it moves past it.
char32_t NextCharacter(std::string_view text, size_t& at) {
    const u8 lead = u8(text[at++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || at + size_t(extra) > text.size())
        throw std::invalid_argument("the text is not UTF-8");
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const u8 next = u8(text[at++]);
        if ((next & 0xC0) != 0x80)
            throw std::invalid_argument("the text is not UTF-8");
        code = code << 6 | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kShortest[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        throw std::invalid_argument("the text is not UTF-8");
    return code;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    for (size_t at = 0; at < utf8.size();) {
        const char32_t code = NextCharacter(utf8, at);
        if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            out += char(code);
            continue;
        }
        size_t high = 0;
        while (high < kHighControls.size() && kHighControls[high] != code)
            ++high;
        if (high == kHighControls.size()) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", unsigned(code));
            throw std::invalid_argument(std::string("character ") + name + " is not in Windows-1252");
        }
        out += char(0x80 + high);
    }
    return out;
}

}  // namespace sfpc
