// Test controls of the disc drive: its latency, its status, failing transfers, and
// a log of the transfers started. HostInit puts them back to their defaults.
#pragma once

#include <vector>

#include "console/dvd.h"
#include "console/os.h"

// Time from the start of a transfer to its completion (1 ms by default).
void HostDVDSetReadLatency(OSTime ticks);
// The status the drive reports: an error status (DVD_STATE_COVER_OPEN,
// DVD_STATE_NO_DISK, DVD_STATE_WRONG_DISK, DVD_STATE_RETRY) holds transfers until
// it is set back to DVD_STATE_END; DVD_STATE_FATAL_ERROR fails them.
void HostDVDSetDriveStatus(s32 status);
// The next count transfers fail with DVD_RESULT_FATAL_ERROR and move nothing.
void HostDVDFailTransfers(u32 count);

struct HostDVDTransfer {
    s32 entrynum;
    u32 offset;
    u32 length;  // as requested
    void* addr;
};
// Transfers are logged only from a test's request on, so a long run keeps no log.
const std::vector<HostDVDTransfer>& HostDVDTransferLog();
// Empties the log and logs every transfer started from now until HostInit.
void HostDVDRecordTransfers();
