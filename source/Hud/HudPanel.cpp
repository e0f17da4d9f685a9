#include "orblib47/source/DrawPrim.h"
#include "source/Hud/HudInternal.h"

namespace {

// A rectangle in one colour, untextured, by the draw call given.
void FlatRect(f32 x, f32 y, f32 w, f32 h, u32 rgba, void (*draw)(const s_Vector3*, const s_Vector3*)) {
    DrawSetTexture(nullptr);
    DrawSetFlatColor(rgba);
    const s_Vector3 p0{x, y, 0.0f, 0.0f};
    const s_Vector3 p1{x + w, y + h, 0.0f, 0.0f};
    draw(&p0, &p1);
}

}  // namespace

void HudFillRect(f32 x, f32 y, f32 w, f32 h, u32 rgba) {
    FlatRect(x, y, w, h, rgba, DrawFilledRect);
}

void HudOutlineRect(f32 x, f32 y, f32 w, f32 h, u32 rgba) {
    FlatRect(x, y, w, h, rgba, DrawRect);
}

void HudSprite(const s_sprite_set* sprites, e_HudSprite cell, f32 x, f32 y, f32 w, f32 h) {
    if (sprites == nullptr)
        return;
    DrawSetFlatColor(0xFFFFFFFF);
    // Sprites are placed by their centre.
    s_Vector3 position{x + w / 2.0f, y + h / 2.0f, 0.0f, 0.0f};
    const s_Vector2 size{w, h};
    SpriteDrawSprite2(sprites, cell, &position, &size);
}

void HudTextCentred(s_font* font, const char* text, f32 x, f32 y, u32 rgba, f32 maxWidth) {
    if (font == nullptr || text[0] == '\0')
        return;
    FontSetDefaults(font);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    // A long name is narrowed to fit.
    const f32 width = FontStringWidth(text);
    if (width > maxWidth)
        FontSetScale(maxWidth / width, 1.0f);
    DrawSetFlatColor(rgba);
    // The pen's y is the bottom of the line.
    FontDrawString(text, 0, x, y + FontCharHeight() / 2.0f);
    FontSetDefaults(font);
}
