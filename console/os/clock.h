// The console clock behind OSGetTime: steady_clock on the real clock, a counter on
// the virtual one. Internal to the console; reading it here does not poll.
#pragma once

#include "console/system.h"

namespace console {

void ClockReset(const HostConfig& config);
bool ClockIsVirtual();

// The time now, without side effects.
OSTime ClockNow();
// A program's read of the clock: the time now; the virtual clock then moves on by
// its read step, so polling loops end.
OSTime ClockRead();
// Virtual clock only: moves it forward.
void ClockAdvance(OSTime ticks);
// Returns once the clock has reached the time: the real clock sleeps, the virtual
// one jumps.
void ClockWaitUntil(OSTime time);

}  // namespace console
