// One launcher entry run through the program's own path, as `bowling --entry N`
// runs it: a host on the demo disc with the pad's script, the entry and the frame
// limit set for the run and put back after it. The host stays up for the test to
// look at; the test shuts it down.
#pragma once

#include <string>

#include "console/types.h"

struct EntryRun {
    s32 entry;
    u32 retraces;              // the program's frame limit
    std::string script;        // the pad's input script; none when empty
    bool wholeMemory = false;  // the menu fonts need the console's whole memory
};

// The retrace at which the program returned. The shown frames outlive the exit.
u32 RunEntry(const EntryRun& run);

// Runs an entry on the host that is up, with remote 0's `script` (frames from
// now), ending at the frame limit `frames` from now at the latest; the frames it ran.
u32 RunEntry(s32 (*entry)(), const std::string& script, u32 frames);
