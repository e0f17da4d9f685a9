// The platform side of materials: the texture stages a material binds, its
// lighting, and the specular reflection of a second pass.
#pragma once

#include "console/gx.h"
#include "orblib47/source/Material.h"

// 1 while stage 0 has been reset to no texture since the last material's passes.
extern s32 TextureStageDefault;
extern const s_Matrix4 DefaultColorMatrix;
// Normal directions (-1..1) to texture coordinates (0..1).
extern const Mtx scaleOffset;

// Binds `texture` (null: none) on stage 0.
void MaterialBindStage0(s_texture* texture);
// Loads `texture` into the map a later pass reads; the stages are left as they are.
void MaterialBindStage1(s_texture* texture);
// Adds the stage that brightens the colour by `texture` looked up with the vertex
// normals, turned towards the specular light. Nothing when `material`'s specular
// alpha is 0 or there is no texture.
void TexturePass1SpecularReflect(const s_ORB_MATERIAL* material, s_texture* texture);
