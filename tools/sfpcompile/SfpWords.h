// One line of a movie source split into words: bare words, and texts in double
// quotes with the escapes \" \\ \n. Every read that fails throws
// std::invalid_argument "FILE:LINE: what".
#pragma once

#include <string>
#include <vector>

#include "tools/sfpcompile/SfpSource.h"

namespace sfpc {

class SfpWords {
public:
    SfpWords(const std::string& line, Where where);

    const Where& At() const { return where_; }
    bool Done() const { return next_ == words_.size(); }
    // The next word if it is bare and equals `word`, which it then moves past.
    bool Take(const char* word);
    // The next bare word; `what` names it in the message when there is none.
    std::string Word(const char* what);
    // The next quoted text, converted to Windows-1252.
    std::string Text();
    // The next word as an integer or a number in [min, max].
    s64 Int(const char* what, s64 min, s64 max);
    f32 Number(const char* what, f32 min, f32 max);
    // "#RRGGBB", "#RRGGBBAA" or a palette name, as 0xRRGGBBAA.
    u32 Colour();
    bool NextIsText() const { return !Done() && words_[next_].quoted; }
    // True when the next word is a colour (a palette name or starts with '#').
    bool NextIsColour() const;
    // Fails when words are left.
    void End() const;
    [[noreturn]] void Fail(const std::string& what) const { sfpc::Fail(where_, what); }

private:
    struct Token {
        std::string text;
        bool quoted = false;
    };
    std::vector<Token> words_;
    size_t next_ = 0;
    Where where_;
};

}  // namespace sfpc
