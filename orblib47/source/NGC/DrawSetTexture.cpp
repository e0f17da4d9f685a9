// Selecting the texture of the next draws: the vertices collected so far go out
// with the old one, then the maps and combine stages are set for the new one.
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/DrawCombine.h"
#include "orblib47/source/Texture.h"

s_texture* DrawSetTexture(s_texture* texture, s32 stage) {
    s_texture* previous = DrawContext.texture;
    if ((DrawContext.flags & u_draw_flags::TextureEnabled) == 0)
        texture = nullptr;
    if (texture == previous)
        return previous;
    DrawContext.texture = texture;
    DrawFlush();
    TextureBind(texture, stage);
    DrawResetCombineStages();
    return previous;
}

void DrawResetCombineStages() {
    const s_texture* texture = DrawContext.texture;
    if (texture == nullptr) {
        DrawSetCombineStages(e_bound_texture::None);
    } else {
        const bool palettised = texture->file.maps[0].paletteSize != 0;
        DrawSetCombineStages(palettised ? e_bound_texture::Palettised : e_bound_texture::Ordinary);
    }
}
