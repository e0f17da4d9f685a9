// The draw context and its setters that record state (texture binds, the
// immediate mode and the platform read it later).
#include "orblib47/source/DrawContext.h"

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Texture.h"

s_draw_context DrawContext;
s_depth_offset DrawDepthOffset;

namespace {

// Sets or clears a context flag; returns whether it was set.
s32 SetFlag(u32 flag, bool on) {
    s32 previous = (DrawContext.flags & flag) != 0;
    if (on) {
        DrawContext.flags |= flag;
    } else {
        DrawContext.flags &= ~flag;
    }
    return previous;
}

// A texture left bound (the next DrawSetTexture of it does nothing) takes the new
// sampling at once; the vertices collected so far keep the old.
void RebindCurrentTexture() {
    if (DrawContext.texture != nullptr) {
        DrawFlush();
        TextureBind(DrawContext.texture, 0);
    }
}

}  // namespace

// Texture binds read the wrap and filter modes of the first sampler.
e_TEXTURE_WRAP_MODE DrawSetTextureWrapMode(e_TEXTURE_WRAP_MODE mode) {
    s_sampler_state& sampler = DrawContext.samplerStateList[0];
    e_TEXTURE_WRAP_MODE previous = sampler.wrapMode[0];
    if (mode != previous) {
        for (e_TEXTURE_WRAP_MODE& wrap : sampler.wrapMode)
            wrap = mode;
        RebindCurrentTexture();
    }
    return previous;
}

e_TEXTURE_FILTER_MODE DrawSetTextureFilterMode(e_TEXTURE_FILTER_MODE mode) {
    s_sampler_state& sampler = DrawContext.samplerStateList[0];
    e_TEXTURE_FILTER_MODE previous = sampler.filterMode;
    if (mode != previous) {
        sampler.filterMode = mode;
        RebindCurrentTexture();
    }
    return previous;
}

s32 DrawEnableTexture(s32 on) {
    return SetFlag(u_draw_flags::TextureEnabled, on != 0);
}

u32 DrawSetScissor(u32 mask) {
    u32 previous = DrawContext.scissorMask;
    DrawContext.scissorMask = mask;
    return previous;
}

s32 DrawLockZBufferWrite(s32 on) {
    return SetFlag(u_draw_flags::ZBuffer_Write_Mode_Locked, on != 0);
}

s32 DrawLockCombineMode(s32 on) {
    return SetFlag(u_draw_flags::Combine_Mode_Locked, on != 0);
}

s32 DrawLockCullMode() {
    return SetFlag(u_draw_flags::Cull_Mode_Locked, true);
}

s32 DrawUnlockCullMode() {
    return SetFlag(u_draw_flags::Cull_Mode_Locked, false);
}

s32 DrawLockStencilMode() {
    return SetFlag(u_draw_flags::Stencil_Mode_Locked, true);
}

void DrawSetCombineMode2(e_COMBINE_MODE) {}

f32 DrawSetDepthOffset(f32 factor, f32 offset) {
    DrawDepthOffset = {factor, offset};
    return 0.0f;
}

s32 DrawEnableFog(s32) {
    return 0;
}

void DrawGetSpriteScale(s_Vector2* scale) {
    *scale = {1.0f, 1.0f};
}
