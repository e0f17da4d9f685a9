// Flash storage: the questions asked before a save (room, and whether the save
// file and the banner exist).
#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/NVRam.h"

namespace {

constexpr u32 kFsBlocksPerBlock = 8;  // 16 KB storage blocks in one 128 KB block

struct CheckMessage {
    u32 bit;
    const char* text;
};

constexpr CheckMessage kCheckMessages[] = {
    {NAND_CHECK_HOME_NO_SPACE, "Your request will exceed limit of home directory (16MB).\n"},
    {NAND_CHECK_HOME_NO_INODES, "Your request will exceed limit of home directory (32 i-nodes).\n"},
    {NAND_CHECK_SYS_NO_SPACE, "Your request will invade space of system area.\n"},
    {NAND_CHECK_SYS_NO_INODES, "Your request will invade i-nodes of system area.\n"},
};

}  // namespace

s32 NVRamCheckSpace(u32 blocks, u32 inodes) {
    NvLastError = 0;
    // A request too big to count is refused, not wrapped round to a small one.
    const u32 fsBlocks = blocks > ~u32(0) / kFsBlocksPerBlock ? ~u32(0) : blocks * kFsBlocksPerBlock;
    const s32 result = NANDCheck(fsBlocks, inodes, &NvCheckFailureCode);
    if (result != NAND_RESULT_OK) {
        NvLastError = result;
        DEBUG_PRINT("NANDCheck() failed.  Result code: %d\n", result);
        return 0;
    }
    if (NvCheckFailureCode == 0)
        return 1;
    for (const CheckMessage& message : kCheckMessages) {
        if ((NvCheckFailureCode & message.bit) != 0)
            DEBUG_PRINT("%s", message.text);
    }
    NvLastError = NVRAM_ERROR_NO_ROOM;
    return 0;
}

s32 NVRamFileExist(const char* name, u32* length) {
    NvLastError = 0;
    u32 scratch = 0;
    u32* out = length != nullptr ? length : &scratch;
    *out = 0;
    s32 result = NANDOpen(name, &NvFileInfo, NAND_ACCESS_READ);
    if (result != NAND_RESULT_OK) {
        NvLastError = result;
        NANDClose(&NvFileInfo);
        return 0;
    }
    result = NANDGetLength(&NvFileInfo, out);
    NANDClose(&NvFileInfo);
    if (result != NAND_RESULT_OK) {
        NvLastError = result;
        DEBUG_PRINT("NANDGetLength failed (%d)!\n", result);
        return 0;
    }
    return 1;
}

s32 NVRamBannerExist() {
    NvLastError = 0;
    NANDStatus status;
    const s32 result = NANDGetStatus(NVRAM_BANNER_NAME, &status);
    // Only a banner known to exist counts: after an error the save writes it again.
    if (result != NAND_RESULT_OK)
        NvLastError = result;
    return result == NAND_RESULT_OK ? 1 : 0;
}
