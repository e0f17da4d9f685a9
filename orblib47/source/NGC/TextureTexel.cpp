// Reading single texels and palette entries on the processor, and the texture
// coordinates other platforms keep per texture.
#include <algorithm>

#include "orblib47/source/Texture.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr u32 kTileSide = 4;
constexpr u32 kTileBytes = 64;  // alpha-red pairs, then green-blue pairs

u32 TexelIndex(f32 coord, u32 side) {
    // Written so that a NaN lands on the first texel.
    const f32 scaled = coord * f32(side);
    return scaled >= 1.0f ? std::min(u32(scaled), side - 1) : 0;
}

}  // namespace

u32 TextureGetClutEntry(const s_texture*, u32) {
    return kWhite;
}

u32 TextureGetTexel(const s_texture* texture, f32 u, f32 v) {
    if (texture == nullptr || texture->file.maps == nullptr)
        return kWhite;
    const s_texture_map& map = texture->file.maps[0];
    if (map.imageFormat != GX_TF_RGBA8 || map.image == nullptr || map.width == 0 || map.height == 0)
        return kWhite;
    const u32 x = TexelIndex(u, map.width);
    const u32 y = TexelIndex(v, map.height);
    const u32 tilesAcross = (map.width + kTileSide - 1) / kTileSide;
    const u8* tile = map.image + (std::size_t(y / kTileSide) * tilesAcross + x / kTileSide) * kTileBytes;
    const u32 i = 2 * ((y % kTileSide) * kTileSide + x % kTileSide);
    const u8 a = tile[i], r = tile[i + 1], g = tile[32 + i], b = tile[32 + i + 1];
    return u32(r) << 24 | u32(g) << 16 | u32(b) << 8 | a;
}

// The engine draws with the texture coordinates of its vertices on this platform.
void TextureSetFloatUV(s_texture*, f32, f32, f32, f32) {}

// Does nothing, as TextureSetFloatUV: the callers' vertices carry the coordinates.
void TextureSetIntUV(s_texture*, s32, s32, s32, s32) {}
