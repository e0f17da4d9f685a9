// The drive's transfers: queued with the drive's latency, held while it reports an
// error, completed through the poll-point scheduler. Internal to the console.
#pragma once

#include "console/dvd.h"

namespace console {

// No transfers, default latency, status idle, nothing failing, an empty log.
void DVDDriveReset();
// Drops the transfer of a file being closed, without its callback.
void DVDDriveForget(DVDFileInfo* fileInfo);
// The test status when one is set, else busy while a transfer is queued.
s32 DVDDriveStatus();

}  // namespace console
