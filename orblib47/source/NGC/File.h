// Disc files: eight file records over the console's disc drive. Every read is
// turned into transfers the drive accepts: straight into the caller's memory when
// it is large and aligned, through the record's 64 KB window otherwise. Names are
// relative to the current directory; the disc is read-only, but for the files the
// program hands to the development host (FileOpen's write modes).
#pragma once

#include <string>

#include "console/dvd.h"
#include "orblib47/source/OrbTypes.h"

struct s_thread;

constexpr u32 FILE_MAX_RECORDS = 8;
constexpr u32 FILE_SECTOR_BUFFER_SIZE = 65536;

// s_file_flags: asyncState in the top 3 bits, inplace the next bit.
constexpr u32 FILE_FLAG_ASYNC_STATE_SHIFT = 29;
constexpr u32 FILE_FLAG_ASYNC_STATE_MASK = 0xE0000000u;
constexpr u32 FILE_FLAG_INPLACE = 0x10000000u;
constexpr u32 FILE_FLAG_HOST_WRITE = 0x08000000u;  // opened with a write mode

enum e_file_async_state : u32 {
    FILE_ASYNC_IDLE = 0,       // the last read is complete
    FILE_ASYNC_REQUESTED = 1,  // the next poll issues a transfer
    FILE_ASYNC_IN_FLIGHT = 2,  // a transfer is running
    FILE_ASYNC_FINISHED = 3,   // the transfer is done, not yet taken in
    FILE_ASYNC_FAILED = 4,     // the transfer failed
};

// The error word, from the drive status.
constexpr u32 FILE_ERROR_FATAL = 0x80000000u;
constexpr u32 FILE_ERROR_NO_DISC = 0x40000000u;
constexpr u32 FILE_ERROR_COVER_OPEN = 0x20000000u;
constexpr u32 FILE_ERROR_WRONG_DISC = 0x10000000u;
constexpr u32 FILE_ERROR_RETRY = 0x08000000u;

// Seek origins.
constexpr s32 FILE_SEEK_SET = 0;
constexpr s32 FILE_SEEK_CUR = 1;
constexpr s32 FILE_SEEK_END = 2;  // fileSize minus the offset

struct s_ngc_file {
    s32 inUse;
    u32 fileFlags;
    u8* asyncReadAddr;   // where the next bytes of the current read go
    u32 asyncReadSize;   // bytes of the current read still to deliver
    u8* sectorBuffer;    // FILE_SECTOR_BUFFER_SIZE bytes from the extra heap
    u32 sectorReadSize;  // bytes of the window still available (0 = no window)
    s32 sectorStartPos;  // file positions of the window (-1 when none)
    s32 sectorEndPos;
    DVDFileInfo fileInfo;
    u32 bytesRequested;  // length of the transfer in flight
    u32 bytesRead;       // bytes delivered by the last step of the current read
    u32 bytesReadTotal;  // bytes delivered by the current read so far
    u32 curPos;
    u32 fileSize;
    u32 bytesRemaining;  // fileSize - curPos
    s32 errorStatus;     // the drive's (negative) result of a failed transfer, else 0
    std::string fname;   // the name as opened
};

// Called with the error word on a fatal drive error; the result is not used.
using FileErrorCallbackFunc = s32 (*)(u32 errorStatus);

e_error_code FileColdReset();
e_error_code FileWarmReset(u32 filebufsize);
void FileExit();

// Paths: the base path ends in a backslash unless empty; the directory is below it.
void FileSetBasePath(const char* path);
void FileChangeDirectory(const char* dir);
std::string FileGetDirectory();
// The disc form of a name: upper case, '/' separators.
std::string FileGetName(const char* src);
s32 FileExist(const char* name);

// Handles are record index + 1; 0 is none.
s32 FileOpen(const char* name);
// Mode "R" as above. "RW" and "WT" make the file afresh in the disc emulator's
// folder on the development host, and FileWriteBytes adds to it; 0 where there is
// no such folder to write.
s32 FileOpen(const char* name, const char* mode);
s32 FileClose(s32 fid);
s32 FileGetSize(s32 fid);
s32 FileGetRemaining(s32 fid);
// Origins as above; the position is kept within the file. 0, or -1 for a bad handle.
s32 FileSeek(s32 fid, s32 offset, s32 origin);
s32 FileSeekAsync(s32 fid, s32 offset, s32 origin);
// The whole file in a HeapMalloc block (its length through size when not null), or
// null.
void* FileLoad(const char* name, u32* size);
DVDFileInfo* FileGetDVDInfo(s32 fid);
s_ngc_file* NgcFileGetPtr(const DVDFileInfo* info);

// Blocking read at the current position, kept within the file: the bytes
// delivered, 0 for a bad handle or a failed transfer. A fatal drive error shows
// the error callback's message and never returns.
s32 FileReadBytes(s32 fid, void* dst, u32 n);
// Records a read (kept within the file); the polls below carry it out.
e_error_code FileReadBytesAsync(s32 fid, void* dst, u32 n);
// Advances the read: 1 when it is complete or has failed, 0 while it runs.
s32 FileReadStatus(s32 fid);
s32 FileIoStatus(s32 fid);
// The (negative) drive result when the last read failed, else 0.
s32 FileGetReadError(s32 fid);
// Polls until the read is complete; with flag set, runs the system-critical tasks
// between polls.
s32 FileIoFlushSync(s32 fid, s32 flag);
void FileIoFlush();
// Stores bytes only in a file opened with a write mode; always 0.
s32 FileWriteBytes(s32 fid, const void* src, u32 n);

u32 FileGetErrorStatus();
void FileUpdateErrorStatus();
FileErrorCallbackFunc FileSetErrorCallback(FileErrorCallbackFunc func);
// Calls the error callback, when one is set, with the error word.
void FileCallErrorCallback();

// The per-frame task that refreshes the error word.
void FileGetStatusThread(s_thread* task, void* record);
