// Safe files: a write goes to a copy in /tmp, which replaces the file only once it
// holds every byte written and has reached the disk; until the rename the file
// keeps its previous contents, whatever happens.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "console/host_services.h"
#include "console/nand/nand_internal.h"

namespace {

u32 s_nextCopy = 0;

// A new empty copy with the file's mode: its descriptor, or a result.
s32 CreateCopy(const struct stat& st, char (&tempPath)[NAND_MAX_PATH]) {
    const s32 made = console::NANDMakeHostDirectory(console::kNANDTempDir);
    if (made != NAND_RESULT_OK)
        return made;
    for (;;) {
        std::snprintf(tempPath, NAND_MAX_PATH, "%s/%08x", console::kNANDTempDir, s_nextCopy++);
        const int fd =
            open(console::NANDHostPath(tempPath).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 && fchmod(fd, st.st_mode & 0777) == 0)
            return fd;
        const int error = errno;
        if (fd >= 0) {
            close(fd);
            unlink(console::NANDHostPath(tempPath).c_str());
        }
        if (error != EEXIST)
            return console::NANDResultFromErrno(error);
    }
}

// Copies the whole file through the caller's buffer.
s32 CopyContents(int from, int to, void* buf, u32 length) {
    for (;;) {
        const s32 got = console::NANDHostRead(from, buf, length);
        if (got <= 0)
            return got;
        const s32 put = console::NANDHostWrite(to, buf, u32(got));
        if (put != got)
            return put < 0 ? put : NAND_RESULT_FATAL_ERROR;
        if (u32(got) < length)
            return NAND_RESULT_OK;
    }
}

void RemoveCopy(const char* tempPath) {
    if (tempPath[0] != '\0')
        unlink(console::NANDHostPath(tempPath).c_str());
}

// Closes the record and throws the copy away: the file stays as it was.
s32 Drop(NANDFileInfo* info, s32 result) {
    RemoveCopy(info->tempPath);
    console::NANDClearRecord(info);
    return result;
}

s32 SyncDirectory(const std::string& hostDir) {
    const int fd = open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return console::NANDResultFromErrno(errno);
    const s32 result = fsync(fd) == 0 ? NAND_RESULT_OK : console::NANDResultFromErrno(errno);
    close(fd);
    return result;
}

s32 Commit(NANDFileInfo* info) {
    struct stat st;
    if (info->writeFailed != 0 || fstat(info->fd, &st) != 0 || u64(st.st_size) != info->expectedLength)
        return Drop(info, NAND_RESULT_FATAL_ERROR);
    if (fsync(info->fd) != 0)
        return Drop(info, console::NANDResultFromErrno(errno));
    if (console::NANDTakeCrashBeforeRename()) {
        console::NANDClearRecord(info);
        return NAND_RESULT_FATAL_ERROR;
    }
    const std::string copy = console::NANDHostPath(info->tempPath);
    const std::string target = console::NANDHostPath(info->path);
    const std::string dir = console::NANDHostPath(console::NANDParent(info->path).c_str());
    s32 result = console::NANDClearRecord(info);
    if (result == NAND_RESULT_OK && rename(copy.c_str(), target.c_str()) != 0)
        result = console::NANDResultFromErrno(errno);
    if (result != NAND_RESULT_OK) {
        unlink(copy.c_str());
        return result;
    }
    // The rename must reach the disk too before the save counts as done.
    return SyncDirectory(dir);
}

}  // namespace

s32 NANDSafeOpen(const char* path, NANDFileInfo* info, u8 accType, void* buf, u32 length) {
    HostMemoryScope scope;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::SafeOpen, &result))
        return result;
    if (info == nullptr || info->open != 0 || !console::NANDValidAccess(accType) || buf == nullptr ||
        length == 0)
        return NAND_RESULT_INVALID;
    char absolute[NAND_MAX_PATH];
    if ((result = console::NANDResolve(path, absolute)) != NAND_RESULT_OK)
        return result;
    struct stat st;
    if ((result = console::NANDCheckAccess(absolute, accType, &st)) != NAND_RESULT_OK)
        return result;
    const int original = open(console::NANDHostPath(absolute).c_str(), O_RDONLY | O_CLOEXEC);
    if (original < 0)
        return console::NANDResultFromErrno(errno);
    if (accType == NAND_ACCESS_READ) {
        console::NANDFillRecord(info, original, accType, 1, absolute);
        return NAND_RESULT_OK;
    }
    // Written alone, the file becomes exactly what is written; a read-write open
    // starts from the old contents.
    const bool keepContents = accType == NAND_ACCESS_RW;
    char tempPath[NAND_MAX_PATH] = {};
    const s32 copy = CreateCopy(st, tempPath);
    result = copy < 0 ? copy : NAND_RESULT_OK;
    if (result == NAND_RESULT_OK && keepContents)
        result = CopyContents(original, copy, buf, length);
    close(original);
    if (result == NAND_RESULT_OK && lseek(copy, 0, SEEK_SET) != 0)
        result = console::NANDResultFromErrno(errno);
    if (result != NAND_RESULT_OK) {
        if (copy >= 0) {
            close(copy);
            RemoveCopy(tempPath);
        }
        return result;
    }
    console::NANDFillRecord(info, copy, accType, 1, absolute);
    std::snprintf(info->tempPath, NAND_MAX_PATH, "%s", tempPath);
    info->expectedLength = keepContents ? u32(st.st_size) : 0;
    return NAND_RESULT_OK;
}

s32 NANDSafeClose(NANDFileInfo* info) {
    HostMemoryScope scope;
    if (info == nullptr || info->open == 0 || info->safe == 0)
        return NAND_RESULT_INVALID;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::SafeClose, &result))
        return Drop(info, result);
    if (info->accType == NAND_ACCESS_READ)
        return console::NANDClearRecord(info);
    return Commit(info);
}
