// The bowling database compiler: the text tables of a folder (docs/bowlingdb.md)
// to the big-endian image the game loads.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace dbcompile {

// The image of the tables in `folder`; a fault throws std::invalid_argument
// "file:line: what".
std::vector<u8> DbCompile(const std::string& folder);

// The demo disc's "DATABASE/ZQL07_BE.DB" from DATA_DIR/db, when that folder holds
// any table.
void BuildDiscDatabase(const std::string& dataDir, const std::string& discDir);

}  // namespace dbcompile
