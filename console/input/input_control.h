// Host controls of the remotes: an input script in place of the configured one,
// the rumble motor's log, and the allocator that WPAD was given.
#pragma once

#include <string>
#include <vector>

#include "console/wpad.h"

// Every WPADControlMotor call since KPADInit, stamped with the retrace count.
struct HostMotorEntry {
    u32 retrace;
    s32 chan;
    bool on;
};
const std::vector<HostMotorEntry>& HostMotorLog();

// Replaces the remotes' source with the script (format: docs/input.md), keeping
// the samples taken so far. A bad script changes nothing: false, with
// "line N: ..." in `error`.
bool HostInputSetScript(const std::string& text, std::string* error);

void HostWPADGetAllocator(WPADAlloc* alloc, WPADFree* free);
