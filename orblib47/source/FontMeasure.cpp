// Measuring text in the current font: character classes, advances, kerning,
// string widths and where a line starts by the justification.
#include "orblib47/source/FontInternal.h"

namespace {

constexpr u8 kFirstIcon = 128;
constexpr u8 kLastIcon = 145;
constexpr u32 kSpecialBase = 145;

// The advance of a byte drawn from another font at the current font's height.
f32 OtherFontWidth(const s_font* font, u8 c) {
    if (FontMode == FONT_MODE_FIXED)
        return f32(font->width) * FontScaleX;
    return f32(FontCharDef(font, c).width + font->spacing) * FontScaleX *
           (f32(CurrentFont->height) / f32(font->height));
}

}  // namespace

bool FontIsIcon(u8 c) {
    return c >= kFirstIcon && c <= kLastIcon;
}

bool FontIsSpecial(u8 c) {
    if (c == 153 || c == 161 || c == 169 || c == 174)
        return false;
    const u32 first = kSpecialBase + FontSpecialCharOffset;
    return c > first && c < first + FontNumSpecialChars;
}

s_font* FontOtherFont(u8 c) {
    if (FontIsIcon(c) && IconFont != nullptr && IconFont != CurrentFont)
        return IconFont;
    if (FontIsSpecial(c) && SpecialFont != nullptr)
        return SpecialFont;
    return nullptr;
}

f32 FontCharHeight() {
    return CurrentFont != nullptr ? f32(CurrentFont->height) * FontScaleY : 0.0f;
}

f32 FontCharWidth(u8 c) {
    if (CurrentFont == nullptr)
        return 0.0f;
    if (FontIsIcon(c) && IconFont != nullptr)
        return OtherFontWidth(IconFont, c);
    if (FontIsSpecial(c) && SpecialFont != nullptr)
        return OtherFontWidth(SpecialFont, c);
    if (FontMode == FONT_MODE_FIXED)
        return f32(CurrentFont->width) * FontScaleX;
    return f32(FontCharDef(CurrentFont, c).width + CurrentFont->spacing) * FontScaleX;
}

s32 FontGetKerning(u8 c, u8 previous) {
    if (CurrentFont == nullptr || FontIsIcon(c) || FontIsIcon(previous) || FontIsSpecial(c))
        return 0;
    const s_char_def& def = FontCharDef(CurrentFont, previous);
    for (s32 i = 0; i < def.numKern; ++i) {
        const s_kerning_def& kern = CurrentFont->kerningTable[def.kernIndex + i];
        if (s8(c) >= kern.first && s8(c) <= kern.last)
            return kern.adjust;
    }
    return 0;
}

f32 FontStringWidth(const char* string) {
    if (CurrentFont == nullptr || string == nullptr)
        return 0.0f;
    const char* s = string;
    if (*s == ' ')
        ++s;
    f32 width = 0.0f;
    u8 previous = 0;
    bool first = true;
    while (*s != '\0' && *s != '\n') {
        if (FontIsColorCode(s)) {
            s += FontColorCodeLength(s);
            // The byte that ends the name goes with it, unless it ends the text or the line.
            if (*s != '\0' && *s != '\n')
                ++s;
            continue;
        }
        const u8 c = u8(*s++);
        width += FontCharWidth(c);
        if (!first)
            width -= f32(FontGetKerning(c, previous));
        previous = c;
        first = false;
    }
    return width;
}

void FontSetCursor(const char* string, s32, f32 x, f32 y) {
    if (FontJustification == FONT_JUSTIFY_CENTRE)
        x -= 0.5f * FontStringWidth(string);
    else if (FontJustification == FONT_JUSTIFY_RIGHT)
        x -= FontStringWidth(string);
    FontPenLoc.x = x;
    FontPenLoc.y = y;
}
