#include "orblib47/source/NGC/Clock.h"

#include "console/os.h"
#include "orblib47/source/Debug.h"

namespace {

s64 BaseTime[CLOCK_TIMERS];

s64 Elapsed(u32 n) {
    ORB_ASSERT(n < CLOCK_TIMERS, "Clock: invalid timer %u\n", n);
    return OSGetTime() - BaseTime[n];
}

}  // namespace

e_error_code ClockColdReset() {
    return RET_NO_ERROR;
}

void ClockResetTimer(u32 n) {
    ORB_ASSERT(n < CLOCK_TIMERS, "Clock: invalid timer %u\n", n);
    BaseTime[n] = OSGetTime();
}

u32 ClockGetTimer(u32 n) {
    return u32(Elapsed(n) / s64(OS_BUS_CLOCK / 4000));
}

f32 ClockGetHiresTimer(u32 n) {
    return f32(Elapsed(n)) / f32(OS_BUS_CLOCK / 4);
}

u32 ClockGetTime() {
    return ClockGetTimer(0);
}

e_error_code ClockGetDateTime(s_orb_date_time* dateTime) {
    OSCalendarTime calendar;
    OSTicksToCalendarTime(OSGetTime(), &calendar);
    dateTime->hour = u8(calendar.hour);
    dateTime->minute = u8(calendar.min);
    dateTime->second = u8(calendar.sec);
    dateTime->day = u8(calendar.mday);
    dateTime->month = u8(calendar.mon);
    dateTime->year = u16(calendar.year);
    dateTime->dayOfWeek = 0;
    DEBUG_PROGRESS("Boot Time: %02d/%02d/%02d, %d:%02d:%02d\n\n", dateTime->month, dateTime->day,
                   dateTime->year, dateTime->hour, dateTime->minute, dateTime->second);
    return RET_NO_ERROR;
}
