// Texture stage 0 and the lighting of a material on this platform.
#include "orblib47/source/NGC/MaterialHW.h"

#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/Texture.h"

s32 TextureStageDefault = 0;
const s_Matrix4 DefaultColorMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
const Mtx scaleOffset = {{0.5f, 0.0f, 0.0f, 0.5f}, {0.0f, 0.5f, 0.0f, 0.5f}, {0.0f, 0.0f, 0.0f, 1.0f}};

void MaterialBindStage0(s_texture* texture) {
    DrawSetTexture(texture, 0);
    // Whatever the context bound (nothing while textures are off) is what a later
    // reset to no texture has to undo.
    TextureStageDefault = DrawContext.texture == nullptr;
}

void MaterialBindStage1(s_texture* texture) {
    // Two-palette textures take maps 0 and 1 for themselves: they keep map 1.
    const s_texture* stage0 = DrawContext.texture;
    if (texture == nullptr || texture->file.maps[0].paletteSize != 0 ||
        (stage0 != nullptr && stage0->file.maps[0].paletteSize != 0))
        return;
    GXLoadTexObj(&texture->file.maps[0].textureObj[0], GX_TEXMAP1);
}

void COrbMaterial::Initialize() {
    TextureStageDefault = 0;
}

void COrbMaterial::SetDefaultTexturePasses() {
    if (TextureStageDefault == 0) {
        DrawSetTexture(nullptr, 0);
        TextureStageDefault = 1;
    }
}

void COrbMaterial::SetLighting(const s_ORB_MATERIAL* material) {
    s_material_lighting lighting{material->ambient, material->diffuse, material->specular, 0.0f};
    if ((DrawContext.flags & u_draw_flags::LightEnabled) == 0) {
        m_ColorMatrix = DefaultColorMatrix;
    } else if (DrawContext.color != 0xFFFFFFFFu) {
        lighting.ambient = ColorModulate(lighting.ambient, DrawContext.colorVect);
        lighting.diffuse = ColorModulate(lighting.diffuse, DrawContext.colorVect);
    }
    if (DrawContext.flags & u_draw_flags::LightOn) {
        NGCHardwareLighting(lighting);
    } else {
        NGCNoHardwareLighting(lighting);
    }
}
