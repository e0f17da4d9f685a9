// The particle editor's command file, parsed from exactly the bytes read (no
// terminator after them): a command it accepts has a slot of 0..7, and the name
// is always terminated within its 16 bytes.
#include <cstring>
#include <memory>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/HostIO.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    auto text = std::make_unique<char[]>(size);
    if (size != 0)
        std::memcpy(text.get(), data, size);
    s32 seq = 0;
    s32 slot = 0;
    char name[HOST_CMD_NAME_SIZE + 1];
    name[HOST_CMD_NAME_SIZE] = '!';
    const e_host_cmd cmd = HostCmdParseFile(text.get(), u32(size), &seq, &slot, name);
    if (cmd < HOST_CMD_INVALID || cmd > HOST_CMD_COUNT)
        fuzz::Fail("a command outside the table");
    if (cmd != HOST_CMD_INVALID && (slot < 0 || slot >= HOST_CMD_SLOTS))
        fuzz::Fail("a command accepted with a slot outside 0..7");
    if (name[HOST_CMD_NAME_SIZE] != '!' || std::memchr(name, '\0', HOST_CMD_NAME_SIZE) == nullptr)
        fuzz::Fail("the name is not terminated within its buffer");
    return 0;
}
