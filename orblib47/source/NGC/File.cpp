// Disc files: set-up, paths, opening and closing, positions, whole-file loads and
// the drive's error word. The reads themselves are in FileRead.cpp.
#include "orblib47/source/NGC/File.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FileInternal.h"
#include "orblib47/source/OrbThread.h"

s_ngc_file Files[FILE_MAX_RECORDS];

namespace {

std::string BasePath;
std::string Directory;
u32 FileErrorStatus = 0;
FileErrorCallbackFunc FileErrorCallback = nullptr;
s_thread* FileStatusTask = nullptr;
bool FileInitialised = false;

}  // namespace

s_ngc_file* FileRecord(s32 fid) {
    if (fid < 1 || fid > s32(FILE_MAX_RECORDS) || Files[fid - 1].inUse == 0)
        return nullptr;
    return &Files[fid - 1];
}

void FileDropWindow(s_ngc_file* file) {
    file->sectorReadSize = 0;
    file->sectorStartPos = -1;
    file->sectorEndPos = -1;
}

// Power-on: whatever an earlier run left (buffers of its heap, its task) is gone
// with that heap, so it is forgotten rather than freed.
e_error_code FileColdReset() {
    for (s_ngc_file& file : Files)
        file = s_ngc_file{};
    FileStatusTask = nullptr;
    FileInitialised = false;
    Directory.clear();
    FileSetBasePath("\\");
    FileErrorCallback = nullptr;
    return RET_NO_ERROR;
}

e_error_code FileWarmReset(u32 /*filebufsize: the buffers are always 64 KB*/) {
    FileExit();
    HeapPush(&ExtraHeap);
    for (s_ngc_file& file : Files) {
        file = s_ngc_file{};
        file.sectorBuffer = static_cast<u8*>(HeapMalloc(FILE_SECTOR_BUFFER_SIZE, __FILE_NAME__, __LINE__));
    }
    HeapPop();
    FileStatusTask = ThreadInsertPriorityDebug("FileGetStatusThread", nullptr, nullptr, FileGetStatusThread,
                                               nullptr, 32767);
    FileErrorStatus = 0;
    FileInitialised = true;
    return RET_NO_ERROR;
}

void FileExit() {
    if (!FileInitialised)
        return;
    for (s_ngc_file& file : Files) {
        if (file.sectorBuffer != nullptr)
            HeapMallocFree(file.sectorBuffer);
        file.sectorBuffer = nullptr;
    }
    if (FileStatusTask != nullptr)
        ThreadKill(FileStatusTask);
    FileStatusTask = nullptr;
    FileInitialised = false;
}

void FileSetBasePath(const char* path) {
    std::string base = path;
    if (!base.empty() && base.back() != '\\')
        base.push_back('\\');
    BasePath = std::move(base);
}

void FileChangeDirectory(const char* dir) {
    Directory = dir;
    std::string path = BasePath + dir;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!DVDChangeDir(path.c_str()))
        DEBUG_PRINT("FileChangeDirectory: Failed to change to dir: \"%s\"\n", path.c_str());
}

std::string FileGetDirectory() {
    return Directory;
}

