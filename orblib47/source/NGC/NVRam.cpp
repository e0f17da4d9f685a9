// Flash storage: resets, and reading and writing whole files through the
// transactional open, so a failed save leaves the previous file in place.
#include "orblib47/source/NGC/NVRam.h"

#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

char NvHomeDir[NAND_MAX_PATH];
NANDFileInfo NvFileInfo;
alignas(32) char NvCopyBuffer[NVRAM_COPY_BUFFER_SIZE];
s32 NvLastError = 0;
u32 NvCheckFailureCode = 0;

namespace {

constexpr u32 kBannerBaseSize = 24736;
constexpr u32 kBannerIconSize = 4608;

// A 32-byte aligned block of length rounded up to 32 bytes, or null (reported).
s_mem_handle* TakeWorkBlock(u32 length, u32* rounded) {
    s_mem_handle* block = nullptr;
    if (length <= ~u32(0) - (NVRAM_ALIGN - 1)) {
        *rounded = (length + NVRAM_ALIGN - 1) & ~(NVRAM_ALIGN - 1);
        block = NewHandle(&MainHeap, *rounded != 0 ? *rounded : NVRAM_ALIGN, NVRAM_ALIGN, __FILE_NAME__,
                          __LINE__);
    }
    if (block == nullptr) {
        NvLastError = NVRAM_ERROR_NO_MEMORY;
        DEBUG_PRINT("NVRam: no work block for %u bytes!\n", length);
    }
    return block;
}

// Ends the operation: closes the shared record; 1 when both the operation and the
// close succeeded. A failed close leaves an earlier error as it was, and never
// leaves 0.
s32 Finish() {
    const s32 result = NANDSafeClose(&NvFileInfo);
    if (result != NAND_RESULT_OK) {
        if (NvLastError == 0)
            NvLastError = result;
        DEBUG_PRINT("NANDSafeClose failed (%d)!\n", result);
        return 0;
    }
    return NvLastError == 0 ? 1 : 0;
}

// Creates the file when missing and replaces its contents with size bytes.
s32 WriteWhole(const char* name, u8 perm, const void* data, u32 size) {
    NANDStatus status;
    s32 result = NANDGetStatus(name, &status);
    if (result == NAND_RESULT_NOEXISTS) {
        result = NANDCreate(name, perm, 0);
        if (result != NAND_RESULT_OK) {
            NvLastError = result;
            DEBUG_PRINT("NANDCreate failed (%d)!\n", result);
            return 0;
        }
    }
    result = NANDSafeOpen(name, &NvFileInfo, NAND_ACCESS_WRITE, NvCopyBuffer, NVRAM_COPY_BUFFER_SIZE);
    if (result != NAND_RESULT_OK) {
        NvLastError = result;
        DEBUG_PRINT("NANDSafeOpen failed (%d)!\n", result);
        return 0;
    }
    const s32 written = NANDWrite(&NvFileInfo, data, size);
    if (written != s32(size)) {
        // A count of 0 would read as success.
        NvLastError = written != 0 ? written : NVRAM_ERROR_SHORT_TRANSFER;
        DEBUG_PRINT("NANDWrite failed (%d)!\n", written);
    }
    return Finish();
}

}  // namespace

e_error_code NVRamColdReset() {
    NANDGetHomeDir(NvHomeDir);
    NANDChangeDir(NvHomeDir);
    return RET_NO_ERROR;
}

e_error_code NVRamWarmReset() {
    return RET_NO_ERROR;
}

s32 NVRamLoadFile(const char* name, void* buffer, u32 length) {
    NvLastError = 0;
    if (buffer == nullptr) {
        NvLastError = NAND_RESULT_INVALID;
        return 0;
    }
    u32 rounded = 0;
    s_mem_handle* block = TakeWorkBlock(length, &rounded);
    if (block == nullptr)
        return 0;
    const s32 result =
        NANDSafeOpen(name, &NvFileInfo, NAND_ACCESS_READ, NvCopyBuffer, NVRAM_COPY_BUFFER_SIZE);
    if (result != NAND_RESULT_OK) {
        NvLastError = result;
        NANDSafeClose(&NvFileInfo);
        DEBUG_PRINT("NANDSafeOpen failed (%d)!\n", result);
        FreeHandle(block);
        return 0;
    }
    const s32 read = NANDRead(&NvFileInfo, block->address, rounded);
    if (read != s32(rounded)) {
        NvLastError = NVRAM_ERROR_SHORT_TRANSFER;
        DEBUG_PRINT("NANDRead failed (%d)!\n", read);
    } else {
        std::memcpy(buffer, block->address, length);
    }
    FreeHandle(block);
    return Finish();
}

s32 NVRamSaveFile(const char* name, const void* data, u32 length) {
    NvLastError = 0;
    if (data == nullptr) {
        NvLastError = NAND_RESULT_INVALID;
        return 0;
    }
    u32 rounded = 0;
    s_mem_handle* block = TakeWorkBlock(length, &rounded);
    if (block == nullptr)
        return 0;
    std::memcpy(block->address, data, length);
    std::memset(block->address + length, 0, rounded - length);
    const s32 saved = WriteWhole(name, NVRAM_PERM_SAVE, block->address, rounded);
    FreeHandle(block);
    return saved;
}

s32 NVRamSaveBanner(const void* banner, u32 icons) {
    NvLastError = 0;
    return WriteWhole(NVRAM_BANNER_NAME, NVRAM_PERM_BANNER, banner, NVRamGetBannerSize(icons));
}

u32 NVRamGetBannerSize(u32 icons) {
    return kBannerBaseSize + kBannerIconSize * icons;
}

s32 NVRamGetLastError() {
    return NvLastError;
}

u32 NVRamGetCheckSpaceFailureCode() {
    return NvCheckFailureCode;
}
