#include "tools/sfpcompile/SfpWords.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "tools/sfpcompile/Cp1252.h"
#include "tools/sfpcompile/SfpStyle.h"

namespace sfpc {

std::string At(const Where& where) {
    return where.file + ":" + std::to_string(where.line);
}

void Fail(const Where& where, const std::string& what) {
    throw std::invalid_argument(At(where) + ": " + what);
}

SfpWords::SfpWords(const std::string& line, Where where) : where_(std::move(where)) {
    size_t at = 0;
    for (;;) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r'))
            ++at;
        if (at == line.size())
            break;
        Token token;
        if (line[at] != '"') {
            while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
                token.text += line[at++];
            if (token.text.find('"') != std::string::npos)
                Fail("a quote inside a word: " + token.text);
            words_.push_back(std::move(token));
            continue;
        }
        token.quoted = true;
        for (++at;; ++at) {
            if (at == line.size())
                Fail("a text without its closing quote");
            char c = line[at];
            if (c == '"')
                break;
            if (u8(c) < 0x20)
                Fail("a control character inside a text");
            if (c == '\\') {
                c = ++at < line.size() ? line[at] : '\0';
                if (c != '"' && c != '\\' && c != 'n')
                    Fail("unknown escape in a text (\\\" \\\\ \\n are known)");
                c = c == 'n' ? '\n' : c;
            }
            token.text += c;
        }
        ++at;
        words_.push_back(std::move(token));
    }
}

bool SfpWords::Take(const char* word) {
    if (Done() || words_[next_].quoted || words_[next_].text != word)
        return false;
    ++next_;
    return true;
}

std::string SfpWords::Word(const char* what) {
    if (Done() || words_[next_].quoted)
        Fail(std::string("expected ") + what);
    return words_[next_++].text;
}

std::string SfpWords::Text() {
    if (Done() || !words_[next_].quoted)
        Fail("expected a text in double quotes");
    try {
        return Utf8ToCp1252(words_[next_++].text);
    } catch (const std::invalid_argument& error) {
        Fail(error.what());
    }
}

s64 SfpWords::Int(const char* what, s64 min, s64 max) {
    const std::string word = Word(what);
    s64 value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max)
        Fail(std::string(what) + " must be a whole number from " + std::to_string(min) + " to " +
             std::to_string(max) + ", not " + word);
    return value;
}

f32 SfpWords::Number(const char* what, f32 min, f32 max) {
    const std::string word = Word(what);
    f32 value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value) || value < min ||
        value > max) {
        char range[64];
        std::snprintf(range, sizeof range, " must be a number from %g to %g, not ", double(min), double(max));
        Fail(what + std::string(range) + word);
    }
    return value;
}

bool SfpWords::NextIsColour() const {
    return !Done() && !words_[next_].quoted &&
           (words_[next_].text.starts_with('#') || PaletteColour(words_[next_].text));
}

u32 SfpWords::Colour() {
    const std::string word = Word("a colour");
    if (const std::optional<u32> named = PaletteColour(word))
        return *named;
    const bool hex =
        word.size() > 1 && word.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (word[0] != '#' || !hex || (word.size() != 7 && word.size() != 9))
        Fail("expected a colour (#RRGGBB, #RRGGBBAA or a palette name), not " + word);
    const u32 value = u32(std::stoul(word.substr(1), nullptr, 16));
    return word.size() == 7 ? value << 8 | 0xFF : value;
}

void SfpWords::End() const {
    if (!Done())
        Fail("unexpected " + words_[next_].text);
}

}  // namespace sfpc
