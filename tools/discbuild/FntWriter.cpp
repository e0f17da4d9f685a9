#include "tools/discbuild/FntWriter.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

namespace discbuild {

namespace {

void Check(const FontDef& font) {
    if (font.glyphs.size() > 256)
        throw std::invalid_argument("fnt: more than 256 glyphs");
    if (font.textures.size() > 127)
        throw std::invalid_argument("fnt: more than 127 textures");
    for (const std::string& name : font.textures)
        if (name.size() > 15)
            throw std::invalid_argument("fnt: texture name longer than 15 characters: " + name);
    for (u8 index : font.charIndex)
        if (index >= font.glyphs.size())
            throw std::invalid_argument("fnt: a byte maps past the glyphs");
    size_t kerns = 0;
    for (const FontGlyph& glyph : font.glyphs) {
        if (glyph.texture >= s8(font.textures.size()))
            throw std::invalid_argument("fnt: a glyph names a texture past the table");
        if (glyph.kerns.size() > 127 || (!glyph.kerns.empty() && kerns > 127))
            throw std::invalid_argument("fnt: kerning past what a glyph can index");
        for (const FontKern& kern : glyph.kerns)
            if (kern.first > 127 || kern.last > 127)
                throw std::invalid_argument("fnt: kerning of a byte of 128 or above");
        kerns += glyph.kerns.size();
    }
}

}  // namespace

std::vector<u8> FntPayload(const FontDef& font) {
    Check(font);
    const u32 textures = kFntHeaderSize;
    const u32 glyphs = textures + u32(font.textures.size()) * kFntTextureSize;
    const u32 kerning = glyphs + u32(font.glyphs.size()) * kFntGlyphSize;
    size_t size = kerning;
    for (const FontGlyph& glyph : font.glyphs)
        size += glyph.kerns.size() * kFntKernSize;
    std::vector<u8> out(size);

    StoreBE16(&out[12], u16(font.width));
    StoreBE16(&out[14], u16(font.height));
    StoreBE16(&out[16], u16(font.spacing));
    StoreBE16(&out[18], u16(font.textures.size()));
    StoreBE32(&out[20], textures);
    StoreBE32(&out[24], glyphs);
    StoreBE32(&out[28], kerning);
    std::copy(font.charIndex.begin(), font.charIndex.end(), out.begin() + 32);
    for (size_t i = 0; i < font.textures.size(); ++i)
        std::copy(font.textures[i].begin(), font.textures[i].end(),
                  out.begin() + textures + std::ptrdiff_t(i * kFntTextureSize));

    u32 kern = 0;
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const FontGlyph& glyph = font.glyphs[i];
        u8* def = &out[glyphs + i * kFntGlyphSize];
        StoreBE32(def, std::bit_cast<u32>(glyph.u0));
        StoreBE32(def + 4, std::bit_cast<u32>(glyph.v0));
        StoreBE32(def + 8, std::bit_cast<u32>(glyph.u1));
        StoreBE32(def + 12, std::bit_cast<u32>(glyph.v1));
        def[16] = u8(glyph.width);
        def[17] = u8(glyph.texture);
        def[18] = u8(glyph.kerns.size());
        def[19] = glyph.kerns.empty() ? 0 : u8(kern);
        for (const FontKern& entry : glyph.kerns) {
            u8* at = &out[kerning + kern++ * kFntKernSize];
            at[0] = entry.first;
            at[1] = entry.last;
            StoreBE16(at + 2, entry.adjust);
        }
    }
    return out;
}

}  // namespace discbuild
