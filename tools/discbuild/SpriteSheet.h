// Sprite sets painted from shapes: a text source names the cells of one sheet,
// the shapes painted into each, and the animations made of them (docs/disc.md).
#pragma once

#include <string>

#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TextureEncoder.h"

namespace discbuild {

struct PaintedSpriteSet {
    std::string name;  // the "SPR" chunk; its sheet is the "TIM" NAME + "_T"
    RgbaImage sheet;
    SpriteSet set;
};

// Parses and paints one source; errors throw std::invalid_argument naming the line.
PaintedSpriteSet PaintSpriteSet(const std::string& name, const std::string& text);

// Paints every DATA_DIR/sprites/<NAME>.txt into DISC_DIR/DATA/SPRITES.WAD.
void BuildDiscSprites(const std::string& dataDir, const std::string& discDir);

}  // namespace discbuild
