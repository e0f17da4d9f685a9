// Bitmap fonts: "FNT" chunks parsed into native records over named "TIM"
// textures, shared by name through the data registry; the current font and text
// state; measuring, drawing (with icon glyphs and colour codes) and word wrapping.
// Text is single-byte Windows-1252.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Texture.h"

struct s_DATA_ENTRY;

constexpr s32 FONT_MODE_FIXED = 0;
constexpr s32 FONT_MODE_PROPORTIONAL = 1;

constexpr s32 FONT_JUSTIFY_LEFT = 0;
constexpr s32 FONT_JUSTIFY_CENTRE = 1;
constexpr s32 FONT_JUSTIFY_RIGHT = 2;

constexpr u32 FONT_PRINTF_SIZE = 512;  // FontPrintf keeps at most 511 characters
constexpr u32 FONT_WRAP_SIZE = 1024;   // wrapped text, terminator included
constexpr u32 FONT_WORD_SIZE = 256;    // a word buffer of FontGetWord
constexpr u32 FONT_COLOR_NAME_SIZE = 64;
constexpr s32 FONT_MAX_SPECIAL_CHARS = 41;

struct s_char_def {
    f32 u0, v0, u1, v1;
    s8 width;      // glyph width in pixels
    s8 tindex;     // texture table index; negative: no glyph, advance only
    s8 numKern;    // kerning entries of this character as the left one of a pair
    s8 kernIndex;  // its first kerning entry
};

struct s_kerning_def {
    s8 first;
    s8 last;
    u16 adjust;  // pixels off the advance when the right character lies in first..last
};

// Every index below was checked against its table at load.
struct s_font {
    s_font* next;
    s_font* prev;
    s_DATA_ENTRY* dataEntry;
    s16 width;    // cell width in fixed-width mode
    s16 height;   // line height at scale 1, above 0
    s16 spacing;  // pixels after every character
    s16 textureCount;
    s_texture_def* textures;
    s_char_def* charDefs;
    s_kerning_def* kerningTable;
    u8 charIndex[256];
    s32 numCharDefs;
    s32 numKerning;
};

struct s_font_colors {
    char name[32];
    u32 color;  // 0xRRGGBBAA
};

struct s_font_color {
    f32 red, green, blue, alpha;
};

constexpr u32 FONT_NUM_COLORS = 23;
extern const s_font_colors FontColors[FONT_NUM_COLORS];

extern s_font* Fonts;
extern s_font* CurrentFont;
extern s_font* SystemFont;
extern s_font* IconFont;
extern s_font* SpecialFont;
extern s32 FontMode;
extern s32 FontJustification;
extern s_Vector3 FontPenLoc;  // y is the bottom of the current line
extern f32 FontScaleX;
extern f32 FontScaleY;
extern f32 FontHeight;
extern s_font_color FontColor;  // the screen-movie text path's colour
extern u8 FontNumSpecialChars;
extern u8 FontSpecialCharOffset;

// Font.cpp: loading, sharing and the text state.
void FontWarmReset(u32 maxfontdraw);
// Loads the three fonts by name; RET_ERROR when a font that is named is not loaded.
e_error_code FontStartup(const char* systemName, const char* iconName, const char* specialName,
                         s32 numSpecial, s32 specialOffset);
// Takes a reference to the font `name`. With `data` (a heap block of `size` bytes,
// handed over) an unknown name is loaded from it; a known one drops it. The result,
// null included, becomes the current font.
s_font* FontLoad(const char* name, void* data = nullptr, u32 size = 0);
void FontFree(s_font* font);
s_font* FontSet(s_font* font);
s_font* FontSetDefaults(s_font* font);
s32 FontSetMode(s32 mode);
s32 FontSetJustification(s32 justification);
void FontSetScale(f32 x, f32 y);
void FontGetScale(f32* x, f32* y);
void FontSetHeight(f32 height);
void FontMoveTo(f32 x, f32 y);

// FontMeasure.cpp.
f32 FontCharHeight();
f32 FontCharWidth(u8 c);
s32 FontGetKerning(u8 c, u8 previous);
// The width of the text up to the end or the first line feed.
f32 FontStringWidth(const char* string);
// Places the pen for the line starting at `string` by the justification.
void FontSetCursor(const char* string, s32 ignored, f32 x, f32 y);

// FontDraw.cpp.
void FontDrawChar(u8 c);
void FontDrawString(const char* string, s32 forceLinear, f32 x, f32 y);
void FontDrawStringNoSetTexture(const char* string, s32 forceLinear, f32 x, f32 y);
// x and y are doubles: the parameter before the variable arguments must not be one
// that promotion would widen.
void FontPrintf(const char* format, double x, double y, ...) __attribute__((format(printf, 1, 4)));
void FontPrintChar(u8 c, f32 x, f32 y);
void FontDrawStringShadowed(const char* string, s32 up, f32 x, f32 y);

// FontWrap.cpp. `word` holds FONT_WORD_SIZE bytes and `line` FONT_WRAP_SIZE: the
// copy is cut there, the count and width are those of the whole word or line.
s32 FontGetWord(const char* text, char* word, f32* width);
s32 FontGetLine(const char* text, char* line, f32* width);
// The wrapped text in a module buffer overwritten by the next call.
const char* FontWordWrapStringMetaNoAlloc(const char* text, f32 maxWidth, s32* lines, s32 breakLongWords);
