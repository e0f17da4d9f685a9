// The order the symbols of a movie are stored in: the root first, and every
// symbol before the symbols it holds, as the loader requires.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/sfpcompile/SfpSource.h"

namespace sfpc {

// The symbols' source indexes in stored order. A reference to no symbol, or
// symbols that hold themselves, throw std::invalid_argument "FILE:LINE: what".
std::vector<size_t> OrderSymbols(const MovieSource& movie, const std::map<std::string, size_t>& byName);

}  // namespace sfpc
