// Real clock: the host's steady clock, offset so that the calendar shows the host's
// local wall-clock time at start. Virtual clock: a counter that only moves when it
// is read, charged or waited on, so runs repeat exactly.
#include "console/os/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace console {
namespace {

using Ticks = std::chrono::duration<OSTime, std::ratio<1, OS_TIMER_CLOCK>>;

// Seconds from 1970-01-01 to 2000-01-01.
constexpr std::time_t kEpoch2000 = 946684800;

bool s_virtual = true;
OSTime s_counter = 0;
OSTime s_readStep = 0;
std::chrono::steady_clock::time_point s_realStart;
OSTime s_realOffset = 0;

OSTime LocalWallTicks() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    // Whole seconds and the fraction apart, so the conversion cannot overflow.
    const auto fraction = now - std::chrono::system_clock::from_time_t(seconds);
    const OSTime localSeconds = static_cast<OSTime>(seconds) + local.tm_gmtoff - kEpoch2000;
    return OSSecondsToTicks(localSeconds) + std::chrono::duration_cast<Ticks>(fraction).count();
}

}  // namespace

void ClockReset(const HostConfig& config) {
    s_virtual = config.clock == HostClockMode::Virtual;
    s_counter = config.virtualStart;
    s_readStep = config.virtualReadStep;
    s_realStart = std::chrono::steady_clock::now();
    s_realOffset = LocalWallTicks();
}

bool ClockIsVirtual() {
    return s_virtual;
}

OSTime ClockNow() {
    if (s_virtual)
        return s_counter;
    const auto elapsed = std::chrono::steady_clock::now() - s_realStart;
    return s_realOffset + std::chrono::duration_cast<Ticks>(elapsed).count();
}

OSTime ClockRead() {
    const OSTime now = ClockNow();
    if (s_virtual)
        s_counter += s_readStep;
    return now;
}

void ClockAdvance(OSTime ticks) {
    if (!s_virtual)
        OSPanic(__FILE_NAME__, __LINE__, "the real clock cannot be moved\n");
    if (ticks < 0)
        OSPanic(__FILE_NAME__, __LINE__, "the clock cannot go back (%lld ticks)\n",
                static_cast<long long>(ticks));
    s_counter += ticks;
}

void ClockWaitUntil(OSTime time) {
    if (s_virtual) {
        if (s_counter < time)
            s_counter = time;
        return;
    }
    for (OSTime now = ClockNow(); now < time; now = ClockNow())
        std::this_thread::sleep_for(Ticks(time - now));
}

}  // namespace console
