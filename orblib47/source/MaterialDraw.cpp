// What selecting a material does to the draw state: the draw modes, the saved
// and default contexts, and the setup functions of the mode rows.
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/MaterialHW.h"
#include "orblib47/source/Texture.h"

namespace {

// A biased material also slopes its bias; an unbiased one has neither.
void SetDepthOffset(f32 offset) {
    DrawSetDepthOffset(offset == 0.0f ? 0.0f : -9.0f, offset);
}

// The part of both setup functions before and after the texture passes.
void ApplyDrawModes(const s_ORB_MATERIAL* material) {
    OrbMaterial.m_Default = 0;
    if (material->drawModes != OrbMaterial.m_DrawMode)
        OrbMaterial.SetDrawModes(material->drawModes);
}

void ApplyLightingAndDepth(const s_ORB_MATERIAL* material) {
    OrbMaterial.SetLighting(material);
    if (OrbMaterial.m_bUseDefaultDepthOffset)
        SetDepthOffset(material->depthOffset);
}

}  // namespace

void MaterialStandardFunc(s_ORB_MATERIAL* material) {
    ApplyDrawModes(material);
    OrbMaterial.SetTexturePasses(material);
    ApplyLightingAndDepth(material);
}

void MaterialDefaultFunc(s_ORB_MATERIAL* material) {
    ApplyDrawModes(material);
    OrbMaterial.SetDefaultTexturePasses();
    ApplyLightingAndDepth(material);
    s_texture* texture = nullptr;
    if (material->numTexturePasses > 0)
        texture = TextureGetChild(material->texturePassList[0].texture, u8(OrbMaterial.m_TextureVariant - 1));
    MaterialBindStage0(texture);
}

void COrbMaterial::SetDrawModes(const s_MATERIAL_DRAW_MODE& modes) {
    DrawSetCombineMode(e_COMBINE_MODE(modes.combine));
    DrawSetCullMode(e_CULL_MODE(modes.cull));
    DrawSetZBufferMode(e_ZBUF_MODE(modes.zbuffer));
    DrawSetZBufferWrite(modes.zbufwrite);
    DrawSetTextureWrapMode(e_TEXTURE_WRAP_MODE(modes.wrap));
    DrawSetStencilMode(e_STENCIL_MODE(modes.stencil));
    if (m_bUseDefaultEnableLighting)
        DrawEnableLight(modes.lighting);
    m_DrawMode = modes;
}

void COrbMaterial::SaveDrawContext() {
    m_DrawMode = {u8(DrawContext.combineMode),
                  u8(DrawContext.cullMode),
                  u8(DrawContext.zBufferMode),
                  u8(DrawContext.zBufferWriteEnable != 0),
                  u8(DrawContext.samplerStateList[0].wrapMode[0]),
                  u8(DrawContext.stencilMode),
                  u8((DrawContext.flags & u_draw_flags::LightEnabled) != 0),
                  0};
    m_DrawModeSave = m_DrawMode;
    m_DepthOffset = DrawContext.viewport != nullptr ? DrawContext.viewport->depthOffset : 0.0f;
    m_ContextSaved = 1;
    m_Default = 0;
}

void COrbMaterial::RestoreDrawContext() {
    if (m_DrawModeSave != m_DrawMode)
        SetDrawModes(m_DrawModeSave);
    SetDepthOffset(m_DepthOffset);
    SetDefaultTexturePasses();
    m_ContextSaved = 0;
    m_Default = 0;
}

void COrbMaterial::DefaultDrawContext() {
    SetDrawModes({u8(DC_COMBINE_ALPHA), u8(DC_CULL_BACK), u8(DC_ZMODE_LESS_EQUAL), 1,
                  u8(DC_TEXTURE_WRAP_TILE), u8(DC_STENCIL_OFF), 0, 0});
    DrawSetDepthOffset(0.0f, 0.0f);
    SetDefaultTexturePasses();
    m_ContextSaved = 0;
    m_Default = 0;
}
