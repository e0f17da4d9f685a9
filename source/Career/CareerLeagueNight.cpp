// The interrupted league night of a slot: both bowlers' throw counts and the oil left
// on the two lanes, kept until the night is resumed.
#include <algorithm>

#include "source/Career/CareerCharacter.h"
#include "source/Career/SaveData.h"

void CCareerCharacter::SetPlayerThrows(u32 count) {
    Current().m_PlayerThrows = std::min(count, LEAGUE_NIGHT_MAX_THROWS);
}
void CCareerCharacter::SetOpponentThrows(u32 count) {
    Current().m_OpponentThrows = std::min(count, LEAGUE_NIGHT_MAX_THROWS);
}
void CCareerCharacter::SetLeftOil(const u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]) {
    std::copy_n(&grid[0][0], DB_OIL_ROWS * DB_OIL_BOARDS, &Current().m_LeftOil[0][0]);
}
void CCareerCharacter::SetRightOil(const u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]) {
    std::copy_n(&grid[0][0], DB_OIL_ROWS * DB_OIL_BOARDS, &Current().m_RightOil[0][0]);
}

namespace {

s_CareerSlot* SlotRecord(s8 slot) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    return career != nullptr ? career->GetSlot(slot) : nullptr;
}

constexpr u32 OIL_CELLS = DB_OIL_ROWS * DB_OIL_BOARDS;

}  // namespace

// Layout: player throws, opponent throws (u32 each), then the left and the right grid
// row by row (u16 each). A missing slot is written as a night with nothing in it.
void LeagueNightSave(s8 slot, SaveWriter& out) {
    s_CareerSlot empty{};
    const s_CareerSlot* record = SlotRecord(slot);
    if (record == nullptr)
        record = &empty;
    out.U32(record->m_PlayerThrows);
    out.U32(record->m_OpponentThrows);
    for (const auto* grid : {&record->m_LeftOil, &record->m_RightOil})
        for (u32 i = 0; i < OIL_CELLS; ++i)
            out.U16((&(*grid)[0][0])[i]);
}

bool LeagueNightLoad(s8 slot, ChunkCursor& in) {
    s_CareerSlot* record = SlotRecord(slot);
    if (record == nullptr)
        return false;
    u32 playerThrows = 0;
    u32 opponentThrows = 0;
    u16 grids[2][OIL_CELLS];
    in.U32(&playerThrows);
    in.U32(&opponentThrows);
    for (auto& grid : grids)
        for (u16& cell : grid)
            in.U16(&cell);
    if (!in.Ok() || playerThrows > LEAGUE_NIGHT_MAX_THROWS || opponentThrows > LEAGUE_NIGHT_MAX_THROWS)
        return false;
    record->m_PlayerThrows = playerThrows;
    record->m_OpponentThrows = opponentThrows;
    std::copy_n(grids[0], OIL_CELLS, &record->m_LeftOil[0][0]);
    std::copy_n(grids[1], OIL_CELLS, &record->m_RightOil[0][0]);
    return true;
}
