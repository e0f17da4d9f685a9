// The per-service resets that HostInit runs. Internal to the console.
#pragma once

#include "console/host/host.h"

namespace console {

void VIReset();
void SCReset(const HostConfig& config);

}  // namespace console
