// Flash storage: the save file and the save banner, in the title's home directory,
// through the console's NAND calls. One file is open at a time (the record and the
// copy buffer are shared). Every operation is synchronous, returns 1 for success
// or 0 for failure, and leaves a result code for NVRamGetLastError: 0, a NAND
// result, or one of the codes below.
#pragma once

#include "console/nand.h"
#include "orblib47/source/OrbTypes.h"

constexpr s32 NVRAM_ERROR_SHORT_TRANSFER = -5;  // a read or write moved fewer bytes than asked
constexpr s32 NVRAM_ERROR_NO_MEMORY = NAND_RESULT_ALLOC_FAILED;  // no work block
constexpr s32 NVRAM_ERROR_NO_ROOM = -64;                         // the space check refused

constexpr u32 NVRAM_COPY_BUFFER_SIZE = 4096;
constexpr u32 NVRAM_ALIGN = 32;  // files move in whole multiples of this
constexpr u8 NVRAM_PERM_SAVE = 0x30;
constexpr u8 NVRAM_PERM_BANNER = 0x34;
constexpr char NVRAM_BANNER_NAME[] = "banner.bin";

extern char NvHomeDir[NAND_MAX_PATH];
extern NANDFileInfo NvFileInfo;
extern char NvCopyBuffer[NVRAM_COPY_BUFFER_SIZE];
extern s32 NvLastError;
extern u32 NvCheckFailureCode;

// Makes the home directory the current one, so names are relative to it.
e_error_code NVRamColdReset();
e_error_code NVRamWarmReset();

// Files hold the data rounded up to a multiple of 32 bytes; a save zeroes the
// bytes past the data. A load fills buffer only when every byte was read.
s32 NVRamLoadFile(const char* name, void* buffer, u32 length);
s32 NVRamSaveFile(const char* name, const void* data, u32 length);
// Whether the home directory can take blocks more 128 KB blocks and inodes more
// files; the refusing NAND_CHECK_* bits go to NVRamGetCheckSpaceFailureCode.
s32 NVRamCheckSpace(u32 blocks, u32 inodes);
// 1 when the file can be opened and its length read; *length (may be null) is set
// to 0 first.
s32 NVRamFileExist(const char* name, u32* length);
// 1 only when "banner.bin" is known to exist.
s32 NVRamBannerExist();
// Writes NVRamGetBannerSize(icons) bytes of banner as "banner.bin".
s32 NVRamSaveBanner(const void* banner, u32 icons);
u32 NVRamGetBannerSize(u32 icons);
s32 NVRamGetLastError();
u32 NVRamGetCheckSpaceFailureCode();
