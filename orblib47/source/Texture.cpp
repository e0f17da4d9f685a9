#include "orblib47/source/Texture.h"

#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/TextureInternal.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "TIM";

}  // namespace

void* WadLoadTexture(s_wad_header* header, void* payload) {
    return TextureLoad(header->name, payload, header->size);
}

void WadFreeTexture(void* data) {
    TextureFree(static_cast<s_texture*>(data));
}

s32 TextureWarmReset(u32 maxtexture, u32) {
    return TextureHardwareWarmReset(maxtexture);
}

s_texture* TextureLoad(const char* name, void* data, u32 size) {
    bool registered = false;
    void* shared = DataShareLoaded(name, kType, data, &registered);
    if (registered)
        return static_cast<s_texture*>(shared);
    if (data == nullptr)
        return nullptr;
    s_texture_file file{};
    auto* texture = static_cast<s_texture*>(RecordAlloc(TextureRecords));
    if (name == nullptr || texture == nullptr ||
        !TextureParseChunk(name, static_cast<u8*>(data), size, &file)) {
        if (texture != nullptr)
            RecordFree(TextureRecords, texture);
        HeapMallocFree(data);
        return nullptr;
    }
    std::memset(texture, 0, sizeof(*texture));
    texture->file = file;
    // The chunk stays with the entry whatever its Keep_File flag says: the
    // texture objects read their texels and palettes in place.
    s_DATA_ENTRY* entry = DataLoad(name, kType, data, -1);
    if (entry == nullptr) {
        TextureFreeResources(texture);
        HeapMallocFree(data);
        return nullptr;
    }
    entry->record = texture;
    texture->dataEntry = entry;
    TextureSetup(texture);
    return texture;
}

void TextureFree(s_texture* texture) {
    if (texture == nullptr)
        return;
    if (texture->dataEntry == nullptr || DataRemove(texture->dataEntry))
        TextureFreeResources(texture);
}

s_texture* TextureFind(const char* name) {
    s_DATA_ENTRY* entry = DataFindEntry(name, kType);
    return entry ? static_cast<s_texture*>(entry->record) : nullptr;
}

s_texture* TextureGetChild(s_texture* texture, u32 index) {
    if (texture == nullptr)
        return nullptr;
    const s32 i = s32(index & 0xFF);
    if (i >= texture->file.numChildTextures)
        return texture;
    // Looked up each time: a child loaded later, or freed since, is seen as it is now.
    return TextureFind(texture->file.childTextures[i].name);
}

u32 TextureGetNumMips(const s_texture* texture) {
    return texture ? texture->numMipMaps : 0;
}

const char* TextureGetFormatName(const s_texture* texture) {
    if (texture != nullptr) {
        for (const s_surface_fmt* row = SurfaceFmtTrans; row->value != -1; ++row) {
            if (row->console == texture->file.maps[0].imageFormat)
                return row->name;
        }
    }
    return "Unknowm";
}

u32 TextureGetClutSize(const s_texture* texture) {
    return texture ? 4 * texture->file.maps[0].paletteSize : 0;
}
