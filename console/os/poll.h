// Poll points: where the console's interrupt-level callbacks run on the one
// program thread. Internal to the console.
//
// Events are vertical retraces (every OS_TIMER_CLOCK / 60 ticks of the clock, once
// the video interface runs) and timed callbacks queued by the services. A poll
// point delivers, in time order, every event whose time has come. Nothing is
// delivered while interrupts are masked or while a callback runs (no nesting), and
// a timed callback is never delivered within the console call that queued it.
#pragma once

#include "console/os.h"

namespace console {

constexpr OSTime kRetracePeriod = OS_TIMER_CLOCK / 60;

// Marks one console call: every poll point and every PollSchedule inside one
// scope belongs to the same call. A console call that queues a callback and may
// also poll opens a scope around its whole body; nested scopes join the outer one.
class PollScope {
public:
    PollScope();
    ~PollScope();
    PollScope(const PollScope&) = delete;
    PollScope& operator=(const PollScope&) = delete;
};

void PollReset();

// A poll point.
void Poll();
// Waits until the clock reaches the time and delivers what is due: a wait lets
// callbacks through even while interrupts are masked, as a sleeping thread lets
// the interrupts in on the console.
void PollWaitUntil(OSTime time);
// True while a callback runs.
bool PollDelivering();

using PollCallback = void (*)(void* context);
// Queues a callback for the first poll point at or after the due time (and after
// the current console call).
void PollSchedule(OSTime due, PollCallback callback, void* context);

// Starts the retraces; the next one is the first multiple of the period after now.
// onRetrace runs at each.
void PollStartRetraces(void (*onRetrace)());
bool PollRetracesStarted();
// The time of the last retrace delivered.
OSTime PollLastRetrace();

// The interrupt mask; returns whether interrupts were enabled before.
bool PollSetInterruptsEnabled(bool enabled);

}  // namespace console
