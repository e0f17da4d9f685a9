// The draw front end's render-to-texture bracket: a viewport over the target's
// corner and depth left untouched while the target is drawn; and its clear.
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr f32 kFov = 60.0f;
constexpr f32 kNearZ = 0.1f;
constexpr f32 kFarZ = 500.0f;

bool Rendering = false;
s_viewport* OldViewport = nullptr;
s_viewport* TempViewport = nullptr;
e_ZBUF_MODE OldZMode = DC_ZMODE_LESS_EQUAL;
s32 OldZWrite = 0;

}  // namespace

void DrawRenderToTextureColdReset() {
    Rendering = false;
    OldViewport = TempViewport = nullptr;
}

s32 DrawStartRenderToTexture(s_texture* texture, s_viewport* viewport) {
    if (texture == nullptr || Rendering)
        return 0;
    s_viewport* temp = nullptr;
    if (viewport == nullptr) {
        const s_texture_map& map = texture->file.maps[0];
        const s_Irect16 rect = {0, 0, s16(map.width), s16(map.height)};
        temp = DrawAddViewport(&rect, kFov, kNearZ, kFarZ, 0.0f, DrawContext.maxDepth);
        if (temp == nullptr)
            return 0;
        viewport = temp;
    }
    if (TextureRenderStart(texture) == 0) {
        if (temp != nullptr)
            DrawFreeViewport(temp);
        return 0;
    }
    Rendering = true;
    TempViewport = temp;
    OldViewport = DrawSetViewport(viewport);
    OldZWrite = DrawSetZBufferWrite(0);
    OldZMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    return 1;
}

void DrawEndRenderToTexture() {
    if (!Rendering)
        return;
    Rendering = false;
    const u32 mask = DrawSetRgbaMask(0);
    DrawSetZBufferMode(OldZMode);
    DrawSetZBufferWrite(OldZWrite);
    DrawSetViewport(OldViewport);
    if (TempViewport != nullptr)
        DrawFreeViewport(TempViewport);
    TempViewport = nullptr;
    TextureRenderEnd();
    DrawSetRgbaMask(mask);
}

void DrawClearTexture(const s_texture* texture, u32 rgba) {
    if (texture == nullptr)
        return;
    const s_texture_map& map = texture->file.maps[0];
    const s_Irect16 whole = {0, 0, s16(map.width), s16(map.height)};
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    DrawSetTexture(nullptr);
    const u32 flat = DrawSetFlatColor(rgba);
    DrawFilledIrect(&whole);
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
}
