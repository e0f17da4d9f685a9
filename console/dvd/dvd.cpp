// DVD: open, close, the current directory, and the drive status.
#include "console/dvd.h"

#include <filesystem>
#include <system_error>

#include "console/dvd/dvd_drive.h"
#include "console/dvd/dvd_path.h"
#include "console/host_services.h"
#include "console/os/clock.h"
#include "console/os/poll.h"

// The drive's state and the test controls are reset with the console (HostInit);
// booting the drive only starts again from the disc's root folder.
void DVDInit() {
    HostMemoryScope hostMemory;
    console::DVDPathReset();
}

BOOL DVDOpen(const char* fileName, DVDFileInfo* fileInfo) {
    HostMemoryScope hostMemory;
    console::Poll();
    const std::optional<s32> entrynum = console::DVDResolve(fileName);
    if (!entrynum || console::DVDIsDirectory(*entrynum))
        return FALSE;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(console::DVDHostPath(*entrynum), error);
    if (error || size > 0xFFFFFFFFu)
        return FALSE;
    *fileInfo = DVDFileInfo{static_cast<u32>(size), *entrynum, nullptr, 0, 0};
    return TRUE;
}

BOOL DVDClose(DVDFileInfo* fileInfo) {
    console::Poll();
    if (fileInfo->entrynum < 0)
        return FALSE;
    console::DVDDriveForget(fileInfo);
    fileInfo->entrynum = -1;
    return TRUE;
}

s32 DVDConvertPathToEntrynum(const char* pathPtr) {
    HostMemoryScope hostMemory;
    console::Poll();
    return console::DVDResolve(pathPtr).value_or(-1);
}

BOOL DVDChangeDir(const char* dirName) {
    HostMemoryScope hostMemory;
    console::Poll();
    const std::optional<s32> entrynum = console::DVDResolve(dirName);
    if (!entrynum || !console::DVDIsDirectory(*entrynum))
        return FALSE;
    console::DVDSetCurrentDir(*entrynum);
    return TRUE;
}

s32 DVDGetTransferredSize(DVDFileInfo* fileInfo) {
    return static_cast<s32>(fileInfo->transferredSize);
}

s32 DVDGetDriveStatus() {
    // A program polling the drive spends time: on the virtual clock each query
    // moves it by a read step, so a loop waiting for a transfer ends.
    console::ClockRead();
    console::Poll();
    return console::DVDDriveStatus();
}
