// The jointed test figure: a box for each of hips, spine, head, two arms and two
// legs, each on a bone of its own and blended with the bones above it where it
// joins them, and its walk.
#pragma once

#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/VhaWriter.h"
#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

enum FigureBone : u8 {
    kFigureHips,  // the root
    kFigureSpine,
    kFigureHead,
    kFigureArmLeft,
    kFigureArmRight,
    kFigureLegLeft,
    kFigureLegRight,
    kFigureBoneCount
};

constexpr const char* kFigureBankName = "FIGURE_ANIM";
constexpr const char* kFigureTextureName = "FIGURE01";
constexpr f32 kFigureWalkTime = 1.2f;   // seconds a loop
constexpr f32 kFigureWalkSwing = 0.5f;  // radians the legs swing either way
constexpr u32 kFigureWalkKeys = 9;      // keys a channel, evenly spread over the loop

struct Figure {
    GeneratedModel model;           // skinned; its animation bank is kFigureBankName
    discbuild::VhaBank animations;  // "WALK", repeating
    discbuild::RgbaImage texture;   // kFigureTextureName: a weave the boxes wear
};

Figure MakeFigure();

}  // namespace modelgen
