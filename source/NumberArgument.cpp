#include "source/NumberArgument.h"

#include <charconv>
#include <cmath>

namespace {

bool ParsedWhole(std::string_view text, std::from_chars_result result) {
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

}  // namespace

bool ParseIntegerArgument(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t* value) {
    const bool negative = text.starts_with('-');
    std::string_view digits = negative ? text.substr(1) : text;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    }
    // from_chars takes a sign of its own: after ours, only digits may follow.
    if (digits.empty() || digits.front() == '-')
        return false;
    std::uint64_t magnitude = 0;
    if (!ParsedWhole(digits, std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base)))
        return false;
    // Beyond the 64-bit range nothing may wrap back into [min, max].
    const std::uint64_t limit = negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX);
    if (magnitude > limit)
        return false;
    const std::int64_t parsed = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    if (parsed < min || parsed > max)
        return false;
    *value = parsed;
    return true;
}

bool ParseRealArgument(std::string_view text, double min, double max, double* value) {
    // from_chars reads "inf" and "nan" too; the finiteness check refuses them.
    double parsed = 0.0;
    if (!ParsedWhole(text, std::from_chars(text.data(), text.data() + text.size(), parsed)))
        return false;
    if (!std::isfinite(parsed) || parsed < min || parsed > max)
        return false;
    *value = parsed;
    return true;
}
