// Disc reads. A read is recorded on its file record and carried out by the polls:
// a large aligned read goes straight into the caller's memory in one transfer,
// anything else through the record's 64 KB window, which later small reads reuse.
// Transfers complete through FileDvdCallback at a poll point.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/FileInternal.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"

namespace {

constexpr u32 kDirectMinimum = 0xAAAA;  // smaller reads go through the window
constexpr s32 kTransferPriority = 2;

u32 AsyncState(const s_ngc_file* file) {
    return (file->fileFlags & FILE_FLAG_ASYNC_STATE_MASK) >> FILE_FLAG_ASYNC_STATE_SHIFT;
}

void SetAsyncState(s_ngc_file* file, u32 state) {
    file->fileFlags =
        (file->fileFlags & ~FILE_FLAG_ASYNC_STATE_MASK) | (state << FILE_FLAG_ASYNC_STATE_SHIFT);
}

void SetInplace(s_ngc_file* file, bool inplace) {
    file->fileFlags = inplace ? file->fileFlags | FILE_FLAG_INPLACE : file->fileFlags & ~FILE_FLAG_INPLACE;
}

constexpr s32 RoundUp(s32 value, s32 alignment) {
    return (value + alignment - 1) & ~(alignment - 1);
}

void Deliver(s_ngc_file* file, u32 n) {
    file->asyncReadAddr += n;
    file->curPos += n;
    file->asyncReadSize -= n;
    file->bytesRemaining -= n;
    file->bytesRead = n;
    file->bytesReadTotal += n;
}

void FileSatisfyReadFromSectorBuffer(s_ngc_file* file) {
    const s32 pos = s32(file->curPos);
    if (file->sectorReadSize == 0 || pos < file->sectorStartPos || pos >= file->sectorEndPos)
        return;
    const u32 n = std::min(file->asyncReadSize, u32(file->sectorEndPos - pos));
    if (n == 0)
        return;
    std::memcpy(file->asyncReadAddr, file->sectorBuffer + (pos - file->sectorStartPos), n);
    Deliver(file, n);
    file->sectorReadSize -= n;
    SetAsyncState(file, FILE_ASYNC_IDLE);
}

// Near the end of the file the window moves back so that it ends at the end of the
// file, but never before the file's start nor off a 4-byte boundary: there the
// window runs past the end, and the drive moves only the bytes that exist.
void FileInitializeReadToSectorBuffer(s_ngc_file* curFile) {
    s32 start = s32(curFile->curPos) & ~3;
    const s32 left = s32(curFile->fileSize) - start;
    s32 length = s32(FILE_SECTOR_BUFFER_SIZE);
    if (left < length) {
        length = RoundUp(left, 32);
        start -= std::min(start, (length - left) & ~3);
    }
    curFile->sectorStartPos = start;
    curFile->sectorReadSize = u32(length);
    curFile->sectorEndPos = start + length;
    if (RoundUp(curFile->sectorStartPos, 4) != curFile->sectorStartPos)
        DebugAssertFail("RoundUp (curFile->sectorStartPos, 4) == curFile->sectorStartPos", __FILE_NAME__,
                        __LINE__,
                        "FileInitializeReadToSectorBuffer: Sector starting offset is not aligned to a 4 byte "
                        "boundary.\n");
    if (RoundUp(s32(curFile->sectorReadSize), 32) != s32(curFile->sectorReadSize))
        DebugAssertFail(
            "RoundUp (curFile->sectorReadSize, 32) == curFile->sectorReadSize", __FILE_NAME__, __LINE__,
            "FileInitializeReadToSectorBuffer: Sector read size is not a multiple of 32 bytes.\n");
}

// A failed transfer ends the read: what it put in the window is not kept, the
// error stays in errorStatus, and the next polls find an empty request.
s32 EndFailedRead(s_ngc_file* file) {
    if (file->errorStatus == 0)
        file->errorStatus = DVD_RESULT_FATAL_ERROR;
    FileDropWindow(file);
    file->asyncReadAddr = nullptr;
    file->asyncReadSize = 0;
    SetAsyncState(file, FILE_ASYNC_REQUESTED);
    return 1;
}

void FileDvdCallback(s32 result, DVDFileInfo* info) {
    s_ngc_file* file = NgcFileGetPtr(info);
    if (file == nullptr) {
        DEBUG_PRINT("File I/O - Critical Error\n");
        return;
    }
    if (result >= 0) {
        file->errorStatus = 0;
        SetAsyncState(file, FILE_ASYNC_FINISHED);
        file->bytesRead = u32(DVDGetTransferredSize(info));
    } else {
        SetAsyncState(file, FILE_ASYNC_FAILED);
        file->errorStatus = result;
    }
}

s32 StartTransfer(s_ngc_file* file) {
    const u32 length = std::min(file->asyncReadSize, file->bytesRemaining);
    const bool direct = length >= kDirectMinimum && length % 32 == 0 &&
                        reinterpret_cast<std::uintptr_t>(file->asyncReadAddr) % 32 == 0 &&
                        file->curPos % 4 == 0;
    SetInplace(file, direct);
    SetAsyncState(file, FILE_ASYNC_IN_FLIGHT);
    BOOL started;
    if (direct) {
        file->bytesRequested = length;
        started = DVDReadAsyncPrio(&file->fileInfo, file->asyncReadAddr, s32(length), s32(file->curPos),
                                   FileDvdCallback, kTransferPriority);
    } else {
        FileInitializeReadToSectorBuffer(file);
        file->bytesRequested = file->sectorReadSize;
        started = DVDReadAsyncPrio(&file->fileInfo, file->sectorBuffer, s32(file->sectorReadSize),
                                   file->sectorStartPos, FileDvdCallback, kTransferPriority);
    }
    if (started)
        return 0;
    // No callback will come for a refused transfer: the read fails here.
    DEBUG_PRINT("FileCdReadBytes: DVDRead Failed!\n");
    return EndFailedRead(file);
}

// Takes in a finished transfer. A transfer that brought nothing the read wants
// ends the read rather than being asked for again and again.
s32 TakeTransfer(s_ngc_file* file) {
    const u32 before = file->asyncReadSize;
    if (file->fileFlags & FILE_FLAG_INPLACE) {
        Deliver(file, std::min(file->bytesRead, file->asyncReadSize));
    } else {
        file->sectorEndPos = file->sectorStartPos + s32(file->bytesRead);
        file->sectorReadSize = u32(std::max(file->sectorEndPos - s32(file->curPos), 0));
        FileSatisfyReadFromSectorBuffer(file);
    }
    if (file->asyncReadSize == before)
        return EndFailedRead(file);
    if (file->asyncReadSize == 0) {
        SetAsyncState(file, FILE_ASYNC_IDLE);
        return 1;
    }
    SetAsyncState(file, FILE_ASYNC_REQUESTED);
    return 0;
}

s32 FileCdUpdateAsync(s_ngc_file* file) {
    HardwareCheckFileError();
    switch (AsyncState(file)) {
        case FILE_ASYNC_IN_FLIGHT:
            return 0;
        case FILE_ASYNC_REQUESTED:
            FileSatisfyReadFromSectorBuffer(file);
            if (file->asyncReadSize == 0) {
                SetAsyncState(file, FILE_ASYNC_IDLE);
                return 1;
            }
            return StartTransfer(file);
        case FILE_ASYNC_FINISHED:
            return TakeTransfer(file);
        case FILE_ASYNC_FAILED:
            return EndFailedRead(file);
        default:
            return 1;
    }
}

// Reads stop at the end of the file: a read past it completes with the bytes that
// exist instead of waiting for bytes that never come.
void FileCdSetupAsyncRead(s_ngc_file* file, void* dst, u32 n) {
    file->asyncReadAddr = static_cast<u8*>(dst);
    file->asyncReadSize = std::min(n, file->bytesRemaining);
    file->bytesRequested = n;
    file->bytesRead = 0;
    file->bytesReadTotal = 0;
    file->errorStatus = 0;
    SetAsyncState(file, FILE_ASYNC_REQUESTED);
}

// The drive has failed for good: the error callback shows it (once), and the
// frames go on so that the tasks, and with them the reset and power buttons, keep
// running until the program is left.
[[noreturn]] void FileFatalError() {
    DEBUG_PRINT("DVD: FATAL ERROR\n");
    FileCallErrorCallback();
    for (;;)
        EventWait(1);
}

}  // namespace

