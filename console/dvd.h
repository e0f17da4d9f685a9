// DVD: the disc drive, over a host folder as the disc root (HostConfig::discRoot).
// Names are '/' separated, matched without regard to case, relative to the current
// directory; a leading '/' starts at the root. Reads complete after the drive's
// latency, their callbacks at a later poll point. While the drive reports an error
// (cover open, no disc, wrong disc, retry) transfers wait; after a fatal error they
// fail. Opening, closing, naming, reading and the status query are poll points.
#pragma once

#include "console/types.h"

// Drive status (DVDGetDriveStatus).
constexpr s32 DVD_STATE_FATAL_ERROR = -1;
constexpr s32 DVD_STATE_END = 0;  // idle
constexpr s32 DVD_STATE_BUSY = 1;
constexpr s32 DVD_STATE_NO_DISK = 4;
constexpr s32 DVD_STATE_COVER_OPEN = 5;
constexpr s32 DVD_STATE_WRONG_DISK = 6;
constexpr s32 DVD_STATE_RETRY = 11;

// Transfer results handed to the callbacks (non-negative: bytes transferred).
constexpr s32 DVD_RESULT_FATAL_ERROR = -1;
constexpr s32 DVD_RESULT_CANCELED = -3;

struct DVDFileInfo;
using DVDCallback = void (*)(s32 result, DVDFileInfo* fileInfo);

struct DVDFileInfo {
    u32 length;            // bytes in the file
    s32 entrynum;          // -1 while not open
    DVDCallback callback;  // of the transfer in flight
    u32 transferredSize;   // bytes moved by the last transfer
    u32 transfer;          // id of the transfer in flight, 0 when none
};

void DVDInit();

// Opens a file; FALSE when the name resolves to nothing or to a directory.
BOOL DVDOpen(const char* fileName, DVDFileInfo* fileInfo);
BOOL DVDClose(DVDFileInfo* fileInfo);
// A non-negative number for a file or directory that exists, else -1.
s32 DVDConvertPathToEntrynum(const char* pathPtr);
// FALSE when the name is not a directory; the current directory then stays.
BOOL DVDChangeDir(const char* dirName);

// Starts a read of length bytes at offset; the callback gets the transferred count
// (short at the end of the file) or a negative result. FALSE when refused (the file
// is not open, or it already has a transfer in flight).
BOOL DVDReadAsyncPrio(DVDFileInfo* fileInfo, void* addr, s32 length, s32 offset, DVDCallback callback,
                      s32 prio);
// Blocking read: the transferred count or a negative result. Never from a callback.
s32 DVDReadPrio(DVDFileInfo* fileInfo, void* addr, s32 length, s32 offset, s32 prio);
s32 DVDGetTransferredSize(DVDFileInfo* fileInfo);
// Cancels the transfer in flight: its callback gets DVD_RESULT_CANCELED at a later
// poll point. 0, or -1 when there was none.
s32 DVDCancel(DVDFileInfo* fileInfo);

// Polling the drive takes time: on the virtual clock each query moves the clock by
// its read step, so a loop that waits on the drive ends.
s32 DVDGetDriveStatus();

// Development hardware only: the disc emulator's folder on the host takes the files
// the program hands to the development host. `fileName` (no folder part) in the
// current directory is created or emptied (append FALSE) or added to (append TRUE);
// an existing file of that name in another case is the one written. FALSE when
// the name holds a folder part or the host refuses.
BOOL DVDHostWrite(const char* fileName, const void* data, s32 length, BOOL append);
