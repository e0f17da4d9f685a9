#include "orblib47/source/Sprite.h"

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/SpriteInternal.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "SPR";

}  // namespace

void* WadLoadSprite(s_wad_header* header, void* payload) {
    return SpriteLoad(header->name, payload, header->size);
}

void WadFreeSprite(void* data) {
    SpriteFree(static_cast<s_sprite_set*>(data));
}

s_sprite_set* SpriteLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<s_sprite_set*>(shared);
    if (data == nullptr)
        return nullptr;
    s_sprite_set* set = name ? SpriteParseChunk(name, static_cast<const u8*>(data), size) : nullptr;
    HeapMallocFree(data);  // the set keeps nothing of the chunk
    if (set == nullptr)
        return nullptr;
    s_DATA_ENTRY* entry = DataLoadRecord(name, kType, set);
    if (entry == nullptr)
        return nullptr;
    set->dataEntry = entry;
    for (s32 i = 0; i < set->numTexture; ++i)
        set->textures[i].texture = TextureLoad(set->textures[i].name);
    return set;
}

void SpriteFree(s_sprite_set* set) {
    if (set == nullptr)
        return;
    // The texture table lives in the block the last reference frees.
    if (DataRemoveCheck(set->dataEntry)) {
        for (s32 i = 0; i < set->numTexture; ++i)
            TextureFree(set->textures[i].texture);
    }
    DataRemove(set->dataEntry);
}
