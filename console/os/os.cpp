// OS boot, the time base and interrupt masking.
#include "console/os.h"

#include "console/os/clock.h"
#include "console/os/poll.h"

// The arenas and the clock that the console's boot code would set up are set up
// by HostInit, so nothing is left to do here.
void OSInit() {}

OSTime OSGetTime() {
    const OSTime now = console::ClockRead();
    console::Poll();
    return now;
}

OSTick OSGetTick() {
    return static_cast<OSTick>(OSGetTime());
}

BOOL OSDisableInterrupts() {
    return console::PollSetInterruptsEnabled(false) ? TRUE : FALSE;
}

BOOL OSEnableInterrupts() {
    return OSRestoreInterrupts(TRUE);
}

BOOL OSRestoreInterrupts(BOOL level) {
    const bool previous = console::PollSetInterruptsEnabled(level != FALSE);
    console::Poll();
    return previous ? TRUE : FALSE;
}
