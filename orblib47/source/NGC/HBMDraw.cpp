// Drawing the HOME-button menu in the front end's look: a shade over the picture,
// the panel, the title with its rule, three buttons (the current one lit and
// breathing), and the black-out over everything.
#include <cmath>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/HBMInternal.h"

namespace {

constexpr f32 kStageW = 640.0f;
constexpr f32 kStageH = 448.0f;
constexpr u32 kShade = 0x000000B0u;
constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr u32 kFaceUp = 0x2F4E88FFu;
constexpr u32 kFaceOver = 0x4064A8FFu;
constexpr u32 kFaceDown = 0x1A2B55FFu;
constexpr u32 kOutline = 0x5A7DC0FFu;
constexpr u32 kAccent = 0xFFB347FFu;
constexpr f32 kTitleSize = 28.0f;
constexpr f32 kLabelSize = 23.0f;
constexpr s32 kGlowSpread = 16;
constexpr f32 kPi = 3.14159265f;

struct Stage {
    f32 x, y;  // the stage's corner on the screen
};

u32 WithAlpha(u32 rgba, f32 alpha) {
    return (rgba & 0xFFFFFF00u) | u32(std::fmin(std::fmax(alpha, 0.0f), 1.0f) * f32(rgba & 0xFF) + 0.5f);
}

void Corner(f32 x, f32 y, f32 u, f32 v, u32 rgba) {
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    vertex.coord = {x, y, 0.0f, 1.0f};
    vertex.color = rgba;
    vertex.u = u;
    vertex.v = v;
    DrawVertex(&vertex);
}

// A cell of the skin (or flat colour without one) stretched over a rectangle.
void Quad(const Stage& stage, s_texture* skin, const s_hbm_rect* cell, f32 x, f32 y, f32 w, f32 h, u32 rgba) {
    f32 u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
    if (skin != nullptr && cell != nullptr) {
        const s_texture_map& map = skin->file.maps[0];
        u0 = f32(cell->x) / f32(map.width);
        v0 = f32(cell->y) / f32(map.height);
        u1 = f32(cell->x + cell->w) / f32(map.width);
        v1 = f32(cell->y + cell->h) / f32(map.height);
    }
    DrawSetTexture(cell != nullptr ? skin : nullptr);
    DrawBegin(PRIM_QUAD);
    Corner(stage.x + x, stage.y + y, u0, v0, rgba);
    Corner(stage.x + x + w, stage.y + y, u1, v0, rgba);
    Corner(stage.x + x + w, stage.y + y + h, u1, v1, rgba);
    Corner(stage.x + x, stage.y + y + h, u0, v1, rgba);
    DrawEnd();
}

void Cell(const Stage& stage, const s_hbm& menu, e_hbm_cell cell, f32 x, f32 y, f32 w, f32 h, u32 rgba) {
    Quad(stage, menu.skin, &menu.layout.cells[cell], x, y, w, h, rgba);
}

// A line of text centred on x, its top at y, `size` pixels high.
void Text(const Stage& stage, const s_hbm& menu, const char* text, f32 x, f32 y, f32 size) {
    s_font* previous = FontSet(menu.font);
    const s32 mode = FontSetMode(FONT_MODE_PROPORTIONAL);
    const s32 justification = FontSetJustification(FONT_JUSTIFY_CENTRE);
    f32 scaleX, scaleY;
    FontGetScale(&scaleX, &scaleY);
    const f32 scale = size / f32(menu.font->height);
    FontSetScale(scale, scale);
    FontColor = {1.0f, 1.0f, 1.0f, 1.0f};
    DrawSetTexture(menu.font->textures[0].texture);
    FontDrawStringNoSetTexture(text, 0, stage.x + x, stage.y + y + FontCharHeight());
    FontSetScale(scaleX, scaleY);
    FontSetJustification(justification);
    FontSetMode(mode);
    FontSet(previous);
}

void Button(const Stage& stage, const s_hbm& menu, s32 button, const char* label) {
    const s_hbm_layout& l = menu.layout;
    const f32 x = f32(l.panel.x + (l.panel.w - l.buttonW) / 2);
    f32 y = f32(l.firstButtonY + button * (l.buttonH + l.buttonGap));
    const f32 w = f32(l.buttonW), h = f32(l.buttonH);
    const bool current = button == menu.current;
    const bool down = current && menu.pressFrames != 0;
    if (current) {
        // Breathes between 0.85 and 0.45 once a second; steady while pressed.
        const f32 breath = 0.65f + 0.2f * std::cos(2.0f * kPi * f32(menu.frames % 60) / 60.0f);
        const f32 g = f32(kGlowSpread);
        Cell(stage, menu, HBM_CELL_GLOW, x - g, y - g, w + 2 * g, h + 2 * g,
             WithAlpha(kAccent, down ? 0.6f : breath));
    }
    if (down)
        y += 2.0f;
    Cell(stage, menu, HBM_CELL_FACE, x, y, w, h, down ? kFaceDown : current ? kFaceOver : kFaceUp);
    Cell(stage, menu, HBM_CELL_EDGE, x, y, w, h, current ? kAccent : kOutline);
    Text(stage, menu, label, x + w / 2.0f, y + (h - kLabelSize) / 2.0f, kLabelSize);
}

}  // namespace

void HBMDrawMenu(const s_hbm& menu) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_ZBUF_MODE zMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    const s32 zWrite = DrawSetZBufferWrite(0);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    const u32 flat = DrawSetFlatColor(kWhite);
    const Stage stage = {std::floor((f32(DrawContext.screenSize.x) - kStageW) / 2.0f),
                         std::floor((f32(DrawContext.screenSize.y) - kStageH) / 2.0f)};
    const f32 screenW = f32(DrawContext.screenSize.x), screenH = f32(DrawContext.screenSize.y);

    Quad({0.0f, 0.0f}, nullptr, nullptr, 0.0f, 0.0f, screenW, screenH, kShade);
    const s_hbm_layout& l = menu.layout;
    const s_hbm_rect& p = l.panel;
    Cell(stage, menu, HBM_CELL_PANEL, f32(p.x), f32(p.y), f32(p.w), f32(p.h), kWhite);
    const f32 centre = f32(p.x) + f32(p.w) / 2.0f;
    Text(stage, menu, menu.texts.text[HBM_TEXT_TITLE], centre, f32(l.titleY), kTitleSize);
    const s_hbm_rect& rule = l.cells[HBM_CELL_RULE];
    Cell(stage, menu, HBM_CELL_RULE, centre - f32(l.buttonW) / 2.0f, f32(l.ruleY), f32(l.buttonW),
         f32(rule.h), kWhite);
    constexpr e_hbm_text kLabels[HBM_BUTTONS] = {HBM_TEXT_BACK, HBM_TEXT_RESET, HBM_TEXT_MENU};
    for (s32 b = 0; b < HBM_BUTTONS; ++b)
        Button(stage, menu, b, menu.texts.text[kLabels[b]]);
    if (menu.blackout != 0) {
        const f32 alpha = f32(menu.blackout) / f32(menu.config.blackoutFrames);
        Quad({0.0f, 0.0f}, nullptr, nullptr, 0.0f, 0.0f, screenW, screenH, WithAlpha(0x000000FFu, alpha));
    }

    DrawSetTexture(nullptr);
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetZBufferWrite(zWrite);
    DrawSetZBufferMode(zMode);
    DrawSetProjection(projection);
}
