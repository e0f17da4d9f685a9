// An oil pattern's lane grid from its recipe: full oil up to the taper, thinning
// linearly to nothing at the pattern's length; the centre boards carry the centre
// oil, the outer boards the edge oil, and the dry boards at each gutter none.
#include <algorithm>
#include <cmath>

#include "source/BowlingDb/BowlingDbInternal.h"

namespace {

constexpr s32 kCentreBoard = (DB_OIL_BOARDS - 1) / 2;

u32 BoardOil(const s_DbOilRecipe& recipe, s32 board) {
    const s32 dry = s32(recipe.dryBoards);
    if (board < dry || board > s32(DB_OIL_BOARDS) - 1 - dry)
        return 0;
    return std::abs(board - kCentreBoard) * 2 <= s32(recipe.centreBoards) ? recipe.centreOil : recipe.edgeOil;
}

}  // namespace

void BuildOilGrid(const s_DbOilRecipe& recipe, f32 length, u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]) {
    for (u32 row = 0; row < DB_OIL_ROWS; ++row) {
        const f64 foot = row + 0.5;  // the middle of the row's foot
        const f64 toEnd = f64(length) - foot;
        f64 factor = 0.0;
        if (toEnd > recipe.taperFeet)
            factor = 1.0;
        else if (toEnd > 0.0)
            factor = std::min(1.0, toEnd / recipe.taperFeet);  // never above the full oil
        for (u32 board = 0; board < DB_OIL_BOARDS; ++board)
            grid[row][board] = u16(std::lround(BoardOil(recipe, s32(board)) * factor));
    }
}