std::string FileGetName(const char* src) {
    std::string name = src != nullptr ? src : "";
    for (char& c : name)
        c = c == '\\' ? '/' : char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

s32 FileExist(const char* name) {
    return DVDConvertPathToEntrynum(FileGetName(name).c_str()) >= 0 ? 1 : 0;
}

namespace {

// Every open gets a record of its own, so two users of one file keep their own
// positions and windows.
s_ngc_file* FreeRecord(const char* name) {
    const auto free =
        std::find_if(std::begin(Files), std::end(Files), [](const s_ngc_file& f) { return f.inUse == 0; });
    if (free == std::end(Files))
        ORB_FAIL("FileOpen (%s): Out of File Records\n", name);
    return free;
}

s32 Open(s_ngc_file* file, const char* name, u32 flags, u32 size) {
    file->inUse = 1;
    file->fileFlags = flags;
    file->asyncReadAddr = nullptr;
    file->asyncReadSize = 0;
    FileDropWindow(file);
    file->bytesRequested = 0;
    file->bytesRead = 0;
    file->bytesReadTotal = 0;
    file->curPos = 0;
    file->fileSize = size;
    file->bytesRemaining = size;
    file->errorStatus = 0;
    file->fname = name;
    return s32(file - std::begin(Files)) + 1;
}

}  // namespace

s32 FileOpen(const char* name) {
    s_ngc_file* file = FreeRecord(name);
    const std::string discName = FileGetName(name);
    if (!DVDOpen(discName.c_str(), &file->fileInfo)) {
        DEBUG_PRINT("Fileopen: Unable to open file \"%s\"\n", discName.c_str());
        return 0;
    }
    return Open(file, name, 0, file->fileInfo.length);
}

s32 FileOpen(const char* name, const char* mode) {
    if (mode == nullptr || std::strcmp(mode, "R") == 0)
        return FileOpen(name);
    if (std::strcmp(mode, "RW") != 0 && std::strcmp(mode, "WT") != 0)
        return 0;
    s_ngc_file* file = FreeRecord(name);
    if (!DVDHostWrite(name, nullptr, 0, FALSE)) {
        DEBUG_PRINT("Fileopen: Unable to write file \"%s\"\n", name);
        return 0;
    }
    return Open(file, name, FILE_FLAG_HOST_WRITE, 0);
}

s32 FileClose(s32 fid) {
    s_ngc_file* file = FileRecord(fid);
    if (file != nullptr) {
        if ((file->fileFlags & FILE_FLAG_HOST_WRITE) == 0)
            DVDClose(&file->fileInfo);
        file->inUse = 0;
    }
    return 0;
}

s32 FileGetSize(s32 fid) {
    const s_ngc_file* file = FileRecord(fid);
    return file != nullptr ? s32(file->fileSize) : 0;
}

s32 FileGetRemaining(s32 fid) {
    const s_ngc_file* file = FileRecord(fid);
    return file != nullptr ? s32(file->bytesRemaining) : 0;
}

// The position is kept within the file: a seek past either end would leave
// bytesRemaining wrapped round.
s32 FileSeekAsync(s32 fid, s32 offset, s32 origin) {
    s_ngc_file* file = FileRecord(fid);
    if (file == nullptr)
        return -1;
    s64 pos = offset;
    if (origin == FILE_SEEK_CUR)
        pos = s64(file->curPos) + offset;
    else if (origin == FILE_SEEK_END)
        pos = s64(file->fileSize) - offset;
    pos = std::clamp<s64>(pos, 0, file->fileSize);
    if (file->sectorReadSize != 0) {
        if (pos >= file->sectorStartPos && pos < file->sectorEndPos)
            file->sectorReadSize = u32(file->sectorEndPos - pos);
        else
            FileDropWindow(file);
    }
    file->curPos = u32(pos);
    file->bytesRemaining = file->fileSize - file->curPos;
    return 0;
}

s32 FileSeek(s32 fid, s32 offset, s32 origin) {
    return FileSeekAsync(fid, offset, origin);
}

// A file that cannot be read whole gives null rather than a block with a hole.
void* FileLoad(const char* name, u32* size) {
    DEBUG_PROGRESS("Load %s\n", name);
    const s32 fid = FileOpen(name);
    if (fid == 0)
        return nullptr;
    const u32 length = u32(FileGetSize(fid));
    void* block = HeapMalloc(length, __FILE_NAME__, __LINE__);
    if (block != nullptr && u32(FileReadBytes(fid, block, length)) != length) {
        HeapMallocFree(block);
        block = nullptr;
    }
    FileClose(fid);
    if (block == nullptr)
        return nullptr;
    DEBUG_PROGRESS("\n");
    if (size != nullptr)
        *size = length;
    return block;
}

DVDFileInfo* FileGetDVDInfo(s32 fid) {
    s_ngc_file* file = FileRecord(fid);
    return file != nullptr ? &file->fileInfo : nullptr;
}

s_ngc_file* NgcFileGetPtr(const DVDFileInfo* info) {
    for (s_ngc_file& file : Files) {
        if (file.inUse != 0 && &file.fileInfo == info)
            return &file;
    }
    return nullptr;
}

void FileIoFlush() {}

s32 FileWriteBytes(s32 fid, const void* src, u32 n) {
    s_ngc_file* file = FileRecord(fid);
    if (file != nullptr && (file->fileFlags & FILE_FLAG_HOST_WRITE) != 0 && n <= 0x7FFFFFFFu)
        DVDHostWrite(file->fname.c_str(), src, s32(n), TRUE);
    return 0;
}

u32 FileGetErrorStatus() {
    return FileErrorStatus;
}

void FileUpdateErrorStatus() {
    switch (DVDGetDriveStatus()) {
        case DVD_STATE_FATAL_ERROR:
            FileErrorStatus = FILE_ERROR_FATAL;
            break;
        case DVD_STATE_END:
        case DVD_STATE_BUSY:
            FileErrorStatus = 0;
            break;
        case DVD_STATE_NO_DISK:
            FileErrorStatus = FILE_ERROR_NO_DISC;
            break;
        case DVD_STATE_COVER_OPEN:
            FileErrorStatus = FILE_ERROR_COVER_OPEN;
            break;
        case DVD_STATE_WRONG_DISK:
            FileErrorStatus = FILE_ERROR_WRONG_DISC;
            break;
        case DVD_STATE_RETRY:
            FileErrorStatus = FILE_ERROR_RETRY;
            break;
        default:
            break;
    }
}

FileErrorCallbackFunc FileSetErrorCallback(FileErrorCallbackFunc func) {
    const FileErrorCallbackFunc previous = FileErrorCallback;
    FileErrorCallback = func;
    return previous;
}

void FileCallErrorCallback() {
    if (FileErrorCallback != nullptr)
        FileErrorCallback(FileErrorStatus);
}

void FileGetStatusThread(s_thread* /*task*/, void* /*record*/) {
    FileUpdateErrorStatus();
}
