#include "tools/hbmgen/HomeButtonSkin.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "tools/sfpcompile/SfpAtlas.h"
#include "tools/sfpcompile/SfpCanvas.h"
#include "tools/sfpcompile/SfpDraw.h"
#include "tools/sfpcompile/SfpStyle.h"

namespace hbmgen {

namespace {

u32 Palette(const char* name) {
    return *sfpc::PaletteColour(name);
}

sfpc::DrawSource RoundRect(u32 w, u32 h, u32 top, u32 bottom, f32 border, u32 borderColour) {
    sfpc::DrawSource draw;
    draw.shape = sfpc::Shape::RoundRect;
    draw.width = w;
    draw.height = h;
    draw.radius = 10;
    draw.borderWidth = border;
    draw.borderColour = borderColour;
    draw.colours = {top, bottom};
    return draw;
}

}  // namespace

Skin PaintSkin() {
    sfpc::DrawSource glow;
    glow.shape = sfpc::Shape::Glow;
    glow.width = kButtonW + 2 * kGlowSpread;
    glow.height = kButtonH + 2 * kGlowSpread;
    glow.radius = 10;
    glow.spread = kGlowSpread;
    glow.colours = {0xFFFFFFFFu};
    sfpc::DrawSource rule;
    rule.shape = sfpc::Shape::Rule;
    rule.width = kButtonW;
    rule.height = kRuleH;
    rule.colours = {Palette("clear"), Palette("accent"), Palette("clear")};

    const std::vector<discbuild::RgbaImage> images = {
        sfpc::DrawImage(RoundRect(kPanelW, kPanelH, Palette("panel-top"), Palette("panel-bottom"), 2,
                                  Palette("outline"))),
        // The face and the edge are white: each look tints them.
        sfpc::DrawImage(RoundRect(kButtonW, kButtonH, 0xFFFFFFFFu, 0x9AA6BCFFu, 0, 0)),
        sfpc::DrawImage(RoundRect(kButtonW, kButtonH, Palette("clear"), Palette("clear"), 2, 0xFFFFFFFFu)),
        sfpc::DrawImage(glow),
        sfpc::DrawImage(rule),
    };
    sfpc::Atlases packed = sfpc::PackAtlases(images);
    if (packed.atlases.size() != 1)
        throw std::runtime_error("the HOME menu's skin does not fit one atlas");
    Skin skin;
    skin.atlas = std::move(packed.atlases[0]);
    for (size_t i = 0; i < images.size(); ++i)
        skin.cells[i] = {s32(packed.places[i].x), s32(packed.places[i].y), s32(images[i].width),
                         s32(images[i].height)};
    return skin;
}

// A white house with a dark outline, crossed out by a red ring and bar.
discbuild::RgbaImage PaintNoHomeIcon() {
    sfpc::Canvas canvas(64, 64);
    canvas.SetDesign(64, 64);
    const auto house = [](f32 x, f32 y) {
        const f32 body = sfpc::RoundBoxDistance(x, y, 32, 40, 13, 11, 1.5f);
        const f32 left = sfpc::CapsuleDistance(x, y, 15, 31, 32, 16, 3);
        const f32 right = sfpc::CapsuleDistance(x, y, 32, 16, 49, 31, 3);
        return std::min(body, std::min(left, right));
    };
    canvas.Fill([&](f32 x, f32 y) { return house(x, y) - 2.0f; }, sfpc::ColourOf(0x1A2C55FFu));
    canvas.Fill(house, sfpc::ColourOf(0xFFFFFFFFu));
    canvas.Fill([](f32 x, f32 y) { return sfpc::RoundBoxDistance(x, y, 32, 45, 3.5f, 6, 1); },
                sfpc::ColourOf(0x1A2C55FFu));
    const sfpc::Rgba red = sfpc::ColourOf(0xE8322BFFu);
    canvas.Fill([](f32 x, f32 y) { return std::fabs(sfpc::CircleDistance(x, y, 32, 32, 27)) - 3.5f; }, red);
    canvas.Fill([](f32 x, f32 y) { return sfpc::CapsuleDistance(x, y, 13, 13, 51, 51, 3.5f); }, red);
    return canvas.Image();
}

}  // namespace hbmgen
