// NAND files: creating, opening, reading, writing and closing host files. A
// file's permission byte is its host mode (owner, group, other).
#include "console/nand.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "console/host_services.h"
#include "console/nand/nand_internal.h"

namespace {

constexpr u32 kOwnerId = 0x1000;
constexpr u16 kGroupId = 0x3031;

int OpenFlags(u8 accType) {
    const int flags = accType == NAND_ACCESS_READ    ? O_RDONLY
                      : accType == NAND_ACCESS_WRITE ? O_WRONLY
                                                     : O_RDWR;
    return flags | O_CLOEXEC;
}

// Moves up to length bytes; the count moved, or a result when the host fails
// before the end of the file.
template <typename Transfer>
s32 Move(Transfer transfer, u32 length) {
    u32 done = 0;
    while (done < length) {
        const ssize_t n = transfer(done, length - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return console::NANDResultFromErrno(errno);
        if (n == 0)
            break;
        done += u32(n);
    }
    return s32(done);
}

bool UsableRecord(const NANDFileInfo* info, u8 access) {
    return info != nullptr && info->open != 0 && (info->accType & access) != 0;
}

}  // namespace

namespace console {

bool NANDValidAccess(u8 accType) {
    return accType >= NAND_ACCESS_READ && accType <= NAND_ACCESS_RW;
}

s32 NANDHostRead(int fd, void* buf, u32 length) {
    u8* bytes = static_cast<u8*>(buf);
    return Move([=](u32 at, u32 n) { return read(fd, bytes + at, n); }, length);
}

s32 NANDHostWrite(int fd, const void* buf, u32 length) {
    const u8* bytes = static_cast<const u8*>(buf);
    return Move([=](u32 at, u32 n) { return write(fd, bytes + at, n); }, length);
}

s32 NANDResultFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return NAND_RESULT_NOEXISTS;
        case EEXIST:
            return NAND_RESULT_EXISTS;
        case EACCES:
        case EPERM:
        case EROFS:
            return NAND_RESULT_ACCESS;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return NAND_RESULT_MAXBLOCKS;
        case ENOMEM:
            return NAND_RESULT_ALLOC_FAILED;
        case EISDIR:
        case ENAMETOOLONG:
        case EINVAL:
            return NAND_RESULT_INVALID;
        default:
            return NAND_RESULT_FATAL_ERROR;
    }
}

u8 NANDPermFromMode(mode_t mode) {
    u8 perm = 0;
    for (int who = 0; who < 3; ++who) {  // other, group, owner
        const mode_t bits = (mode >> (3 * who)) & 7;
        perm |= u8((((bits & 4) ? 1 : 0) | ((bits & 2) ? 2 : 0)) << (2 * who));
    }
    return perm;
}

mode_t NANDModeFromPerm(u8 perm) {
    mode_t mode = 0;
    for (int who = 0; who < 3; ++who) {
        const u8 bits = (perm >> (2 * who)) & 3;
        mode |= mode_t(((bits & 1) ? 4 : 0) | ((bits & 2) ? 2 : 0)) << (3 * who);
    }
    return mode;
}

s32 NANDCheckAccess(const char* absolute, u8 accType, struct stat* st) {
    if (stat(NANDHostPath(absolute).c_str(), st) != 0)
        return NANDResultFromErrno(errno);
    if (!S_ISREG(st->st_mode))
        return NAND_RESULT_INVALID;
    const u8 perm = NANDPermFromMode(st->st_mode);
    if (((accType & NAND_ACCESS_READ) && !(perm & NAND_PERM_OWNER_READ)) ||
        ((accType & NAND_ACCESS_WRITE) && !(perm & NAND_PERM_OWNER_WRITE)))
        return NAND_RESULT_ACCESS;
    return NAND_RESULT_OK;
}

void NANDFillRecord(NANDFileInfo* info, s32 fd, u8 accType, u8 safe, const char* absolute) {
    *info = NANDFileInfo{};
    info->open = 1;
    info->accType = accType;
    info->safe = safe;
    info->fd = fd;
    std::memcpy(info->path, absolute, NAND_MAX_PATH);
}

s32 NANDClearRecord(NANDFileInfo* info) {
    const int closed = close(info->fd);
    *info = NANDFileInfo{};
    return closed == 0 ? NAND_RESULT_OK : NANDResultFromErrno(errno);
}

}  // namespace console

