// NAND: the console's flash storage, over a host folder as the storage's root
// (HostConfig::nandRoot). Paths are '/' separated, at most 63 characters, with
// names of at most 12; a path without a leading '/' is relative to the current
// directory. The title's home directory always exists.
//
// A file opened with NANDSafeOpen for writing is written to a copy in /tmp. The
// close checks that the copy holds every byte written, flushes it and renames it
// over the file, so a failed write, a failed close or a crash leaves the previous
// file as it was. Every call is synchronous.
#pragma once

#include "console/types.h"

constexpr u32 NAND_MAX_PATH = 64;  // with the terminating zero
constexpr u32 NAND_MAX_NAME = 12;  // characters of one path component

// Results: 0 or more is success (a read or write returns its byte count).
constexpr s32 NAND_RESULT_OK = 0;
constexpr s32 NAND_RESULT_ACCESS = -1;  // the file's permission forbids the access
constexpr s32 NAND_RESULT_ALLOC_FAILED = -2;
constexpr s32 NAND_RESULT_CORRUPT = -4;
constexpr s32 NAND_RESULT_ECC_CRIT = -5;
constexpr s32 NAND_RESULT_EXISTS = -6;
constexpr s32 NAND_RESULT_INVALID = -8;  // a bad argument, name or file record
constexpr s32 NAND_RESULT_MAXBLOCKS = -9;
constexpr s32 NAND_RESULT_NOEXISTS = -12;
constexpr s32 NAND_RESULT_AUTHENTICATION = -15;
constexpr s32 NAND_RESULT_FATAL_ERROR = -128;

// Access types.
constexpr u8 NAND_ACCESS_READ = 1;
constexpr u8 NAND_ACCESS_WRITE = 2;
constexpr u8 NAND_ACCESS_RW = 3;

// Permission bits.
constexpr u8 NAND_PERM_OTHER_READ = 0x01;
constexpr u8 NAND_PERM_OTHER_WRITE = 0x02;
constexpr u8 NAND_PERM_GROUP_READ = 0x04;
constexpr u8 NAND_PERM_GROUP_WRITE = 0x08;
constexpr u8 NAND_PERM_OWNER_READ = 0x10;
constexpr u8 NAND_PERM_OWNER_WRITE = 0x20;

// NANDCheck answer bits.
constexpr u32 NAND_CHECK_HOME_NO_SPACE = 0x1;
constexpr u32 NAND_CHECK_HOME_NO_INODES = 0x2;
constexpr u32 NAND_CHECK_SYS_NO_SPACE = 0x4;
constexpr u32 NAND_CHECK_SYS_NO_INODES = 0x8;

constexpr u32 NAND_FS_BLOCK_SIZE = 16384;

struct NANDStatus {
    u32 ownerId;
    u16 groupId;
    u8 attribute;
    u8 permission;
};

// One open file. A zeroed record is a closed one.
struct NANDFileInfo {
    u8 open;
    u8 accType;
    u8 safe;                       // opened with NANDSafeOpen
    u8 writeFailed;                // a write of the copy moved fewer bytes than asked
    s32 fd;                        // host descriptor
    u32 expectedLength;            // safe write: the length the copy must have at the close
    char path[NAND_MAX_PATH];      // absolute path of the file
    char tempPath[NAND_MAX_PATH];  // safe write: absolute path of the copy
};

s32 NANDGetHomeDir(char path[NAND_MAX_PATH]);
s32 NANDGetCurrentDir(char path[NAND_MAX_PATH]);
s32 NANDChangeDir(const char* path);

// NAND_RESULT_EXISTS when the name is taken; the parent directory must exist.
s32 NANDCreate(const char* path, u8 perm, u8 attr);
s32 NANDGetStatus(const char* path, NANDStatus* stat);

s32 NANDOpen(const char* path, NANDFileInfo* info, u8 accType);
s32 NANDClose(NANDFileInfo* info);
// The byte count moved (fewer at the end of the file), or a negative result.
s32 NANDRead(NANDFileInfo* info, void* buf, u32 length);
s32 NANDWrite(NANDFileInfo* info, const void* buf, u32 length);
s32 NANDGetLength(NANDFileInfo* info, u32* length);

// The file must exist. Writes go to a temporary copy: for writing alone it starts
// empty, so the file becomes exactly what is written; for reading and writing the
// file's contents are first copied to it through buf (length bytes of the
// caller's memory).
s32 NANDSafeOpen(const char* path, NANDFileInfo* info, u8 accType, void* buf, u32 length);
// After a write: replaces the file with the copy, or, when a write fell short or a
// step of the replacement fails, drops the copy and keeps the file.
s32 NANDSafeClose(NANDFileInfo* info);

// Whether the home directory can take fsBlock more 16 KB blocks and inode more
// files or directories: *answer receives the NAND_CHECK_* bits that refuse.
s32 NANDCheck(u32 fsBlock, u32 inode, u32* answer);
