// Small screen movies written by the compiler's writer, for the movie parser's
// tests and its fuzz seeds.
#pragma once

#include <vector>

#include "tools/sfpcompile/SfpWriter.h"

namespace sfptest {

// A movie's tables in vectors; the record over them is what the writer takes.
struct Tables {
    u32 frameRate = 60, width = 640, height = 448;
    std::vector<s_sfp_texture> textures;
    std::vector<s_sfp_image> images;
    std::vector<s_sfp_font> fonts;
    std::vector<s_sfp_text> texts;
    std::vector<s_sfp_button> buttons;
    std::vector<s_sfp_symbol> symbols;
    std::vector<s_sfp_label> labels;
    std::vector<s_sfp_object> objects;
    std::vector<s_sfp_key> keys;

    s_sfp_movie Movie() {
        return {frameRate, width,   height, textures, images, fonts, texts,
                buttons,   symbols, labels, objects,  keys,   0};
    }
    std::vector<u8> Image() { return sfpc::WriteSfp(Movie()); }
};

constexpr u32 kWhite = 0xFFFFFFFFu;

// A root of 60 frames with three labels holding a rect, an image, a text, a
// button and an instance of a sprite (symbol 1) that nests the button's up look
// (symbol 2); symbol 3 is the button's over look. Ten instances in all.
inline Tables Sample() {
    Tables t;
    t.textures = {{"SFC1A2B3C4D_00"}};
    t.images = {{0, 0.0f, 0.25f, 0.5f, 1.0f, 64.0f, 32.0f}};
    t.fonts = {{"BUTTON_FONT_WITH_A_32_CHAR_NAME_"}};
    t.texts = {{0, 16.0f, 0xFFB347FFu, SFP_ALIGN_CENTRE, SFP_VALIGN_MIDDLE, 1, "Press \xC9 and B"},
               {0, 12.0f, kWhite, SFP_ALIGN_RIGHT, SFP_VALIGN_TOP, 0, ""}};
    t.buttons = {{{2, 3, -1}, -4.0f, -2.0f, 128.0f, 24.0f}};
    t.symbols = {{60, 0, 3, 0, 5}, {10, 3, 1, 5, 2}, {1, 4, 0, 7, 1}, {1, 4, 0, 8, 1}};
    t.labels = {{"TransIn", 0}, {"Idle", 15}, {"TransOut", 59}, {"Spin", 9}};
    t.objects = {{"Backdrop", SFP_KIND_RECT, 0, 640.0f, 448.0f, 0, 1},
                 {"Logo", SFP_KIND_IMAGE, 0, 64.0f, 32.0f, 1, 3},
                 {"txtTest1", SFP_KIND_TEXT, 1, 200.0f, 20.0f, 4, 1},
                 {"Btn1", SFP_KIND_BUTTON, 0, 128.0f, 24.0f, 5, 1},
                 {"ENGSPR", SFP_KIND_INSTANCE, 1, 0.0f, 0.0f, 6, 2},
                 {"Wheel", SFP_KIND_INSTANCE, 2, 0.0f, 0.0f, 8, 1},
                 {"Spoke", SFP_KIND_RECT, 0, 2.0f, 30.0f, 9, 1},
                 {"Up", SFP_KIND_IMAGE, 0, 64.0f, 32.0f, 10, 1},
                 {"Glow", SFP_KIND_RECT, 0, 128.0f, 24.0f, 11, 1}};
    const s_sfp_key still = {0, SFP_EASE_LINEAR, 1, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, kWhite};
    t.keys = {still,
              {0, SFP_EASE_OUT, 0, 10.0f, -20.5f, 0.5f, 2.0f, -90.0f, 0x80808000u},
              {15, SFP_EASE_STEP, 1, 12.0f, 8.0f, -1.0f, 1.0f, 360.0f, kWhite},
              {59, SFP_EASE_INOUT, 1, 12.0f, 8.0f, 1.0f, 1.0f, 0.0f, kWhite},
              {3, SFP_EASE_IN, 1, 320.0f, 200.0f, 1.0f, 1.0f, 0.0f, kWhite},
              {15, SFP_EASE_LINEAR, 1, 256.0f, 300.0f, 1.0f, 1.0f, 0.0f, kWhite},
              {0, SFP_EASE_LINEAR, 1, 20.0f, 20.0f, 1.0f, 1.0f, 0.0f, kWhite},
              {30, SFP_EASE_LINEAR, 0, 20.0f, 20.0f, 1.0f, 1.0f, 0.0f, kWhite},
              still,
              {9, SFP_EASE_LINEAR, 1, 0.0f, 0.0f, 1.0f, 1.0f, 45.0f, 0x00FF00FFu},
              still,
              still};
    return t;
}

// Gives every object a key of its own.
inline void Key(Tables& t) {
    t.keys.assign(t.objects.size(), {0, SFP_EASE_STEP, 1, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, kWhite});
    for (u32 o = 0; o < t.objects.size(); ++o)
        t.objects[o].firstKey = o;
}

// A root of `sprites` instances of a symbol of `rects` rects, then `extra` rects:
// sprites * (1 + rects) + extra instances.
inline Tables Tree(u32 sprites, u32 rects, u32 extra) {
    Tables t;
    t.symbols = {{1, 0, 0, 0, sprites + extra}, {1, 0, 0, sprites + extra, rects}};
    t.objects.assign(sprites, {"Sprite", SFP_KIND_INSTANCE, 1, 0.0f, 0.0f, 0, 1});
    t.objects.resize(sprites + extra + rects, {"Dot", SFP_KIND_RECT, 0, 1.0f, 1.0f, 0, 1});
    Key(t);
    return t;
}

}  // namespace sfptest
