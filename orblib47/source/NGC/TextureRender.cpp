// Render to texture: the target's corner of the picture is saved, drawn into,
// copied into the target and put back.
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Texture.h"

namespace {

s_texture* RenderTextureSrc = nullptr;  // the saved corner of the picture
s_texture* RenderTextureDst = nullptr;  // the target of the pass in progress
e_PROJ_MODE oldProjMode = DC_PROJ_3D;
s32 oldZBuffering = 0;

const s_texture_map& FirstMap(const s_texture* texture) {
    return texture->file.maps[0];
}

s_Irect16 CornerOf(const s_texture* texture) {
    return {0, 0, s16(FirstMap(texture).width), s16(FirstMap(texture).height)};
}

// Draws the saved corner back over the picture, texel for pixel.
void PutBackPicture(const s_Irect16& corner) {
    const s_texture_map& saved = FirstMap(RenderTextureSrc);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const e_TEXTURE_WRAP_MODE wrap = DrawSetTextureWrapMode(DC_TEXTURE_WRAP_CLAMP);
    const e_TEXTURE_FILTER_MODE filter = DrawSetTextureFilterMode(DC_TEXTURE_FILTER_POINT);
    DrawSetProjection(DC_PROJ_ORTHO);
    const s32 enabled = DrawEnableTexture(1);
    s_texture* texture = DrawSetTexture(RenderTextureSrc);
    DrawSetConstantZ(0.0f);
    const u32 colour = DrawSetFlatColor(0xFFFFFFFFu);
    const e_POLYGON_MODE polygon = DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    // The corner fills only the top left of the saved texture.
    DrawSetUV(0.0f, 0.0f, f32(corner.w) / f32(saved.width), f32(corner.h) / f32(saved.height));
    DrawFilledIrect(&corner);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);  // the whole texture, as callers of the bracket find it
    DrawSetTexture(texture);
    DrawEnableTexture(enabled);
    DrawSetFlatColor(colour);
    DrawSetTextureWrapMode(wrap);
    DrawSetTextureFilterMode(filter);
    DrawSetPolygonMode(polygon);
    DrawSetCombineMode(combine);
}

}  // namespace

void TextureRenderStartup(u32 width, u32 height, u32 depth) {
    RenderTextureDst = nullptr;
    RenderTextureSrc = TextureAlloc(width, height, depth);
    ORB_ASSERT(RenderTextureSrc != nullptr,
               "TextureRenderStartup: Unable to allocate texture to save off contents of frame buffer.\n");
}

s32 TextureRenderStart(s_texture* target) {
    ORB_ASSERT(RenderTextureSrc != nullptr,
               "TextureRenderStart: No texture to save off current frame buffer. \nDid you initialize with "
               "TextureRenderStartup?\n");
    if (target == nullptr)
        return 0;
    const s_texture_map& map = FirstMap(target);
    const s_texture_map& saved = FirstMap(RenderTextureSrc);
    if (map.width > saved.width || map.height > saved.height) {
        DEBUG_PRINT("TextureRenderStart: a %ux%u target is larger than %ux%u; not rendered\n", map.width,
                    map.height, saved.width, saved.height);
        return 0;
    }
    RenderTextureDst = target;
    oldProjMode = DrawContext.projectionMode;
    oldZBuffering = DrawSetZBufferWrite(0);
    DrawLockZBufferWrite(1);
    const s_Irect16 corner = CornerOf(target);
    TextureCopyFromVramToTexture(RenderTextureSrc, &corner, nullptr, 0);
    return 1;
}

void TextureRenderEnd() {
    s_texture* target = RenderTextureDst;
    if (target == nullptr)
        return;
    RenderTextureDst = nullptr;
    const s_Irect16 corner = CornerOf(target);
    const u32 transparentBlack = 0;
    TextureCopyFromVramToTexture(target, &corner, &transparentBlack, 0);
    PutBackPicture(corner);
    DrawLockZBufferWrite(0);
    DrawSetZBufferWrite(oldZBuffering);
    DrawSetProjection(oldProjMode);
}
