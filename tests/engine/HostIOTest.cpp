// The particle editor's command file: keywords, numbers, slots and names, parsed
// within the bytes read.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "orblib47/source/HostIO.h"

namespace {

struct Row {
    const char* text;
    e_host_cmd cmd;
    s32 seq;
    s32 slot;
    const char* name;
};

TEST(HostIOTest, CommandFilesParseToTheirCommand) {
    const Row rows[] = {
        {"7\r\n[HOST_CMD_START_PARTICLE]\r\n3\r\nsparks\r\n", HOST_CMD_START_PARTICLE, 7, 3, "sparks"},
        {"8\r\n[host_cmd_reset]\r\n0\r\n", HOST_CMD_RESET, 8, 0, ""},
        {"9\r\n[HOST_CMD_RESET] \r\n0\r\n", HOST_CMD_INVALID, 9, 0, ""},
        {"-2\r\n[Host_Cmd_Count]", HOST_CMD_COUNT, -2, 0, ""},
        {"3\r\n[HOST_CMD_GET_DATA_SETS]", HOST_CMD_GET_DATA_SETS, 3, 0, ""},
        {"4\r\n[HOST_CMD_STOP_PARTICLE]\r\n7\r\nFX", HOST_CMD_STOP_PARTICLE, 4, 7, "FX"},
        {"4\r\n[HOST_CMD_STOP_PARTICLE]\r\n8\r\nFX", HOST_CMD_INVALID, 4, 8, "FX"},
        {"4\r\n[HOST_CMD_STOP_PARTICLE]\r\n-1\r\nFX", HOST_CMD_INVALID, 4, -1, "FX"},
        {"5\r\n[HOST_CMD_LOAD_PARTICLE]\r\n1\r\nFIFTEEN_LETTERS", HOST_CMD_LOAD_PARTICLE, 5, 1,
         "FIFTEEN_LETTERS"},
        {"5\r\n[HOST_CMD_LOAD_PARTICLE]\r\n1\r\nSIXTEEN_LETTERS!", HOST_CMD_INVALID, 5, 1, "SIXTEEN_LETTERS"},
        {"2147483648\r\n[HOST_CMD_RESET]\r\n0", HOST_CMD_INVALID, 0, 0, ""},
        {"6\r\n[HOST_CMD_START_ALL_PARTICLE]\r\n99999999999", HOST_CMD_INVALID, 6, 0, ""},
        {"1\r\n[HOST_CMD_START_ALL_PARTICLE_AND_MUCH_MORE]\r\n0", HOST_CMD_INVALID, 1, 0, ""},
        {"", HOST_CMD_INVALID, 0, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::size_t size = std::strlen(row.text);
        // Exactly the bytes of the file, with nothing after them.
        auto bytes = std::make_unique<char[]>(size);
        std::memcpy(bytes.get(), row.text, size);
        s32 seq = -99;
        s32 slot = -99;
        char name[HOST_CMD_NAME_SIZE];
        EXPECT_EQ(HostCmdParseFile(bytes.get(), u32(size), &seq, &slot, name), row.cmd);
        EXPECT_EQ(seq, row.seq);
        EXPECT_EQ(slot, row.slot);
        EXPECT_STREQ(name, row.name);
    }
}

TEST(HostIOTest, OnlyTheBytesReadAreParsed) {
    const std::string text = "12\r\n[HOST_CMD_START_PARTICLE]\r\n2\r\nFXTAIL";
    s32 seq = 0;
    s32 slot = 0;
    char name[HOST_CMD_NAME_SIZE];
    EXPECT_EQ(HostCmdParseFile(text.data(), u32(text.size() - 4), &seq, &slot, name),
              HOST_CMD_START_PARTICLE);
    EXPECT_STREQ(name, "FX");
}

}  // namespace
