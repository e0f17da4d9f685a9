// HIO2's reset for HostInit. Internal to the console.
#pragma once

namespace console {

// No host attached, nothing open, logs empty.
void HIO2Reset();

}  // namespace console
