#include "source/Flash/SymbolText.h"

#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"

const char* SymbolText(u32 symbol) {
    u32 id = 0;
    if (SymbolTransLookup(symbol, &id) != RET_NO_ERROR)
        return "";
    return StringTableGetString(id);
}

bool SymbolFormatTakes(const char* format, const char* kinds) {
    const char* kind = kinds;
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c == '%')
            continue;
        if (*kind == '\0' || *c != *kind)
            return false;
        ++kind;
    }
    return *kind == '\0';
}
