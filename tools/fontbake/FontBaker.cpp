#include "tools/fontbake/FontBaker.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "tools/discbuild/FntWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/fontbake/FreeTypeFace.h"

namespace fontbake {

namespace {

constexpr u32 kFirstByte = 32;
constexpr u32 kPad = 1;  // clear texels between cells so filtering does not bleed

constexpr char32_t kCircledA = 0x24B6, kCircledZ = 0x24CF;  // the controller's lettered buttons
constexpr char32_t kRing = 0x25CB;
constexpr u32 kRingLetterPercent = 55;  // of the font's pixel height

struct Cell {
    u32 byte;
    FT_UInt glyph;
    u32 advance;
    FT_UInt letter = 0;  // drawn inside the glyph (a ring) when the face has no circled letter
    u32 x = 0, y = 0;
};

// The glyph's coverage into the cell's alpha, `dx`, `dy` pixels off its place;
// where two glyphs overlap, the fuller coverage stays.
void Blit(const FT_GlyphSlot slot, discbuild::RgbaImage& sheet, const Cell& cell, u32 ascender,
          u32 lineHeight, long dx, long dy) {
    const FT_Bitmap& bitmap = slot->bitmap;
    for (u32 row = 0; row < bitmap.rows; ++row)
        for (u32 column = 0; column < bitmap.width; ++column) {
            const long x = long(column) + slot->bitmap_left + dx,
                       y = long(row) + long(ascender) - slot->bitmap_top + dy;
            if (x < 0 || y < 0 || x >= long(cell.advance) || y >= long(lineHeight))
                continue;  // ink outside the cell is cut
            u8& alpha = sheet.rgba[((cell.y + size_t(y)) * sheet.width + cell.x + size_t(x)) * 4 + 3];
            alpha = std::max(alpha, bitmap.buffer[long(row) * bitmap.pitch + column]);
        }
}

// Centre of the glyph's ink, in pixels from the cell's top-left, doubled.
void InkCentre2(const FT_GlyphSlot slot, u32 ascender, long& x2, long& y2) {
    x2 = 2 * long(slot->bitmap_left) + long(slot->bitmap.width);
    y2 = 2 * (long(ascender) - slot->bitmap_top) + long(slot->bitmap.rows);
}

// Places the cells in rows; the smallest power-of-two square-ish sheet that holds them.
void Pack(std::vector<Cell>& cells, u32 lineHeight, u32& width, u32& height) {
    for (width = 64;; width *= 2) {
        u32 x = 0, y = 0;
        for (Cell& cell : cells) {
            if (x + cell.advance + kPad > width) {
                x = 0;
                y += lineHeight + kPad;
            }
            cell.x = x;
            cell.y = y;
            x += cell.advance + kPad;
        }
        height = 1;
        while (height < y + lineHeight)
            height *= 2;
        if (height <= width)
            return;
        if (width >= 1024)
            throw std::runtime_error("fontbake: the glyphs do not fit a 1024x1024 sheet");
    }
}

std::vector<discbuild::FontKern> Kerning(FT_Face face, const Cell& left, const std::vector<Cell>& cells) {
    std::vector<discbuild::FontKern> kerns;
    if (!FT_HAS_KERNING(face) || left.byte >= 128)
        return kerns;
    for (const Cell& right : cells) {
        if (right.byte >= 128)
            break;
        FT_Vector delta{};
        FT_Get_Kerning(face, left.glyph, right.glyph, FT_KERNING_DEFAULT, &delta);
        const long tighten = -((delta.x + 32) >> 6);  // 26.6 rounded to pixels, only pairs drawn closer
        if (tighten <= 0)
            continue;
        if (!kerns.empty() && kerns.back().last + 1u == right.byte && kerns.back().adjust == tighten)
            kerns.back().last = u8(right.byte);
        else
            kerns.push_back({u8(right.byte), u8(right.byte), u16(tighten)});
    }
    return kerns;
}

}  // namespace

char32_t Cp1252ToUnicode(u8 byte) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

BakedFont BakeFont(const BakeRequest& request) {
    if (request.name.empty() || request.name.size() > 13)
        throw std::runtime_error("fontbake: the font name takes 1 to 13 characters");
    Library library;
    Face face(library.handle, request.fontFile);
    if (FT_Set_Pixel_Sizes(face.handle, 0, request.pixelHeight) != 0)
        throw std::runtime_error("fontbake: the face has no size " + std::to_string(request.pixelHeight));
    const FT_Size_Metrics& metrics = face.handle->size->metrics;
    const u32 ascender = u32((metrics.ascender + 63) >> 6);
    const u32 lineHeight = std::max<u32>(u32((metrics.height + 63) >> 6), ascender);

    std::vector<Cell> cells;
    for (u32 byte = kFirstByte; byte < 256; ++byte) {
        const auto remapped = request.remap.find(u8(byte));
        const char32_t code = remapped != request.remap.end() ? remapped->second : Cp1252ToUnicode(u8(byte));
        FT_UInt glyph = code == 0 ? 0 : FT_Get_Char_Index(face.handle, code);
        FT_UInt letter = 0;
        if (glyph == 0 && code >= kCircledA && code <= kCircledZ) {
            glyph = FT_Get_Char_Index(face.handle, kRing);
            letter = FT_Get_Char_Index(face.handle, U'A' + (code - kCircledA));
        }
        if (glyph == 0 || FT_Load_Glyph(face.handle, glyph, FT_LOAD_DEFAULT) != 0)
            continue;
        const u32 advance = u32((face.handle->glyph->advance.x + 32) >> 6);
        if (advance > 127)
            throw std::runtime_error("fontbake: an advance wider than 127 pixels");
        cells.push_back({byte, glyph, advance, letter});
    }

    u32 width = 0, height = 0;
    Pack(cells, lineHeight, width, height);
    discbuild::RgbaImage sheet{width, height, std::vector<u8>(size_t(width) * height * 4)};
    for (size_t i = 0; i < sheet.rgba.size(); i += 4)
        sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 0xFF;

    BakedFont baked;
    baked.textureName = request.name + "_T";
    discbuild::FontDef font;
    font.height = s16(lineHeight);
    font.textures = {baked.textureName};
    font.glyphs.resize(1);  // glyph 0: bytes without a cell
    for (const Cell& cell : cells) {
        if (FT_Load_Glyph(face.handle, cell.glyph, FT_LOAD_RENDER) != 0)
            throw std::runtime_error("fontbake: FreeType cannot draw a glyph");
        Blit(face.handle->glyph, sheet, cell, ascender, lineHeight, 0, 0);
        if (cell.letter != 0) {
            long ringX2 = 0, ringY2 = 0, letterX2 = 0, letterY2 = 0;
            InkCentre2(face.handle->glyph, ascender, ringX2, ringY2);
            FT_Set_Pixel_Sizes(face.handle, 0, request.pixelHeight * kRingLetterPercent / 100);
            if (FT_Load_Glyph(face.handle, cell.letter, FT_LOAD_RENDER) != 0)
                throw std::runtime_error("fontbake: FreeType cannot draw a glyph");
            InkCentre2(face.handle->glyph, ascender, letterX2, letterY2);
            Blit(face.handle->glyph, sheet, cell, ascender, lineHeight, (ringX2 - letterX2) / 2,
                 (ringY2 - letterY2) / 2);
            FT_Set_Pixel_Sizes(face.handle, 0, request.pixelHeight);
        }
        discbuild::FontGlyph glyph;
        glyph.u0 = f32(cell.x) / f32(width);
        glyph.v0 = f32(cell.y) / f32(height);
        glyph.u1 = f32(cell.x + cell.advance) / f32(width);
        glyph.v1 = f32(cell.y + lineHeight) / f32(height);
        glyph.width = s8(cell.advance);
        glyph.texture = 0;
        font.charIndex[cell.byte] = u8(font.glyphs.size());
        font.glyphs.push_back(glyph);
        font.width = std::max<s16>(font.width, s16(cell.advance));
    }
    // The kerning table's first entry of a glyph is a signed byte: the
    // earliest pairs are kept.
    size_t kernCount = 0;
    for (size_t i = 0; i < cells.size() && kernCount <= 127; ++i) {
        discbuild::FontGlyph& glyph = font.glyphs[i + 1];
        glyph.kerns = Kerning(face.handle, cells[i], cells);
        if (glyph.kerns.size() > 127)
            glyph.kerns.resize(127);
        kernCount += glyph.kerns.size();
    }

    discbuild::TimTexture texture;
    texture.image = std::move(sheet);
    baked.tim = discbuild::TimPayload(texture);
    baked.fnt = discbuild::FntPayload(font);
    return baked;
}

}  // namespace fontbake
