// The colour-bar screen: A on any pad switches between the bars and the grey
// ramp, the ramp ends on white, and the launcher entry shows both and leaves.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/UIObject.h"
#include "source/Dev/ColorBar.h"
#include "source/Dev/DevEntriesRender.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EntryRun.h"
#include "tests/support/GameFixture.h"

namespace {

class ColorBarScreenTest : public MenuDiscFixture {
protected:
    static std::pair<u32, u32> Heaps() {
        return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles};
    }
};

TEST(ColorBarRampTest, StepsByEightFromNearBlackToWhite) {
    EXPECT_EQ(ColorBarRampColor(0), 0x070707FFu);
    EXPECT_EQ(ColorBarRampColor(1), 0x101010FFu);
    EXPECT_EQ(ColorBarRampColor(30), 0xF8F8F8FFu);
    EXPECT_EQ(ColorBarRampColor(31), 0xFFFFFFFFu) << "the last step clamps to white";
}

TEST_F(ColorBarScreenTest, ATogglesThePatternAndTwiceReturnsToTheBars) {
    OrblibStartup();
    ColorBarStartup();
    ScriptFromNow(
        "0 0 connect\n10 0 button a down\n12 0 button a up\n30 0 button a down\n32 0 button a up\n");
    EXPECT_EQ(ColorBarPattern, 1);
    EventWait(20);
    EXPECT_EQ(ColorBarPattern, 0);
    EventWait(20);
    EXPECT_EQ(ColorBarPattern, 1);
    ColorBarShutDown();
    EXPECT_EQ(ColorBarDrawThreadPtr, nullptr);
}

TEST_F(ColorBarScreenTest, EntryShowsBarsAndRampAndLeavesOnPlus) {
    const auto before = Heaps();
    const u32 uiFree = UIObjectRecords->count;
    RunEntry(ColorBarTest, "", 80);
    ExpectLooksAsKept("color_bars");
    RunEntry(ColorBarTest, "5 0 button a down\n7 0 button a up\n", 80);
    ExpectLooksAsKept("grey_ramp");
    EXPECT_LT(RunEntry(ColorBarTest, "40 0 button plus down\n42 0 button plus up\n", 600), 100u);
    EXPECT_EQ(ColorBarDrawThreadPtr, nullptr);
    EXPECT_EQ(Heaps(), before);
    EXPECT_EQ(UIObjectRecords->count, uiFree);
}

}  // namespace
