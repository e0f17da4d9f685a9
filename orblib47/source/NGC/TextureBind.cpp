// Loading a texture's console objects into the texture maps for drawing, with
// the wrap and filter of the draw context's first sampler.
#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Texture.h"

namespace {

GXTexWrapMode WrapFor(e_TEXTURE_WRAP_MODE mode) {
    switch (mode) {
        case DC_TEXTURE_WRAP_TILE:
            return GX_REPEAT;
        case DC_TEXTURE_WRAP_MIRROR:
            return GX_MIRROR;
        default:
            return GX_CLAMP;
    }
}

void SetSampling(const s_texture& texture, GXTexObj* obj, GXTexWrapMode wrap, GXTexFilter filter,
                 GXTexFilter mipMin, f32 bias) {
    GXInitTexObjWrapMode(obj, wrap, wrap);
    if ((texture.flags & TEXTURE_MIPMAPPED) != 0) {
        GXInitTexObjLOD(obj, mipMin, filter, 0.0f, f32(texture.numMipMaps - 1), bias, GX_TRUE, GX_TRUE,
                        GX_ANISO_1);
    } else {
        GXInitTexObjFilter(obj, filter, filter);
    }
}

}  // namespace

s32 TextureBind(s_texture* texture, s32) {
    if (texture == nullptr)
        return 0;
    const s_sampler_state& sampler = DrawContext.samplerStateList[0];
    const GXTexWrapMode wrap = WrapFor(sampler.wrapMode[0]);
    const GXTexFilter filter = sampler.filterMode == DC_TEXTURE_FILTER_LINEAR ? GX_LINEAR : GX_NEAR;
    s_texture_map& map = texture->file.maps[0];
    if (map.paletteSize != 0) {
        for (u32 i = 0; i < 2; ++i) {
            GXInitTexObjTlut(&map.textureObj[i], GX_TLUT0 + i);
            GXLoadTlut(&map.tlutObj[i], GX_TLUT0 + i);
            SetSampling(*texture, &map.textureObj[i], wrap, filter, GX_LIN_MIP_NEAR, 0.0f);
        }
        GXLoadTexObj(&map.textureObj[0], GX_TEXMAP0);
        GXLoadTexObj(&map.textureObj[1], GX_TEXMAP1);
    } else {
        SetSampling(*texture, &map.textureObj[0], wrap, filter, GX_LIN_MIP_LIN, texture->mipBias);
        GXLoadTexObj(&map.textureObj[0], GX_TEXMAP0);
    }
    return 1;
}
