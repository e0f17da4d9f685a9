// Fonts made with the chunk writer over solid textures, for the font tests.
// "TEXT" (line height 10, spacing 1, cell 8) on a white sheet: the space advances
// 3 pixels and draws nothing, 'W' is 14 pixels wide, 'i' 1, every other byte 5;
// the pair "AV" kerns by 2. "ICONS" (line height 20, spacing 2) on a green sheet
// has byte 130 only, 10 pixels wide.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/Font.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/FntWriter.h"
#include "tools/discbuild/TimWriter.h"

namespace font_test {

constexpr u8 kIcon = 130;

inline std::vector<u8> SolidTexture(u32 rgba) {
    discbuild::TimTexture tim;
    tim.format = discbuild::TexFormat::RGBA8;
    tim.image = {8, 8, {}};
    for (u32 i = 0; i < 64; ++i)
        tim.image.rgba.insert(tim.image.rgba.end(),
                              {u8(rgba >> 24), u8(rgba >> 16), u8(rgba >> 8), u8(rgba)});
    return discbuild::TimPayload(tim);
}

inline discbuild::FontGlyph Glyph(s8 width, s8 texture = 0) {
    discbuild::FontGlyph glyph;
    glyph.u1 = glyph.v1 = 1.0f;
    glyph.width = width;
    glyph.texture = texture;
    return glyph;
}

inline discbuild::FontDef TextFont() {
    discbuild::FontDef font;
    font.width = 8;
    font.height = 10;
    font.spacing = 1;
    font.textures = {"TEXT_T"};
    font.glyphs = {Glyph(5), Glyph(3, -1), Glyph(5), Glyph(14), Glyph(1)};
    font.glyphs[2].kerns = {{'V', 'V', 2}};
    font.charIndex.fill(0);
    font.charIndex[' '] = 1;
    font.charIndex['A'] = 2;
    font.charIndex['W'] = 3;
    font.charIndex['i'] = 4;
    return font;
}

inline discbuild::FontDef IconFontDef() {
    discbuild::FontDef font;
    font.width = 20;
    font.height = 20;
    font.spacing = 2;
    font.textures = {"ICONS_T"};
    font.glyphs = {Glyph(0, -1), Glyph(10)};
    font.charIndex.fill(0);
    font.charIndex[kIcon] = 1;
    return font;
}

class FontFixture : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        TextureWarmReset(8, 0);
        FontWarmReset(0);
    }

    static s_font* Load(const char* name, const std::vector<u8>& chunk) {
        return FontLoad(name, Image(chunk), u32(chunk.size()));
    }
    static s_texture* LoadTexture(const char* name, u32 rgba) {
        const std::vector<u8> chunk = SolidTexture(rgba);
        return TextureLoad(name, Image(chunk), u32(chunk.size()));
    }
    // The text font current, the icon font loaded.
    void LoadBoth() {
        textTexture_ = LoadTexture("TEXT_T", 0xFFFFFFFFu);
        iconTexture_ = LoadTexture("ICONS_T", 0x00FF00FFu);
        IconFont = icons_ = Load("ICONS", discbuild::FntPayload(IconFontDef()));
        text_ = Load("TEXT", discbuild::FntPayload(TextFont()));
        ASSERT_NE(text_, nullptr);
        ASSERT_NE(icons_, nullptr);
    }
    void FreeBoth() {
        FontFree(text_);
        FontFree(icons_);
        TextureFree(textTexture_);
        TextureFree(iconTexture_);
    }

    s_font* text_ = nullptr;
    s_font* icons_ = nullptr;
    s_texture* textTexture_ = nullptr;
    s_texture* iconTexture_ = nullptr;
};

// Both fonts loaded for every test.
class LoadedFontFixture : public FontFixture {
protected:
    void SetUp() override {
        FontFixture::SetUp();
        LoadBoth();
    }
    void TearDown() override {
        FreeBoth();
        FontFixture::TearDown();
    }
};

}  // namespace font_test
