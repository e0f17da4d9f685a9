// The HOME-button menu's pictures: the skin atlas with its cells, and the icon.
#pragma once

#include <array>

#include "console/types.h"
#include "tools/discbuild/TextureEncoder.h"

namespace hbmgen {

// The panel on the 640 x 448 stage and the buttons in it, as the look sets them.
constexpr s32 kPanelW = 400;
constexpr s32 kPanelH = 232;
constexpr s32 kButtonW = 300;
constexpr s32 kButtonH = 42;
constexpr s32 kButtonGap = 8;
constexpr s32 kGlowSpread = 16;
constexpr s32 kRuleH = 2;

struct Cell {
    s32 x, y, w, h;
};

struct Skin {
    discbuild::RgbaImage atlas;
    // In the order of the layout values: panel, face, edge, glow, rule.
    std::array<Cell, 5> cells;
};

Skin PaintSkin();
discbuild::RgbaImage PaintNoHomeIcon();

}  // namespace hbmgen
