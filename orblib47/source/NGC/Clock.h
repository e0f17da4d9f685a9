// Sixteen stopwatches on the console's time base, and the calendar.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 CLOCK_TIMERS = 16;

struct s_orb_date_time {
    u8 hour;
    u8 minute;
    u8 second;
    u8 dayOfWeek;
    u8 day;
    u8 month;  // 0 for January
    u16 year;
};

e_error_code ClockColdReset();
void ClockResetTimer(u32 n);
u32 ClockGetTimer(u32 n);       // milliseconds since stopwatch n was reset
f32 ClockGetHiresTimer(u32 n);  // seconds since stopwatch n was reset
u32 ClockGetTime();             // milliseconds since start-up
e_error_code ClockGetDateTime(s_orb_date_time* dateTime);
