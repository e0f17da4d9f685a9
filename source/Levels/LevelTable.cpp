#include "source/Levels/LevelTable.h"

#include "source/Levels/AlleyLayout.h"
#include "source/Levels/BowlingLevel.h"

namespace {

// Even levels are the alleys' open play and practice, the odd level after each its
// tournament (a tournament's location); level 20 is the home alley of league
// nights. A level pair shares its place's alley. Open play oils the house
// pattern; tournaments the harder ones in turn.
constexpr s_LevelMgrDef Alley(const char* name, s32 level, s32 oilPattern) {
    return {name,
            ALLEY_PLACE_WADS[level / 2],
            ALLEY_SCENE,
            oilPattern,
            BowlingLevelInit,
            BowlingLevelUpdate,
            BowlingLevelDeinit};
}

constexpr s32 kHouseOil = 0;

}  // namespace

const s_LevelMgrDef LevelMgrLevelList[] = {
    Alley("Rookie Lanes", 0, kHouseOil),      Alley("Rookie Lanes Open", 1, 1),
    Alley("Moonlight Lanes", 2, kHouseOil),   Alley("Moonlight Lanes Open", 3, 2),
    Alley("Harvest Bowl", 4, kHouseOil),      Alley("Harvest Bowl Open", 5, 3),
    Alley("Copper Lanes", 6, kHouseOil),      Alley("Copper Lanes Open", 7, 4),
    Alley("Riverside Bowl", 8, kHouseOil),    Alley("Riverside Bowl Open", 9, 5),
    Alley("Gale Point Lanes", 10, kHouseOil), Alley("Gale Point Lanes Open", 11, 1),
    Alley("Northlight Bowl", 12, kHouseOil),  Alley("Northlight Bowl Open", 13, 2),
    Alley("Timberline Lanes", 14, kHouseOil), Alley("Timberline Lanes Open", 15, 3),
    Alley("Coastal Bowl", 16, kHouseOil),     Alley("Coastal Bowl Open", 17, 4),
    Alley("Summit Lanes", 18, kHouseOil),     Alley("Summit Lanes Open", 19, 5),
    Alley("Hometown Lanes", 20, kHouseOil),
};

const s32 LevelMgrLevelCount = s32(sizeof(LevelMgrLevelList) / sizeof(LevelMgrLevelList[0]));

static_assert(sizeof(LevelMgrLevelList) / sizeof(LevelMgrLevelList[0]) <= LEVEL_MAX);