s32 NANDCreate(const char* path, u8 perm, u8 attr) {
    HostMemoryScope scope;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::Create, &result))
        return result;
    char absolute[NAND_MAX_PATH];
    result = console::NANDResolve(path, absolute);
    if (result != NAND_RESULT_OK)
        return result;
    const std::string parent = console::NANDParent(absolute);
    if (!console::NANDIsDirectory(parent))
        return NAND_RESULT_NOEXISTS;
    if (console::NANDOnHomePath(parent) &&
        (result = console::NANDMakeHostDirectory(parent)) != NAND_RESULT_OK)
        return result;
    // Attributes are not kept: the host has no place for them, and status reads 0.
    (void)attr;
    const int fd =
        open(console::NANDHostPath(absolute).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return console::NANDResultFromErrno(errno);
    result = fchmod(fd, console::NANDModeFromPerm(perm)) == 0 ? NAND_RESULT_OK
                                                              : console::NANDResultFromErrno(errno);
    close(fd);
    return result;
}

s32 NANDGetStatus(const char* path, NANDStatus* stat) {
    HostMemoryScope scope;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::GetStatus, &result))
        return result;
    char absolute[NAND_MAX_PATH];
    if (stat == nullptr)
        return NAND_RESULT_INVALID;
    if ((result = console::NANDResolve(path, absolute)) != NAND_RESULT_OK)
        return result;
    struct stat st;
    if (::stat(console::NANDHostPath(absolute).c_str(), &st) != 0)
        return console::NANDResultFromErrno(errno);
    *stat = NANDStatus{kOwnerId, kGroupId, 0, console::NANDPermFromMode(st.st_mode)};
    return NAND_RESULT_OK;
}

s32 NANDOpen(const char* path, NANDFileInfo* info, u8 accType) {
    HostMemoryScope scope;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::Open, &result))
        return result;
    char absolute[NAND_MAX_PATH];
    if (info == nullptr || info->open != 0 || !console::NANDValidAccess(accType))
        return NAND_RESULT_INVALID;
    if ((result = console::NANDResolve(path, absolute)) != NAND_RESULT_OK)
        return result;
    struct stat st;
    if ((result = console::NANDCheckAccess(absolute, accType, &st)) != NAND_RESULT_OK)
        return result;
    const int fd = open(console::NANDHostPath(absolute).c_str(), OpenFlags(accType));
    if (fd < 0)
        return console::NANDResultFromErrno(errno);
    console::NANDFillRecord(info, fd, accType, 0, absolute);
    return NAND_RESULT_OK;
}

s32 NANDClose(NANDFileInfo* info) {
    if (info == nullptr || info->open == 0 || info->safe != 0)
        return NAND_RESULT_INVALID;
    s32 injected;
    const bool failed = console::NANDTakeFailure(HostNANDCall::Close, &injected);
    const s32 result = console::NANDClearRecord(info);
    return failed ? injected : result;
}

s32 NANDRead(NANDFileInfo* info, void* buf, u32 length) {
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::Read, &result))
        return result;
    if (!UsableRecord(info, NAND_ACCESS_READ) || buf == nullptr || length > u32(INT_MAX))
        return NAND_RESULT_INVALID;
    return console::NANDHostRead(info->fd, buf, console::NANDTakeShortRead(length));
}

s32 NANDWrite(NANDFileInfo* info, const void* buf, u32 length) {
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::Write, &result)) {
        if (info != nullptr)
            info->writeFailed = 1;
        return result;
    }
    if (!UsableRecord(info, NAND_ACCESS_WRITE) || buf == nullptr || length > u32(INT_MAX))
        return NAND_RESULT_INVALID;
    const off_t start = lseek(info->fd, 0, SEEK_CUR);
    result = console::NANDHostWrite(info->fd, buf, console::NANDTakeShortWrite(length));
    if (result == s32(length) && start >= 0)
        info->expectedLength = std::max(info->expectedLength, u32(start) + length);
    else
        info->writeFailed = 1;
    return result;
}

s32 NANDGetLength(NANDFileInfo* info, u32* length) {
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::GetLength, &result))
        return result;
    struct stat st;
    if (info == nullptr || info->open == 0 || length == nullptr)
        return NAND_RESULT_INVALID;
    if (fstat(info->fd, &st) != 0)
        return console::NANDResultFromErrno(errno);
    *length = u32(st.st_size);
    return NAND_RESULT_OK;
}
