// The lanes' oil: a database pattern laid on both lanes of the pair.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Physics/LaneManager.h"

static_assert(DB_OIL_ROWS == OIL_ROWS && DB_OIL_BOARDS == OIL_BOARDS, "an oil pattern is a lane's grid");

void CLaneManager::SetOilPattern(s32 id) {
    for (u32 i = 0; i < uDBOilPatternCount; ++i) {
        const s_DBOilPattern& pattern = dbOilPatternList[i];
        if (pattern.m_ID != id)
            continue;
        std::memcpy(LeftOil, pattern.m_Grid, sizeof(LeftOil));
        std::memcpy(RightOil, pattern.m_Grid, sizeof(RightOil));
        PlayerLane.PhysCPUOilLength = 12.0f * pattern.m_Length;
        iOilPatternNum = id;
        return;
    }
    DEBUG_PRINT("SetOilPattern: No oil pattern %d.\n", id);
}

u16* CLaneManager::GetOilPatternData(s32 lane) {
    return lane == 0 ? &LeftOil[0][0] : &RightOil[0][0];
}
