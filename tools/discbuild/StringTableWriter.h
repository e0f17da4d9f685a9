// The payload of a "TXT" chunk: a localised string table.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

// The payload: data entry slot (0), language mask, table id, string count, one
// offset per string, then the NUL-terminated strings in order. A string holding a
// NUL, or a table past 4 GB, throws std::invalid_argument.
std::vector<u8> StringTablePayload(u32 language, s32 id, const std::vector<std::string>& strings);

}  // namespace discbuild
