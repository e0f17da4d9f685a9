#include "orblib47/source/Texture.h"

namespace {

constexpr f32 kMinBias = -4.0f;
constexpr f32 kMaxBias = 3.99f;

f32 ClampBias(f32 bias) {
    // Written so that a NaN from the file lands on the lower bound.
    return bias >= kMinBias ? (bias <= kMaxBias ? bias : kMaxBias) : kMinBias;
}

}  // namespace

// The stand-in's memory is coherent, so no data-cache flush is needed here.
void TextureSetup(s_texture* texture) {
    if (texture == nullptr)
        return;
    s_texture_map& map = texture->file.maps[0];
    const bool mipmapped = texture->file.numMaps > 1;
    const GXBool mipmap = mipmapped ? GX_TRUE : GX_FALSE;
    const u16 width = u16(map.width);
    const u16 height = u16(map.height);
    if (map.paletteSize != 0) {
        // Two palettes of 512 bytes over one index image, each with its own object.
        for (u32 i = 0; i < 2; ++i) {
            GXInitTlutObj(&map.tlutObj[i], map.palette + i * (TEXTURE_PALETTE_BYTES / 2),
                          GXTlutFmt(map.paletteFormat), u16(map.paletteSize));
            GXInitTexObjCI(&map.textureObj[i], map.image, width, height, GXCITexFmt(map.imageFormat),
                           GX_REPEAT, GX_REPEAT, mipmap, GX_TLUT0 + i);
        }
    } else {
        GXInitTexObj(&map.textureObj[0], map.image, width, height, GXTexFmt(map.imageFormat), GX_REPEAT,
                     GX_REPEAT, mipmap);
    }
    if (mipmapped) {
        texture->flags |= TEXTURE_MIPMAPPED;
        texture->numMipMaps = texture->file.numMaps;
        TextureSetLODBias(texture, 0, texture->file.mipMapBias);
    }
}

void TextureSetLODBias(s_texture* texture, s32, f32 bias) {
    if (texture != nullptr)
        texture->mipBias = ClampBias(bias);
}

void TextureGetLODBias(const s_texture* texture, f32* bias, f32* other) {
    if (bias != nullptr)
        *bias = texture != nullptr ? texture->mipBias : 0.0f;
    if (other != nullptr)
        *other = 0.0f;
}
