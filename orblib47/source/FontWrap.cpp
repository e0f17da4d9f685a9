// Cutting text into words and lines, and word-wrapping it to a width for the
// screen-movie player. Colour codes and '|' are carried along without width.
#include <cmath>
#include <cstring>

#include "orblib47/source/FontInternal.h"

namespace {

bool EndsWord(char c) {
    return c == ' ' || c == '-' || c == '\n' || c == '\\' || c == '\0';
}

// Sums advances less the kerning between neighbouring measured bytes.
class Measure {
public:
    void Add(u8 c) {
        width_ += FontCharWidth(c);
        if (!first_)
            width_ -= f32(FontGetKerning(c, previous_));
        previous_ = c;
        first_ = false;
    }
    f32 Width() const { return width_; }

private:
    f32 width_ = 0.0f;
    u8 previous_ = 0;
    bool first_ = true;
};

// Appends to a fixed buffer, dropping what does not fit before its terminator.
class Output {
public:
    Output(char* buffer, u32 size) : buffer_(buffer), size_(size) {}
    void Put(char c) {
        if (used_ + 1 < size_)
            buffer_[used_] = c;
        ++used_;
    }
    void Put(const char* s, u32 n) {
        for (u32 i = 0; i < n; ++i)
            Put(s[i]);
    }
    u32 Used() const { return used_; }
    char Last() const { return used_ != 0 && used_ < size_ ? buffer_[used_ - 1] : '\0'; }
    void Finish() { buffer_[used_ < size_ ? used_ : size_ - 1] = '\0'; }

private:
    char* buffer_;
    u32 size_;
    u32 used_ = 0;
};

char WrapBuffer[FONT_WRAP_SIZE];

}  // namespace

s32 FontGetWord(const char* text, char* word, f32* width) {
    Output out(word, FONT_WORD_SIZE);
    Measure measure;
    u32 n = 0;
    for (; !EndsWord(text[n]); ++n) {
        out.Put(text[n]);
        if (text[n] != '|')
            measure.Add(u8(text[n]));
    }
    out.Finish();
    if (width != nullptr)
        *width = measure.Width();
    return s32(n);
}

s32 FontGetLine(const char* text, char* line, f32* width) {
    Output out(line, FONT_WRAP_SIZE);
    Measure measure;
    u32 n = 0;
    while (text[n] != '\0' && text[n] != '\n') {
        if (FontIsColorCode(text + n)) {
            const u32 code = FontColorCodeLength(text + n);
            out.Put(text + n, code);
            n += code;
            continue;
        }
        out.Put(text[n]);
        if (text[n] != '|')
            measure.Add(u8(text[n]));
        ++n;
    }
    out.Finish();
    if (width != nullptr)
        *width = measure.Width();
    return s32(n);
}

const char* FontWordWrapStringMetaNoAlloc(const char* text, f32 maxWidth, s32* lines, s32 breakLongWords) {
    Output out(WrapBuffer, FONT_WRAP_SIZE);
    s32 count = 0;
    f32 width = 0.0f;
    if (text == nullptr || std::strlen(text) >= FONT_WRAP_SIZE)
        text = "";
    while (*text != '\0') {
        ++count;
        width = 0.0f;
        const u32 lineStart = out.Used();
        const char* lineText = text;
        bool lineDone = false;
        while (!lineDone && *text != '\0') {
            if (FontIsColorCode(text)) {
                const u32 code = FontColorCodeLength(text);
                out.Put(text, code);
                text += code;
                continue;
            }
            if (*text == '|') {
                out.Put(*text++);
                continue;
            }
            char word[FONT_WORD_SIZE];
            f32 wordWidth = 0.0f;
            const u32 n = u32(FontGetWord(text, word, &wordWidth));
            const bool overlong = wordWidth >= maxWidth;
            const bool fits = width + wordWidth < maxWidth || maxWidth == 0.0f;
            if (!fits && breakLongWords != 0 && overlong) {
                // At least one byte per line, so that a byte wider than the line still gets through.
                while (*text != '\0' && (width + FontCharWidth(u8(*text)) < maxWidth || text == lineText)) {
                    width += FontCharWidth(u8(*text));
                    out.Put(*text++);
                }
                lineDone = true;
                continue;
            }
            // A line that has taken nothing takes the word whatever the widths say.
            if (!fits && !(breakLongWords == 0 && overlong) && text != lineText) {
                lineDone = true;
                continue;
            }
            out.Put(text, n);
            text += n;
            width += wordWidth;
            const char stop = *text;
            if (stop == '\0')
                break;
            out.Put(stop);
            ++text;
            if (stop == '\n')
                lineDone = true;
            else
                width += std::trunc(FontCharWidth(u8(stop)));
        }
        if (out.Used() != lineStart && out.Last() != '\n')
            out.Put('\n');
    }
    if (maxWidth > 0.0f && width > maxWidth)
        ++count;
    out.Finish();
    if (lines != nullptr)
        *lines = count;
    return WrapBuffer;
}
