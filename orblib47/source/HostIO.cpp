#include "orblib47/source/HostIO.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <string_view>

const char* const HostCommands[HOST_CMD_COUNT] = {
    "[HOST_CMD_RESET]",         "[HOST_CMD_START_PARTICLE]",     "[HOST_CMD_STOP_PARTICLE]",
    "[HOST_CMD_GET_DATA_SETS]", "[HOST_CMD_START_ALL_PARTICLE]", "[HOST_CMD_LOAD_PARTICLE]",
    "[HOST_CMD_COUNT]",
};

namespace {

// Longer than every keyword, so a line that does not fit matches none.
constexpr u32 kKeywordSize = 32;

// The next line of `text`, which moves past it and its CR LF.
std::string_view NextLine(std::string_view* text) {
    const std::size_t end = text->find("\r\n");
    const std::string_view line = text->substr(0, end);
    text->remove_prefix(end == std::string_view::npos ? text->size() : end + 2);
    return line;
}

// A decimal integer as atoi reads one (leading blanks, a sign, the digits up to the
// first other character; none reads as 0); false when it does not fit 32 bits.
bool ReadNumber(std::string_view line, s32* value) {
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
        line.remove_prefix(1);
    if (!line.empty() && line.front() == '+')
        line.remove_prefix(1);
    *value = 0;
    const std::from_chars_result result = std::from_chars(line.data(), line.data() + line.size(), *value);
    return result.ec != std::errc::result_out_of_range;
}

}  // namespace

e_host_cmd HostCmdParse(char* text) {
    for (char* c = text; *c != '\0'; ++c)
        *c = char(std::toupper(static_cast<unsigned char>(*c)));
    for (s32 i = 0; i < HOST_CMD_COUNT; ++i) {
        if (std::strcmp(text, HostCommands[i]) == 0)
            return e_host_cmd(i + 1);
    }
    return HOST_CMD_INVALID;
}

e_host_cmd HostCmdParseFile(const char* file, u32 size, s32* seq, s32* slot, char* name) {
    std::string_view text(file, size);
    text = text.substr(0, text.find('\0'));
    const bool seqRead = ReadNumber(NextLine(&text), seq);
    const std::string_view keywordLine = NextLine(&text);
    const bool slotRead = ReadNumber(NextLine(&text), slot);
    const std::string_view nameLine = NextLine(&text);
    const std::size_t nameLength = std::min<std::size_t>(nameLine.size(), HOST_CMD_NAME_SIZE - 1);
    std::memcpy(name, nameLine.data(), nameLength);
    name[nameLength] = '\0';

    char keyword[kKeywordSize] = {};
    if (keywordLine.size() >= kKeywordSize)
        return HOST_CMD_INVALID;
    std::memcpy(keyword, keywordLine.data(), keywordLine.size());
    const e_host_cmd cmd = HostCmdParse(keyword);
    if (!seqRead || !slotRead || *slot < 0 || *slot >= HOST_CMD_SLOTS ||
        nameLine.size() >= HOST_CMD_NAME_SIZE)
        return HOST_CMD_INVALID;
    return cmd;
}
