#include "source/Levels/LevelTable.h"

#include "source/Levels/AlleyLayout.h"
#include "source/Levels/BowlingLevel.h"

namespace {

// Even levels are the alleys' open play and practice, the odd level after each its
// tournament (a tournament's location); level 20 is the home alley of league
// nights. The demo disc has one alley and every row uses it. Open play oils the
// house pattern; tournaments the harder ones in turn.
constexpr s_LevelMgrDef Alley(const char* name, s32 oilPattern) {
    return {name,
            ALLEY_LEVEL_WAD,
            ALLEY_SCENE,
            oilPattern,
            BowlingLevelInit,
            BowlingLevelUpdate,
            BowlingLevelDeinit};
}

constexpr s32 kHouseOil = 0;

}  // namespace

const s_LevelMgrDef LevelMgrLevelList[] = {
    Alley("Rookie Lanes", kHouseOil),     Alley("Rookie Lanes Open", 1),
    Alley("Moonlight Lanes", kHouseOil),  Alley("Moonlight Lanes Open", 2),
    Alley("Harvest Bowl", kHouseOil),     Alley("Harvest Bowl Open", 3),
    Alley("Copper Lanes", kHouseOil),     Alley("Copper Lanes Open", 4),
    Alley("Riverside Bowl", kHouseOil),   Alley("Riverside Bowl Open", 5),
    Alley("Gale Point Lanes", kHouseOil), Alley("Gale Point Lanes Open", 1),
    Alley("Northlight Bowl", kHouseOil),  Alley("Northlight Bowl Open", 2),
    Alley("Timberline Lanes", kHouseOil), Alley("Timberline Lanes Open", 3),
    Alley("Coastal Bowl", kHouseOil),     Alley("Coastal Bowl Open", 4),
    Alley("Summit Lanes", kHouseOil),     Alley("Summit Lanes Open", 5),
    Alley("Hometown Lanes", kHouseOil),
};

const s32 LevelMgrLevelCount = s32(sizeof(LevelMgrLevelList) / sizeof(LevelMgrLevelList[0]));

static_assert(sizeof(LevelMgrLevelList) / sizeof(LevelMgrLevelList[0]) <= LEVEL_MAX);
