// The pieces MakeAlley puts together: lane-coordinate geometry, the painted
// textures and the moving models. Private to the alley's files.
#pragma once

#include "tools/modelgen/Alley.h"

namespace modelgen {

// ---- AlleyGeometry.cpp: shapes in lane coordinates (see AlleyWorldPoint)

// A flat grid of na x nb cells from `origin` along the edges a and b, facing a x b
// (as the coordinates' formula gives it) with that flat normal; texture u runs
// 0..uRepeat along b, v 0..vRepeat along a.
Mesh Grid(const s_Vector3& origin, const s_Vector3& a, const s_Vector3& b, u32 na, u32 nb, u32 color,
          f32 uRepeat = 1, f32 vRepeat = 1);
// Appends `part` to `mesh`.
void Append(Mesh* mesh, const Mesh& part);
// A mesh given in lane coordinates, placed in the world: the scene's lanes as
// AlleyWorldPoint places them, or a model about its own origin (only turned and
// scaled the same way).
Mesh SceneToWorld(Mesh mesh);
Mesh ObjectToWorld(Mesh mesh);

// ---- AlleyTextures.cpp: the painted textures, in lane coordinates' proportions

// A white opaque image; a texel set to 0xRRGGBB (outside the image: nothing); a
// filled disc about (cx, cy).
discbuild::RgbaImage Blank(u32 width, u32 height);
void Put(discbuild::RgbaImage* image, s32 x, s32 y, u32 rgb);
void Disc(discbuild::RgbaImage* image, f32 cx, f32 cy, f32 r, u32 rgb);

// Boards and marks of the lane's first 60 units (guide dots and arrows).
discbuild::RgbaImage LaneHeadTexture();
// Plain boards, tiled along the rest of the lane.
discbuild::RgbaImage LaneWoodTexture();
// The pin deck with the spots of the ten pins.
discbuild::RgbaImage LaneDeckTexture();
// One lane pitch of the approach: boards, its dots and the foul line.
discbuild::RgbaImage ApproachTexture();
// A pin's white skin with its two red stripes, v running down its 15 inches.
discbuild::RgbaImage PinSkinTexture();
// A marbled ball in two colours 0xRRGGBB, with its finger holes.
discbuild::RgbaImage BallTexture(u32 dark, u32 light);
// The look's masking-panel picture (it has one).
discbuild::RgbaImage MaskingTexture(const AlleyLook& look);
// A projector's light: white in the middle, fading to black at the rim.
discbuild::RgbaImage SpotTexture();

constexpr f32 kLaneHeadLength = 60.0f;        // units of lane the head texture covers
constexpr f32 kLaneDeckStartZ = 176.0f;       // where the pin deck's texture starts
constexpr f32 kApproachStartZ = -48.0f;       // the approach's back end
constexpr f32 kApproachDotsZ[] = {-45, -36};  // rows of approach dots
constexpr f32 kGutterWidth = 2.3125f;

// ---- AlleyProps.cpp: the models lane play moves, about their AlleyLayout.h origins

enum class PinDetail { Near, Far };
GeneratedModel PinModel(const char* skin, PinDetail detail);
GeneratedModel BallModel(const char* texture);
GeneratedModel PinsetterModel();
GeneratedModel SweeperModel();
GeneratedModel BallReturnModel();

}  // namespace modelgen
