// NANDCheck: measures the home directory on the host against its limits and the
// rest of the storage's free room (HostNANDSetSpace).
#include <filesystem>
#include <system_error>

#include "console/host_services.h"
#include "console/nand/nand_internal.h"

namespace fs = std::filesystem;

namespace {

struct Usage {
    u64 blocks = 0;
    u64 inodes = 0;
};

Usage MeasureHome() {
    char home[NAND_MAX_PATH];
    NANDGetHomeDir(home);
    Usage usage;
    std::error_code error;
    for (fs::recursive_directory_iterator it(console::NANDHostPath(home), error), end; !error && it != end;
         it.increment(error)) {
        ++usage.inodes;
        std::error_code sizeError;
        if (it->is_regular_file(sizeError))
            usage.blocks += (it->file_size(sizeError) + NAND_FS_BLOCK_SIZE - 1) / NAND_FS_BLOCK_SIZE;
    }
    return usage;
}

}  // namespace

s32 NANDCheck(u32 fsBlock, u32 inode, u32* answer) {
    HostMemoryScope scope;
    s32 result;
    if (console::NANDTakeFailure(HostNANDCall::Check, &result))
        return result;
    if (answer == nullptr)
        return NAND_RESULT_INVALID;
    const HostNANDSpace& space = console::NANDSpace();
    const Usage usage = MeasureHome();
    *answer = 0;
    if (usage.blocks + fsBlock > space.homeBlocks)
        *answer |= NAND_CHECK_HOME_NO_SPACE;
    if (usage.inodes + inode > space.homeInodes)
        *answer |= NAND_CHECK_HOME_NO_INODES;
    if (fsBlock > space.systemFreeBlocks)
        *answer |= NAND_CHECK_SYS_NO_SPACE;
    if (inode > space.systemFreeInodes)
        *answer |= NAND_CHECK_SYS_NO_INODES;
    return NAND_RESULT_OK;
}
