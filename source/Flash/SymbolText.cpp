#include "source/Flash/SymbolText.h"

#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"

const char* SymbolText(u32 symbol) {
    u32 id = 0;
    if (SymbolTransLookup(symbol, &id) != RET_NO_ERROR)
        return "";
    return StringTableGetString(id);
}
