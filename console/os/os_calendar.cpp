// Ticks since 2000-01-01 00:00:00 to the Gregorian calendar.
#include "console/os.h"

namespace {

constexpr s64 kSecondsPerDay = 86400;
constexpr s64 kTicksPerMillisecond = OS_TIMER_CLOCK / 1000;

s64 FloorDiv(s64 a, s64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 to the given date (month 1-12), proleptic Gregorian.
s64 DaysFromCivil(s64 y, s64 m, s64 d) {
    y -= m <= 2;
    const s64 era = FloorDiv(y, 400);
    const s64 yoe = y - era * 400;
    const s64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const s64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct CivilDate {
    s64 year;
    s32 month;  // 1-12
    s32 day;    // 1-31
};

CivilDate CivilFromDays(s64 z) {
    z += 719468;
    const s64 era = FloorDiv(z, 146097);
    const s64 doe = z - era * 146097;
    const s64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const s64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const s64 mp = (5 * doy + 2) / 153;
    const s32 day = static_cast<s32>(doy - (153 * mp + 2) / 5 + 1);
    const s32 month = static_cast<s32>(mp < 10 ? mp + 3 : mp - 9);
    return CivilDate{yoe + era * 400 + (month <= 2), month, day};
}

}  // namespace

void OSTicksToCalendarTime(OSTime ticks, OSCalendarTime* td) {
    const s64 seconds = FloorDiv(ticks, OS_TIMER_CLOCK);
    const s64 fraction = ticks - seconds * OS_TIMER_CLOCK;  // 0 .. OS_TIMER_CLOCK - 1
    const s64 days = FloorDiv(seconds, kSecondsPerDay);
    const s64 secondOfDay = seconds - days * kSecondsPerDay;

    const s64 unixDays = days + DaysFromCivil(2000, 1, 1);
    const CivilDate date = CivilFromDays(unixDays);

    td->sec = static_cast<s32>(secondOfDay % 60);
    td->min = static_cast<s32>(secondOfDay / 60 % 60);
    td->hour = static_cast<s32>(secondOfDay / 3600);
    td->mday = date.day;
    td->mon = date.month - 1;
    td->year = static_cast<s32>(date.year);
    td->wday = static_cast<s32>(unixDays - FloorDiv(unixDays + 4, 7) * 7 + 4);  // 1970-01-01 was a Thursday
    td->yday = static_cast<s32>(unixDays - DaysFromCivil(date.year, 1, 1));
    td->msec = static_cast<s32>(fraction / kTicksPerMillisecond);
    td->usec = static_cast<s32>(fraction % kTicksPerMillisecond * 1000 / kTicksPerMillisecond);
}
