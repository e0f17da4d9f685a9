// Text for the debug overlays, heap reports and error lines.
#pragma once

#include <string>
#include <string_view>

#include "orblib47/source/OrbTypes.h"

// Room for the longest text, "-2,147,483,648", and its terminator.
constexpr u32 DEBUG_FORMAT_SINT32_SIZE = 16;

// Writes `value` with commas between digit triples ("-1,234,567", "5"). Returns
// `buffer`, which must hold
// DEBUG_FORMAT_SINT32_SIZE characters.
char* DebugFormatSint32(char* buffer, s32 value);

// Text read from a file or given by the user, fit to print in one line: printable
// ASCII (space to '~') as it is, every other byte as \xNN. Escaping twice changes
// nothing.
std::string DebugEscape(std::string_view raw);

// The same for a name in an error line, without the heap (the line may say that
// it is full): the first DEBUG_NAME_MAX bytes of the name.
constexpr u32 DEBUG_NAME_MAX = 32;
class DebugName {
public:
    explicit DebugName(std::string_view raw);
    const char* c_str() const { return text_; }

private:
    char text_[DEBUG_NAME_MAX * 4 + 1];
};
