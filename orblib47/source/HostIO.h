// The command file a development host writes for the particle editor: a sequence
// number, a keyword, a slot and an effect name, one a line, lines ending in CR LF.
#pragma once

#include "orblib47/source/OrbTypes.h"

enum e_host_cmd : s32 {
    HOST_CMD_INVALID = 0,
    HOST_CMD_RESET = 1,
    HOST_CMD_START_PARTICLE = 2,
    HOST_CMD_STOP_PARTICLE = 3,
    HOST_CMD_GET_DATA_SETS = 4,
    HOST_CMD_START_ALL_PARTICLE = 5,
    HOST_CMD_LOAD_PARTICLE = 6,
    HOST_CMD_COUNT = 7,
};

constexpr s32 HOST_CMD_SLOTS = 8;
constexpr u32 HOST_CMD_NAME_SIZE = 16;  // the name's buffer, terminator included

// The keywords of commands 1..7 in order.
extern const char* const HostCommands[HOST_CMD_COUNT];

// Upper-cases `text` in place; the command whose keyword it equals, else
// HOST_CMD_INVALID.
e_host_cmd HostCmdParse(char* text);

// The command in the first `size` bytes of `file`, which need no terminator (a NUL
// ends the text early). `seq`, `slot` and `name` (HOST_CMD_NAME_SIZE bytes) are
// filled as far as the lines go; missing lines read as 0 or "". A number out of
// range, a slot outside 0..7 or a name over 15 characters make the command
// HOST_CMD_INVALID.
e_host_cmd HostCmdParseFile(const char* file, u32 size, s32* seq, s32* slot, char* name);
