// Ticks since 2000-01-01 to calendar time.
#include <gtest/gtest.h>

#include "console/os.h"

namespace {

constexpr OSTime kDay = OSSecondsToTicks(86400);

OSCalendarTime Calendar(OSTime ticks) {
    OSCalendarTime td{};
    OSTicksToCalendarTime(ticks, &td);
    return td;
}

void ExpectDate(const OSCalendarTime& td, s32 year, s32 mon, s32 mday, s32 wday, s32 yday) {
    EXPECT_EQ(td.year, year);
    EXPECT_EQ(td.mon, mon);
    EXPECT_EQ(td.mday, mday);
    EXPECT_EQ(td.wday, wday);
    EXPECT_EQ(td.yday, yday);
}

TEST(OSCalendarTest, EpochIsSaturdayFirstOfJanuary2000) {
    const OSCalendarTime td = Calendar(0);
    ExpectDate(td, 2000, 0, 1, 6, 0);
    EXPECT_EQ(td.hour, 0);
    EXPECT_EQ(td.min, 0);
    EXPECT_EQ(td.sec, 0);
    EXPECT_EQ(td.msec, 0);
    EXPECT_EQ(td.usec, 0);
}

TEST(OSCalendarTest, LeapDaysAndYearEnds) {
    // 2000 and 2004 are leap years: 2008-01-01 is day 2922.
    ExpectDate(Calendar(2922 * kDay + 59 * kDay), 2008, 1, 29, 5, 59);  // Friday 2008-02-29
    ExpectDate(Calendar(2922 * kDay + 60 * kDay), 2008, 2, 1, 6, 60);
    ExpectDate(Calendar(365 * kDay), 2000, 11, 31, 0, 365);             // a leap year's last day
    ExpectDate(Calendar(2922 * kDay - kDay), 2007, 11, 31, 1, 364);     // Monday 2007-12-31
    ExpectDate(Calendar(2557 * kDay), 2007, 0, 1, 1, 0);                // the virtual clock's start
    ExpectDate(Calendar(36525 * kDay), 2100, 0, 1, 5, 0);               // 2100 is not a leap year...
    ExpectDate(Calendar(36525 * kDay + 59 * kDay), 2100, 2, 1, 1, 59);  // ...so 1 March follows 28 February
}

TEST(OSCalendarTest, TimeOfDayAndFractions) {
    const OSTime ticks = 10 * kDay + OSSecondsToTicks(13 * 3600 + 14 * 60 + 15) + OSMillisecondsToTicks(123) +
                         27702;  // 456 microseconds: 456 * 60.75 ticks
    const OSCalendarTime td = Calendar(ticks);
    ExpectDate(td, 2000, 0, 11, 2, 10);
    EXPECT_EQ(td.hour, 13);
    EXPECT_EQ(td.min, 14);
    EXPECT_EQ(td.sec, 15);
    EXPECT_EQ(td.msec, 123);
    EXPECT_EQ(td.usec, 456);
}

TEST(OSCalendarTest, BeforeTheEpoch) {
    const OSCalendarTime td = Calendar(-1);
    ExpectDate(td, 1999, 11, 31, 5, 364);
    EXPECT_EQ(td.hour, 23);
    EXPECT_EQ(td.min, 59);
    EXPECT_EQ(td.sec, 59);
    EXPECT_EQ(td.msec, 999);
    EXPECT_EQ(td.usec, 999);
}

}  // namespace
