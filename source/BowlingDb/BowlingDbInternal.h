// The database loader's non-fatal core, for BowlingDbLoad, the tests and the
// fuzzer.
#pragma once

#include <string>

#include "source/BowlingDb/BowlingDb.h"

// The shell-light sets, one per usage, that GetShellLight searches.
extern s_ShellLight* ShellLightList;
extern u32 ShellLightCount;

// Parses a whole database image and, when every check passes, installs every
// table (freeing the previous load); otherwise installs nothing, prints one line
// and gives it in `error`.
bool BowlingDbParse(const u8* data, u32 size, std::string* error);

// Frees the loaded tables and empties every table global.
void BowlingDbFree();

// The oil recipe of a pattern row, and the grid it gives.
struct s_DbOilRecipe {
    u32 centreOil;
    u32 edgeOil;
    u32 centreBoards;
    u32 dryBoards;
    f32 taperFeet;
};
void BuildOilGrid(const s_DbOilRecipe& recipe, f32 length, u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]);
