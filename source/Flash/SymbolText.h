// Texts the screens show by string symbol: the symbol table turns the symbol into
// a string id of the disc's text archives.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The string of `symbol`; "" when the symbol table lacks it.
const char* SymbolText(u32 symbol);

// The text of `symbol` with `value` in its one "%d", into `out` of `size` bytes;
// a disc text of any other shape is shown as it is.
void SymbolTextFormat(char* out, u32 size, u32 symbol, s32 value);
