// The bowling database compiler: the text tables of a folder (docs/bowlingdb.md)
// to the big-endian image the game loads.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/types.h"

namespace dbcompile {

// The text of a table file by its name ("items.txt"); nothing when there is none.
using DbTableSource = std::function<std::optional<std::string>(const std::string& file)>;

// The image of the tables `source` gives; a fault throws std::invalid_argument
// "file:line: what", one line.
std::vector<u8> DbCompileTables(const DbTableSource& source);

// The image of the tables in `folder`, as DbCompileTables.
std::vector<u8> DbCompile(const std::string& folder);

// The demo disc's "DATABASE/ZQL07_BE.DB" from DATA_DIR/db, when that folder holds
// any table.
void BuildDiscDatabase(const std::string& dataDir, const std::string& discDir);

}  // namespace dbcompile
