#include <gtest/gtest.h>

#include "console/system.h"
#include "orblib47/source/NGC/Clock.h"
#include "tests/support/EngineFixture.h"

namespace {

using ClockTest = EngineFixture;
using ClockDeathTest = EngineDeathFixture;

TEST_F(ClockTest, StopwatchesCountFromTheirOwnReset) {
    ClockResetTimer(1);
    EXPECT_EQ(ClockGetTimer(1), 0u);
    HostAdvanceClock(OSMillisecondsToTicks(1500));
    EXPECT_EQ(ClockGetTimer(1), 1500u);
    EXPECT_NEAR(ClockGetHiresTimer(1), 1.5f, 1e-4f);
    ClockResetTimer(2);
    EXPECT_EQ(ClockGetTimer(2), 0u);
    EXPECT_GE(ClockGetTime(), 1500u);
}

TEST_F(ClockTest, DateCountsMonthsFromZeroAndHasNoWeekday) {
    // The virtual clock starts on 1 January 2007 at midnight.
    s_orb_date_time date{};
    EXPECT_EQ(ClockGetDateTime(&date), RET_NO_ERROR);
    EXPECT_EQ(date.year, 2007);
    EXPECT_EQ(date.month, 0);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(date.dayOfWeek, 0);
    EXPECT_TRUE(report().contains("Boot Time: 00/01/2007, 0:00:00\n\n"));
}

TEST_F(ClockDeathTest, TimerOutOfRangeIsFatal) {
    EXPECT_DEATH(ClockResetTimer(16), "Clock: invalid timer 16");
}

}  // namespace
