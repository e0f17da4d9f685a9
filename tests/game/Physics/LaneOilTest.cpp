#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "source/Levels/AlleyLayout.h"
#include "source/Physics/LaneManager.h"
#include "tests/game/Career/TestBowlingDb.h"
#include "tests/support/GameFixture.h"

namespace {

using LaneOilTest = GameFixture;

TEST_F(LaneOilTest, APatternCoversBothLanesAndSetsTheOilLength) {
    InstallTestBowlingDb();
    const s_DBOilPattern& pattern = dbOilPatternList[0];
    Physics.SetOilPattern(pattern.m_ID);
    EXPECT_EQ(Physics.iOilPatternNum, pattern.m_ID);
    EXPECT_FLOAT_EQ(PlayerLane.PhysCPUOilLength, 12.0f * pattern.m_Length);
    for (s32 lane : {0, 1})
        EXPECT_EQ(std::memcmp(Physics.GetOilPatternData(lane), pattern.m_Grid, sizeof(pattern.m_Grid)), 0);

    // An unknown pattern changes nothing.
    Physics.RightOil[3][4] = 7;
    Physics.SetOilPattern(pattern.m_ID + 1000);
    EXPECT_EQ(Physics.iOilPatternNum, pattern.m_ID);
    EXPECT_EQ(Physics.RightOil[3][4], 7);
    EXPECT_TRUE(report().contains("SetOilPattern: No oil pattern"));
    RemoveTestBowlingDb();
}

// The lane's sound ids name the level bank's sounds through the disc's symbol table.
TEST(LaneSounds, SymbolsNameTheBanksSounds) {
    std::ifstream file(BOWLING_DB_CONTENT_DIR "/../SymTable.txt");
    ASSERT_TRUE(file);
    std::vector<u32> values;
    for (std::string line; std::getline(file, line);) {
        std::istringstream row(line);
        std::string symbol, value;
        if (!(row >> symbol >> value) || symbol[0] == '#')
            continue;
        if (symbol == "@at") {
            values.resize(std::stoul(value, nullptr, 0));
            continue;
        }
        values.push_back(value.rfind("0x", 0) == 0 ? u32(std::stoul(value, nullptr, 16)) : 0);
    }
    for (s32 sound = 0; sound < ALLEY_SFX_COUNT; ++sound) {
        const u32 symbol = u32(LaneSoundId(sound)) & 0x7fffffffu;
        ASSERT_LT(symbol, values.size());
        EXPECT_EQ(values[symbol], u32(AlleySoundId(e_AlleySound(sound)))) << sound;
    }
}

}  // namespace
