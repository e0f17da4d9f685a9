// Numbers given on a command line, read strictly: the whole text is the number,
// with no spaces, no '+', and nothing after it. Shared by the game's command line
// and the host tools.
#pragma once

#include <cstdint>
#include <string_view>

// A whole number in [min, max]: decimal digits, or "0x" and hex digits, after an
// optional '-'.
bool ParseIntegerArgument(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t* value);
// A finite number in [min, max], in decimal ("85", "-0.5", "2e-3").
bool ParseRealArgument(std::string_view text, double min, double max, double* value);
