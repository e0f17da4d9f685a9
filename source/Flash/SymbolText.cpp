#include "source/Flash/SymbolText.h"

#include <cstdio>

#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"

const char* SymbolText(u32 symbol) {
    u32 id = 0;
    if (SymbolTransLookup(symbol, &id) != RET_NO_ERROR)
        return "";
    return StringTableGetString(id);
}

namespace {

// Whether `format` takes exactly one int and nothing else: the text comes from
// the disc.
bool TakesOneNumber(const char* format) {
    s32 numbers = 0;
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c == 'd')
            ++numbers;
        else if (*c != '%')
            return false;
    }
    return numbers == 1;
}

}  // namespace

void SymbolTextFormat(char* out, u32 size, u32 symbol, s32 value) {
    const char* format = SymbolText(symbol);
    if (TakesOneNumber(format))
        std::snprintf(out, size, format, value);
    else
        std::snprintf(out, size, "%s", format);
}
