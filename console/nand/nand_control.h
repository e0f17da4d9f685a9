// Test controls of the flash storage: failing calls, short transfers, the room
// the space check sees, and a crash between writing a safe copy and renaming it.
// Missing files are simply files absent from the host folder.
#pragma once

#include <string>

#include "console/nand.h"

enum class HostNANDCall {
    Create,
    GetStatus,
    Open,
    SafeOpen,
    Read,
    Write,
    GetLength,
    Close,
    SafeClose,
    Check,
    Count,
};

// The next call of that kind does nothing and returns result (a failed close
// still closes the record, and drops a safe copy).
void HostNANDFailNext(HostNANDCall call, s32 result);
// The next read (write) moves at most bytes and returns the count moved.
void HostNANDShortNextRead(u32 bytes);
void HostNANDShortNextWrite(u32 bytes);
// The next NANDSafeClose after a write stops after flushing the copy, as if the
// power went: the copy stays in /tmp, the file is untouched, and the close
// returns NAND_RESULT_FATAL_ERROR.
void HostNANDCrashBeforeRename();

// What NANDCheck measures against: the home directory's limits, and what the
// rest of the storage still has free.
struct HostNANDSpace {
    u32 homeBlocks = 1024;  // 16 MB of 16 KB blocks
    u32 homeInodes = 32;
    u32 systemFreeBlocks = 16384;
    u32 systemFreeInodes = 4096;
};
void HostNANDSetSpace(const HostNANDSpace& space);

// Power-on state: current directory "/", every control back to its default, and
// what a crash left in /tmp removed.
void HostNANDReset();

// The host folder of the storage's root (the configured one, or the default).
std::string HostNANDRoot();
