#include <algorithm>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/TextureInternal.h"

const s_surface_fmt SurfaceFmtTrans[] = {
    {11, GX_TF_CMPR, "GX_TF_CMPR"},
    {3, GX_TF_RGBA8, "GX_TF_RGBA8"},
    {22, GX_TF_C8, "GX_TF_C8"},
    {23, GX_TL_IA8, "GX_TF_AI8"},
    {-1, -1, nullptr},
};

s32 TextureRemapEnum(const s_surface_fmt* table, s32 value) {
    if (value == -1)
        return -1;
    for (; table->value != -1; ++table) {
        if (table->value == value)
            return table->console;
    }
    return -1;
}

namespace {

constexpr u32 kMapSize = 136;
constexpr u32 kMapObjectsSize = 88;  // the texture and palette objects, filled at load
constexpr u32 kChildSize = 20;
constexpr u32 kMaxLevels = 11;  // 1024 texels down to 1
constexpr u32 kMaxSide = 1024;

bool Reject(const char* name, const char* why) {
    DEBUG_PRINT("TEXTURE: %s: bad TIM chunk (%s)\n", DebugName(name).c_str(), why);
    return false;
}

struct StoredMap {
    u32 flags, width, height, depth, imageSize, image, paletteSize, palette;
    s32 imageFormat, paletteFormat, tlutNum[2];
};

bool ReadMap(const ChunkReader& chunk, u32 offset, StoredMap* out) {
    ChunkCursor c(chunk, offset);
    c.U32(&out->flags), c.U32(&out->width), c.U32(&out->height), c.U32(&out->depth);
    c.U32(&out->imageSize), c.U32(&out->image), c.U32(&out->paletteSize), c.U32(&out->palette);
    c.Skip(kMapObjectsSize);
    c.S32(&out->imageFormat), c.S32(&out->paletteFormat), c.S32(&out->tlutNum[0]), c.S32(&out->tlutNum[1]);
    return c.Ok();
}

// Checks one stored image record and turns it into a native one.
bool ParseMap(const char* name, const ChunkReader& chunk, u8* base, const StoredMap& in, s_texture_map* out) {
    const s32 format = TextureRemapEnum(SurfaceFmtTrans, in.imageFormat);
    const bool indexed = format == GX_TF_C8;
    if (format != GX_TF_CMPR && format != GX_TF_RGBA8 && !indexed)
        return Reject(name, "unknown image format");
    if (in.width == 0 || in.width > kMaxSide || in.height == 0 || in.height > kMaxSide)
        return Reject(name, "image size");
    const u32 levelBytes = GXGetTexBufferSize(u16(in.width), u16(in.height), u32(format), GX_FALSE, 0);
    if (in.imageSize < levelBytes || !chunk.Range(in.image, in.imageSize))
        return Reject(name, "texels outside the chunk");
    s32 paletteFormat = -1;
    if (indexed) {
        paletteFormat = TextureRemapEnum(SurfaceFmtTrans, in.paletteFormat);
        if (paletteFormat != GX_TL_IA8)
            return Reject(name, "unknown palette format");
        if (in.paletteSize == 0 || in.paletteSize > TEXTURE_PALETTE_ENTRIES)
            return Reject(name, "palette size");
        if (!chunk.Range(in.palette, TEXTURE_PALETTE_BYTES))
            return Reject(name, "palette outside the chunk");
    } else if (in.paletteSize != 0) {
        return Reject(name, "palette on a direct format");
    }
    std::memset(out, 0, sizeof(*out));
    out->flags = in.flags;
    out->width = in.width;
    out->height = in.height;
    out->depth = in.depth;
    out->imageSize = in.imageSize;
    out->image = base + in.image;
    out->paletteSize = indexed ? in.paletteSize : 0;
    out->palette = indexed ? base + in.palette : nullptr;
    out->imageFormat = format;
    out->paletteFormat = paletteFormat;
    out->tlutNum[0] = in.tlutNum[0];
    out->tlutNum[1] = in.tlutNum[1];
    return true;
}

}  // namespace

bool TextureParseChunk(const char* name, u8* chunk, u32 size, s_texture_file* file) {
    const ChunkReader view(chunk, size);
    ChunkCursor header(view);
    u32 flags = 0, filterType = 0, numMaps = 0, maps = 0, children = 0;
    f32 bias = 0.0f;
    s32 numChildren = 0;
    header.U32(&flags), header.U32(&filterType), header.F32(&bias), header.U32(&numMaps);
    header.U32(&maps), header.S32(&numChildren), header.U32(&children);
    if (!header.Ok())
        return Reject(name, "truncated header");
    if (numMaps == 0 || numMaps > kMaxLevels)
        return Reject(name, "level count");
    if (!view.RangeArray(maps, numMaps, kMapSize))
        return Reject(name, "image records outside the chunk");
    const u32 numDefs = u32(std::max(numChildren, 0));
    if (numDefs != 0 && !view.RangeArray(children, numDefs, kChildSize))
        return Reject(name, "child table outside the chunk");

    // Maps first: their size keeps the child table aligned after them.
    const u32 bytes = numMaps * sizeof(s_texture_map) + numDefs * sizeof(s_texture_def);
    HeapPush(&MainHeap);
    auto* block = static_cast<u8*>(HeapMalloc(bytes, __FILE_NAME__, __LINE__));
    HeapPop();
    if (block == nullptr)
        return Reject(name, "out of memory");
    auto* parsed = reinterpret_cast<s_texture_map*>(block);
    auto* defs = reinterpret_cast<s_texture_def*>(block + numMaps * sizeof(s_texture_map));

    for (u32 i = 0; i < numMaps; ++i) {
        StoredMap stored{};
        if (!ReadMap(view, maps + i * kMapSize, &stored) ||
            !ParseMap(name, view, chunk, stored, &parsed[i])) {
            HeapMallocFree(block);
            return false;
        }
    }
    // The hardware reads the smaller levels on from the first level's texels.
    const s_texture_map& first = parsed[0];
    if (numMaps > 1 && !view.Range(u32(first.image - chunk),
                                   GXGetTexBufferSize(u16(first.width), u16(first.height),
                                                      u32(first.imageFormat), GX_TRUE, u8(numMaps)))) {
        HeapMallocFree(block);
        return Reject(name, "mip levels outside the chunk");
    }
    for (u32 i = 0; i < numDefs; ++i) {
        view.Name(children + i * kChildSize, TEXTURE_NAME_LEN, defs[i].name);
        defs[i].texture = nullptr;  // bound by name when asked for
    }

    file->flags = flags;
    file->filterType = filterType;
    file->mipMapBias = bias;
    file->numMaps = numMaps;
    file->maps = parsed;
    file->numChildTextures = s32(numDefs);
    file->childTextures = numDefs != 0 ? defs : nullptr;
    return true;
}

void TextureFreeChunkRecords(s_texture_file* file) {
    if (file->maps != nullptr)
        HeapMallocFree(file->maps);
    file->maps = nullptr;
    file->childTextures = nullptr;
}
