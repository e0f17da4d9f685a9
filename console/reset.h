// The per-service resets that HostInit runs. Internal to the console.
#pragma once

#include "console/host/host.h"

namespace console {

void VIReset();
// No transfers, default latency, status idle, nothing failing, an empty log.
void DVDDriveReset();
void SCReset(const HostConfig& config);

}  // namespace console
