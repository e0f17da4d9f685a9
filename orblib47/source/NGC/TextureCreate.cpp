// Textures made in memory (blank render targets, textures over caller pixels) and
// the release of what any texture owns.
#include <cstring>

#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Texture.h"

namespace {

// A cleared texture with one cleared image record of the given size; null when
// either pool is empty (both then left as they were).
s_texture* NewTexture(u32 width, u32 height, u32 depth) {
    auto* texture = static_cast<s_texture*>(RecordAlloc(TextureRecords));
    if (texture == nullptr)
        return nullptr;
    auto* map = static_cast<s_texture_map*>(RecordAlloc(TextureMapRecords));
    if (map == nullptr) {
        RecordFree(TextureRecords, texture);
        return nullptr;
    }
    std::memset(texture, 0, sizeof(*texture));
    std::memset(map, 0, sizeof(*map));
    map->width = width;
    map->height = height;
    map->depth = depth;
    map->paletteFormat = -1;
    texture->file.numMaps = 1;
    texture->file.maps = map;
    texture->flags = TEXTURE_OWNS_MAPS;
    return texture;
}

void ReleaseRecords(s_texture* texture) {
    RecordFree(TextureMapRecords, texture->file.maps);
    RecordFree(TextureRecords, texture);
}

s_texture* RefuseDepth(s_texture* texture, u32 depth) {
    ReleaseRecords(texture);
    DEBUG_PRINT("TEXTURE: Unsupported texture depth: %d!\n", s32(depth));
    return nullptr;
}

// Zeroed memory from the extra heap, which holds what the GPU reads.
u8* OwnedBlock(u32 size, const char* who) {
    void* block = HeapMallocFromExtraHeap(size, __FILE_NAME__, __LINE__);
    ORB_ASSERT(block != nullptr, "%s: Couldn't allocate texture. Out of RAM\n", who);
    std::memset(block, 0, size);
    return static_cast<u8*>(block);
}

void SetImage(s_texture* texture, s32 format, void* image, const char* who) {
    s_texture_map& map = *texture->file.maps;
    map.imageFormat = format;
    map.imageSize = GXGetTexBufferSize(u16(map.width), u16(map.height), u32(format), GX_FALSE, 0);
    if (image != nullptr) {
        map.image = static_cast<u8*>(image);
    } else {
        map.image = OwnedBlock(map.imageSize, who);
        texture->flags |= TEXTURE_OWNS_IMAGE;
    }
}

}  // namespace

s_texture* TextureAlloc(u32 width, u32 height, u32 depth) {
    s_texture* texture = NewTexture(width, height, depth);
    if (texture == nullptr) {
        DEBUG_PRINT("TEXTURE: Out of Texture Records!\n");
        return nullptr;
    }
    // Only render targets are made blank: 4- and 8-bit ones have no use here.
    if (depth != 32)
        return RefuseDepth(texture, depth);
    SetImage(texture, GX_TF_RGBA8, nullptr, "TextureAlloc");
    TextureSetup(texture);
    return texture;
}

s_texture* TextureCreate(u32 width, u32 height, u32 depth, u32 flags, void* image, void* palette) {
    s_texture* texture = NewTexture(width, height, depth);
    if (texture == nullptr)
        return nullptr;
    s_texture_map& map = *texture->file.maps;
    if (depth == 8) {
        SetImage(texture, GX_TF_C8, image, "TextureCreate");
        map.paletteFormat = GX_TL_IA8;
        map.paletteSize = TEXTURE_PALETTE_ENTRIES;
        if (palette != nullptr) {
            map.palette = static_cast<u8*>(palette);
        } else {
            map.palette = OwnedBlock(TEXTURE_PALETTE_BYTES, "TextureCreate");
            texture->flags |= TEXTURE_OWNS_PALETTE;
        }
    } else if (depth == 32) {
        SetImage(texture, (flags & TEXTURE_FILE_COMPRESSED) != 0 ? GX_TF_CMPR : GX_TF_RGBA8, image,
                 "TextureCreate");
    } else {
        return RefuseDepth(texture, depth);
    }
    TextureSetup(texture);
    return texture;
}

void TextureFreeResources(s_texture* texture) {
    if (texture == nullptr)
        return;
    DrawSetTexture(nullptr);
    for (u32 i = 0; i < texture->file.numMaps; ++i) {
        s_texture_map& map = texture->file.maps[i];
        // The cache keeps decoded texels by address: memory given back must not
        // bring them back for the next texture placed there.
        for (const GXTexObj& obj : map.textureObj) {
            if (const void* region = GXGetTexObjUserData(&obj))
                GXInvalidateTexRegion(static_cast<const GXTexRegion*>(region));
        }
        if ((texture->flags & TEXTURE_OWNS_IMAGE) != 0)
            HeapMallocDelayedFree(map.image, 2);
        if ((texture->flags & TEXTURE_OWNS_PALETTE) != 0) {
            HeapMallocFree(map.palette);
            map.palette = nullptr;
        }
    }
    if ((texture->flags & TEXTURE_OWNS_MAPS) != 0) {
        RecordFree(TextureMapRecords, texture->file.maps);
    } else {
        TextureFreeChunkRecords(&texture->file);
    }
    RecordFree(TextureRecords, texture);
}
