// Texts the screens show by string symbol: the symbol table turns the symbol into
// a string id of the disc's text archives.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The string of `symbol`; "" when the symbol table lacks it.
const char* SymbolText(u32 symbol);
