// What the flash storage's calls share: paths, host files, the test controls.
// Internal to the console; every caller has a HostMemoryScope open.
#pragma once

#include <sys/stat.h>

#include <string>

#include "console/nand.h"
#include "console/nand/nand_control.h"

namespace console {

// Where safe writes keep their copies.
inline constexpr char kNANDTempDir[] = "/tmp";

// The absolute form of a path, checked for length and names.
s32 NANDResolve(const char* path, char (&absolute)[NAND_MAX_PATH]);
std::string NANDHostPath(const char* absolute);
// The directory above an absolute path ("/" for a top-level name).
std::string NANDParent(const char* absolute);
// The home directory and the directories above it always exist.
bool NANDOnHomePath(const std::string& absolute);
bool NANDIsDirectory(const std::string& absolute);
// Makes the host folders of an existing directory that the host lacks.
s32 NANDMakeHostDirectory(const std::string& absolute);
void NANDResetCurrentDir();

s32 NANDResultFromErrno(int error);
bool NANDValidAccess(u8 accType);
// Move length bytes unless the file ends first: the count moved, or a result.
s32 NANDHostRead(int fd, void* buf, u32 length);
s32 NANDHostWrite(int fd, const void* buf, u32 length);
// Stats an existing file (not a directory) and checks its permission for accType.
s32 NANDCheckAccess(const char* absolute, u8 accType, struct stat* st);
u8 NANDPermFromMode(mode_t mode);
mode_t NANDModeFromPerm(u8 perm);
// Fills a record for a file just opened; ClearRecord closes it.
void NANDFillRecord(NANDFileInfo* info, s32 fd, u8 accType, u8 safe, const char* absolute);
s32 NANDClearRecord(NANDFileInfo* info);

// Test controls: each take consumes what was armed.
bool NANDTakeFailure(HostNANDCall call, s32* result);
u32 NANDTakeShortRead(u32 length);
u32 NANDTakeShortWrite(u32 length);
bool NANDTakeCrashBeforeRename();
const HostNANDSpace& NANDSpace();

}  // namespace console