s32 FileReadBytes(s32 fid, void* dst, u32 n) {
    s_ngc_file* file = FileRecord(fid);
    if (file == nullptr)
        return 0;
    FileCdSetupAsyncRead(file, dst, n);
    for (;;) {
        FileUpdateErrorStatus();
        if (FileGetErrorStatus() == FILE_ERROR_FATAL)
            FileFatalError();
        if (FileIoStatus(fid))
            break;
    }
    return file->errorStatus != 0 ? 0 : s32(file->bytesReadTotal);
}

e_error_code FileReadBytesAsync(s32 fid, void* dst, u32 n) {
    s_ngc_file* file = FileRecord(fid);
    if (file == nullptr)
        return RET_ERROR;
    FileCdSetupAsyncRead(file, dst, n);
    return RET_NO_ERROR;
}

s32 FileIoStatus(s32 fid) {
    s_ngc_file* file = FileRecord(fid);
    return file != nullptr ? FileCdUpdateAsync(file) : 1;
}

s32 FileReadStatus(s32 fid) {
    return FileIoStatus(fid);
}

s32 FileGetReadError(s32 fid) {
    const s_ngc_file* file = FileRecord(fid);
    return file != nullptr ? file->errorStatus : 0;
}

s32 FileIoFlushSync(s32 fid, s32 flag) {
    while (!FileIoStatus(fid)) {
        if (HardwareCheckFileError() != 0) {
            FileUpdateErrorStatus();
        } else if (flag != 0) {
            FileUpdateErrorStatus();
            ThreadProcessSystemCritical(nullptr);
        }
    }
    return 1;
}
