// Copies of the rendered picture into textures, and the frame-buffer texture that
// receives the whole picture.
#include <algorithm>

#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr u16 kFrameBufferWidth = 640;
constexpr u16 kFrameBufferHeight = 448;
constexpr u32 kClearDepth = 0xFFFFFF;

s_texture* FrameBufferTexture = nullptr;

// The part of a side that fits the texture: the copy writes one texel per pixel
// (half with a mip level) and would run past the texel memory.
u16 FittingSide(s16 side, u32 textureSide, bool mipmap) {
    const u32 most = mipmap ? textureSide * 2 : textureSide;
    return u16(std::min<u32>(u32(std::max<s16>(side, 0)), most));
}

}  // namespace

void TextureCopyFromVramToTexture(s_texture* texture, const s_Irect16* rect, const u32* clearColour,
                                  s32 mipmap) {
    if (texture == nullptr)
        return;
    s_texture_map& map = texture->file.maps[0];
    const bool mip = mipmap != 0;
    DrawDisableTextureFiltering();
    const e_COMBINE_MODE oldCombine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    GXSetTexCopySrc(u16(std::max<s16>(rect->x, 0)), u16(std::max<s16>(rect->y, 0)),
                    FittingSide(rect->w, map.width, mip), FittingSide(rect->h, map.height, mip));
    GXSetTexCopyDst(u16(map.width), u16(map.height), GXTexFmt(map.imageFormat), mip ? GX_TRUE : GX_FALSE);
    if (clearColour != nullptr)
        GXSetCopyClear(GXColorOf(*clearColour), kClearDepth);
    GXCopyTex(map.image, clearColour != nullptr ? GX_TRUE : GX_FALSE);
    GXPixModeSync();
    DrawEnableTextureFiltering();
    // The copy clear colour is shared with the display copy, which clears the next
    // picture with it.
    if (clearColour != nullptr)
        DrawRestoreDisplayCopyClear();
    if (const void* region = GXGetTexObjUserData(&map.textureObj[0]))
        GXInvalidateTexRegion(static_cast<const GXTexRegion*>(region));
    DrawSetCombineMode(oldCombine);
}

s_texture* TextureCreateFrameBufferTexture() {
    FrameBufferTexture = TextureCreate(kFrameBufferWidth, kFrameBufferHeight, 32, 0, nullptr, nullptr);
    return FrameBufferTexture;
}

void TextureReadFB() {
    const s_Irect16 rect = {0, 0, s16(kFrameBufferWidth), s16(DrawContext.screenSize.y)};
    GXSetAlphaUpdate(GX_TRUE);
    TextureCopyFromVramToTexture(FrameBufferTexture, &rect, nullptr, 0);
    GXSetAlphaUpdate(GX_FALSE);
}

s_texture* TextureGetFBTexture() {
    return FrameBufferTexture;
}

void TextureBindFB() {}

void TextureUnbindFB() {}
