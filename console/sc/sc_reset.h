// SC's reset for HostInit. Internal to the console.
#pragma once

#include "console/system.h"

namespace console {

// The settings of the configuration; not ready until SCInit.
void SCReset(const HostConfig& config);

}  // namespace console
