// Texture movies do not exist on this platform: no movie, no texture.
#include "orblib47/source/Texture.h"

s_texture_movie* TextureMovieStart(const char*, u32) {
    return nullptr;
}

s_texture* TextureMovieGetTexture(s_texture_movie*) {
    return nullptr;
}

s32 TextureMovieSetBorderColor(s_texture_movie*, u32) {
    return 0;
}

void TextureMovieFree(s_texture_movie*) {}
