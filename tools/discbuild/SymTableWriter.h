// "SymTable.bin": the symbol translation table of the disc.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

// The file image: the symbol count, the list offset (8), then one big-endian value
// per symbol, in symbol order.
std::vector<u8> SymTableImage(const std::vector<u32>& values);
// Writes the image to `path`; false when the file cannot be written.
bool SymTableWrite(const std::string& path, const std::vector<u32>& values);

}  // namespace discbuild
