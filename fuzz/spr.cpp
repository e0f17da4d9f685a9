// An "SPR" chunk's payload handed to the sprite loader twice (the second load
// shares the first), every index the draw routines follow checked against its
// table, every record read, and both references released.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Sprite.h"

namespace {

s_sprite_set* Load(const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return nullptr;
    return SpriteLoad("FUZZ", payload, u32(size));
}

volatile f32 Total = 0.0f;  // the reads must happen

void CheckFrame(const s_sprite_set& set, const s_sanim_frame& frame) {
    for (s32 i = 0; i < frame.numSprites; ++i) {
        const s_sanim_sprite& sprite = frame.sprites[i];
        if (sprite.id < 0 || sprite.id >= set.numSprite)
            fuzz::Fail("a frame sprite names a cell past the set");
        for (const s_sanim_vertex& v : sprite.vertex)
            Total = Total + v.x + v.y + v.z + f32(v.color);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_sprite_set* set = Load(data, size);
    if (set == nullptr)
        return 0;
    for (s32 i = 0; i < set->numSprite; ++i) {
        if (set->sprites[i].textureId >= set->numTexture)
            fuzz::Fail("a cell names a texture past the table");
        Total = Total + set->sprites[i].uv[0][0] + set->sprites[i].uv[3][1];
    }
    for (s32 i = 0; i < set->numTexture; ++i)
        Total = Total + f32(std::strlen(set->textures[i].name));
    for (s32 a = 0; a < set->numAnimation; ++a)
        for (u32 f = 0; f < set->animations[a].numFrame; ++f)
            CheckFrame(*set, set->animations[a].frames[f]);
    if (Load(data, size) != set)
        fuzz::Fail("a second load of the same set made another");
    SpriteFree(set);
    SpriteFree(set);
    return 0;
}
