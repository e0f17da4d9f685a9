// Texts the screens show by string symbol: the symbol table turns the symbol into
// a string id of the disc's text archives.
#pragma once

#include <cstdio>

#include "orblib47/source/OrbTypes.h"

// The string of `symbol`; "" when the symbol table lacks it.
const char* SymbolText(u32 symbol);

// Whether `format` converts exactly the arguments `kinds` names, in order ('d' a
// number, 's' a text), with nothing but "%%" besides.
bool SymbolFormatTakes(const char* format, const char* kinds);

namespace symboltext {
inline constexpr char Kind(s32) {
    return 'd';
}
inline constexpr char Kind(const char*) {
    return 's';
}
}  // namespace symboltext

// The text of `symbol` formatted with `args` (each an s32 or a text) into `out`
// of `size` bytes; the text is disc data, so one whose conversions do not match
// the arguments is shown as it is.
template <class... Args>
void SymbolTextFormat(char* out, u32 size, u32 symbol, Args... args) {
    const char* format = SymbolText(symbol);
    const char kinds[] = {symboltext::Kind(args)..., '\0'};
    if (SymbolFormatTakes(format, kinds))
        std::snprintf(out, size, format, args...);
    else
        std::snprintf(out, size, "%s", format);
}
