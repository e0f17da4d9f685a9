// Drawing text as textured quads through the immediate mode, one batch per line;
// icon and special glyphs come from their own fonts, untinted.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/FontInternal.h"
#include "orblib47/source/NGC/DrawFrame.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;

u32 ColorByte(f32 value) {
    return u32(std::clamp(value, 0.0f, 1.0f) * 255.0f);
}

u32 PackFontColor() {
    return ColorByte(FontColor.red) << 24 | ColorByte(FontColor.green) << 16 |
           ColorByte(FontColor.blue) << 8 | ColorByte(FontColor.alpha);
}

s_font_color UnpackColor(u32 rgba) {
    return {f32(rgba >> 24) / 255.0f, f32(rgba >> 16 & 0xFF) / 255.0f, f32(rgba >> 8 & 0xFF) / 255.0f,
            f32(rgba & 0xFF) / 255.0f};
}

void Put(f32 x, f32 y, f32 u, f32 v, u32 color) {
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    vertex.coord = {x, y, FontPenLoc.z, 1.0f};
    vertex.color = color;
    vertex.u = u;
    vertex.v = v;
    DrawVertex(&vertex);
}

// The quad of byte `c` of `font` at the pen, scaled by `ratio`; corners on whole
// pixels when `round` is set.
void EmitQuad(const s_font* font, u8 c, f32 ratio, bool round, u32 color, bool bindTexture) {
    const s_char_def& def = FontCharDef(font, c);
    if (def.tindex < 0)
        return;
    const f32 h = f32(font->height) * FontScaleY * ratio;
    const f32 w = f32(def.width) * FontScaleX * ratio;
    f32 x0 = FontPenLoc.x;
    if (FontMode == FONT_MODE_FIXED)
        x0 += f32((font->width - def.width) / 2) * FontScaleX * ratio;
    f32 y0 = FontPenLoc.y - h;
    f32 x1 = x0 + w;
    f32 y1 = FontPenLoc.y;
    if (round) {
        x0 = std::trunc(x0);
        y0 = std::trunc(y0);
        x1 = std::trunc(x0 + w);
        y1 = std::trunc(y1);
    }
    if (bindTexture)
        DrawSetTexture(font->textures[def.tindex].texture);
    Put(x0, y0, def.u0, def.v0, color);
    Put(x1, y0, def.u1, def.v0, color);
    Put(x1, y1, def.u1, def.v1, color);
    Put(x0, y1, def.u0, def.v1, color);
}

// One glyph at the pen inside an open quad batch; the pen moves past it.
void DrawGlyph(u8 c, u32 color, bool bindTexture) {
    if (s_font* other = FontOtherFont(c)) {
        const f32 advance = FontCharWidth(c);
        DrawEnd();
        const u32 flat = DrawSetFlatColor(0xFFFFFF00u | (DrawContext.color & 0xFF));
        s_texture* previous = DrawContext.texture;
        DrawBegin(PRIM_QUAD);
        EmitQuad(other, c, f32(CurrentFont->height) / f32(other->height), false, 0xFFFFFF00u | (color & 0xFF),
                 true);
        DrawEnd();
        DrawSetTexture(previous);
        DrawSetFlatColor(flat);
        DrawBegin(PRIM_QUAD);
        FontPenLoc.x += advance;
        return;
    }
    const s_char_def& def = FontCharDef(CurrentFont, c);
    const s32 cell = FontMode == FONT_MODE_FIXED ? CurrentFont->width : def.width;
    EmitQuad(CurrentFont, c, 1.0f, true, color, bindTexture);
    FontPenLoc.x += f32(cell + CurrentFont->spacing) * FontScaleX;
}

// The lines of `s` from (x, y) down. The screen-movie path leaves the texture to
// the caller, colours the vertices with FontColor and obeys colour codes.
void DrawText(const char* s, s32 forceLinear, f32 x, f32 y, bool screenMovie) {
    if (CurrentFont == nullptr || s == nullptr)
        return;
    const bool point = forceLinear == 0 && FontScaleX == 1.0f && FontScaleY == 1.0f;
    const e_TEXTURE_FILTER_MODE filter =
        DrawSetTextureFilterMode(point ? DC_TEXTURE_FILTER_POINT : DC_TEXTURE_FILTER_LINEAR);
    DrawEnableMultiSample(0);
    for (;;) {
        FontSetCursor(s, 0, x, y);
        DrawBegin(PRIM_QUAD);
        u8 previous = 0;
        bool first = true;
        while (*s != '\0' && *s != '\n') {
            if (screenMovie && FontIsColorCode(s)) {
                if (const s_font_colors* row = FontFindColor(s))
                    FontColor = UnpackColor(row->color);
                s += FontColorCodeLength(s);
                if (*s == ' ')
                    ++s;
                continue;
            }
            const u8 c = u8(*s++);
            if (!first)
                FontPenLoc.x -= f32(FontGetKerning(c, previous));
            DrawGlyph(c, screenMovie ? PackFontColor() : kWhite, !screenMovie);
            previous = c;
            first = false;
        }
        DrawEnd();
        y += FontCharHeight();
        if (*s != '\n')
            break;
        ++s;
    }
    DrawEnableMultiSample(1);
    DrawSetTextureFilterMode(filter);
}

}  // namespace

void FontDrawChar(u8 c) {
    if (CurrentFont == nullptr)
        return;
    DrawEnableMultiSample(0);
    DrawBegin(PRIM_QUAD);
    DrawGlyph(c, kWhite, true);
    DrawEnd();
    DrawEnableMultiSample(1);
}

void FontDrawString(const char* string, s32 forceLinear, f32 x, f32 y) {
    DrawText(string, forceLinear, x, y, false);
}

void FontDrawStringNoSetTexture(const char* string, s32 forceLinear, f32 x, f32 y) {
    DrawText(string, forceLinear, x, y, true);
}

void FontPrintf(const char* format, double x, double y, ...) {
    char buffer[FONT_PRINTF_SIZE];
    va_list args;
    va_start(args, y);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    FontDrawString(buffer, 0, f32(x), f32(y));
}

void FontPrintChar(u8 c, f32 x, f32 y) {
    const char string[2] = {char(c), '\0'};
    FontDrawString(string, 0, x, y);
}

void FontDrawStringShadowed(const char* string, s32 up, f32 x, f32 y) {
    const u32 flat = DrawSetFlatColor(DrawContext.color & 0xFF);  // black, the current alpha
    FontDrawString(string, 0, x + 1.0f, up ? y - 1.0f : y + 1.0f);
    DrawSetFlatColor(flat);
    FontDrawString(string, 0, x, y);
}
