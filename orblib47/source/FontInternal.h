// What the font files share: the chunk parser, character classes and colour codes.
#pragma once

#include "orblib47/source/Font.h"

// FontChunk.cpp. Checks a chunk and builds its font record (one heap block, the
// chunk left untouched; list links, entry and textures empty). Null, after the
// module's one-line error, when anything lies outside the chunk or its tables.
s_font* FontParseChunk(const char* name, const u8* chunk, u32 size);

inline const s_char_def& FontCharDef(const s_font* font, u8 c) {
    return font->charDefs[font->charIndex[c]];
}

// FontMeasure.cpp.
bool FontIsIcon(u8 c);
bool FontIsSpecial(u8 c);
// The font that draws byte `c` instead of the current one (the icon or the special
// font), or null.
s_font* FontOtherFont(u8 c);

// FontColor.cpp. A colour code is '%' and a name of FontColors beginning with 'C',
// ended by a space, hyphen, line feed, backslash or the end of the text.
bool FontEndsName(char c);
bool FontIsColorCode(const char* s);
// Bytes of the code at `s`: the '%' and the name, not what ends it.
u32 FontColorCodeLength(const char* s);
// The table row named by the code at `s` (the name cut to 63 characters), or null.
const s_font_colors* FontFindColor(const char* s);
