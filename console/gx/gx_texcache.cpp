#include "console/gx/gx_texcache.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "console/gx.h"
#include "console/gx/gx_log.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_sampler.h"
#include "console/gx/gx_texcopy.h"
#include "console/gx/gx_texdecode.h"
#include "console/gx/gx_tiles.h"
#include "console/host_services.h"

namespace console::gx {

namespace {

constexpr u32 kMaxTexSize = 1024;
constexpr u32 kNumTlutNames = GX_BIGTLUT3 + 1;
constexpr u32 kNoRegion = ~0u;
// Past this many decoded bytes the cache starts again (loaded maps keep theirs).
constexpr std::size_t kCacheBytes = 64u << 20;

struct Palette {
    u8 format = 0;
    std::vector<u16> entries;
};

struct CacheKey {
    const void* image;
    u32 format, width, height, levels;
    u64 palette;  // hash of the palette's format and entries; 0 without one
    bool operator==(const CacheKey&) const = default;
};

struct CacheKeyHash {
    std::size_t operator()(const CacheKey& k) const {
        u64 h = reinterpret_cast<std::uintptr_t>(k.image);
        for (u64 v : {u64(k.format), u64(k.width), u64(k.height), u64(k.levels), k.palette})
            h = (h ^ v) * 0x100000001B3ull;
        return std::size_t(h);
    }
};

// The bilinear footprints of a texture's first level, made at its third
// bilinear draw with each pair of wraps: one drawn once or twice (a copy of the
// picture read back the frame it is made) reads its texels sooner than it would
// make them, the more so as an upright draw reads them without the footprints.
// The draws without them run on the pixel threads; making them, on the
// program's. When that draws alone, a small texture's cost little beside a
// draw of it, and are made at its first.
constexpr u8 kDrawsWithoutFootprints = 2;
constexpr u32 kSmallTexels = 128 * 128;

struct TexFootprints {
    std::vector<TexelQuad> quads[3][3];  // by wrap s, wrap t
    u8 draws[3][3] = {};                 // drawn without them
    std::size_t bytes = 0;               // counted in the cache's bytes
};

struct CacheEntry {
    std::shared_ptr<const DecodedTexture> texture;
    std::shared_ptr<TexFootprints> footprints;
    u32 region;  // the even bank of the region it was loaded through
    std::size_t bytes;
};

// What a map reads.
struct TexBinding {
    std::shared_ptr<const DecodedTexture> texture;
    std::shared_ptr<TexFootprints> footprints;
    TexSampling sampling{};
};

// The maps as the sampler and viewer read them: a new record each time a map
// changes, so that a queued draw keeps the maps it was drawn with.
struct TexBindings {
    TexBinding maps[GX_MAX_TEXMAP];
};

struct TexMap {
    GXTexObj obj{};
    u32 region = kNoRegion;
    TexBinding binding;
    bool stale = false;  // dropped by an invalidation: read again at the next draw that reads it
};

struct TexMemory {
    std::unordered_map<CacheKey, CacheEntry, CacheKeyHash> cache;
    std::size_t cachedBytes = 0;
    std::unordered_map<u32, Palette> palettes;  // by palette memory address
    TexMap maps[GX_MAX_TEXMAP];
    std::shared_ptr<TexBindings> bound;
    GXTexRegionCallback texRegion = nullptr;
    GXTlutRegionCallback tlutRegion = nullptr;
    GXTexRegion defaultTexRegions[GX_MAX_TEXMAP];
    GXTlutRegion defaultTlutRegions[kNumTlutNames];
};

TexMemory s_mem;

void InitDefaults();

// The memory with its default regions installed.
TexMemory& Mem() {
    if (s_mem.texRegion == nullptr)
        InitDefaults();
    return s_mem;
}

GXTexRegion* DefaultTexRegion(const GXTexObj*, GXTexMapID map) {
    return &s_mem.defaultTexRegions[map % GX_MAX_TEXMAP];
}

GXTlutRegion* DefaultTlutRegion(u32 name) {
    return name < kNumTlutNames ? &s_mem.defaultTlutRegions[name] : nullptr;
}

void InitDefaults() {
    for (u32 i = 0; i < GX_MAX_TEXMAP; ++i)
        GXInitTexCacheRegion(&s_mem.defaultTexRegions[i], GX_FALSE, i * 0x8000, GX_TEXCACHE_32K,
                             0x80000 + i * 0x8000, GX_TEXCACHE_32K);
    for (u32 i = 0; i < kNumTlutNames; ++i)
        GXInitTlutRegion(&s_mem.defaultTlutRegions[i],
                         i < 16 ? 0xC0000 + i * 0x2000 : 0xE0000 + (i - 16) * 0x8000,
                         i < 16 ? GX_TLUT_256 : GX_TLUT_1K);
    s_mem.texRegion = DefaultTexRegion;
    s_mem.tlutRegion = DefaultTlutRegion;
}

u64 PaletteHash(const Palette& p) {
    u64 h = 0xCBF29CE484222325ull ^ p.format;
    for (u16 e : p.entries)
        h = (h ^ e) * 0x100000001B3ull;
    return h | 1;  // never 0, which means no palette
}

u32 LevelsOf(const GXTexObj& obj) {
    if (obj.mipmap == 0)
        return 1;
    u32 levels = 1;
    for (u32 size = std::max(obj.width, obj.height); size > 1 && float(levels) <= obj.maxLod; size >>= 1)
        ++levels;
    return levels;
}

// A level decoded a band of tile rows to a piece, on the pixel threads: a
// texture copied each frame is decoded each frame.
struct LevelDecode {
    const u8* src;
    u32 format, width, height;
    TexPalette palette;
    Rgba8* out;
    u32 rows;        // to a piece, whole tiles
    u32 pieceBytes;  // of source to a piece
};

constexpr u32 kDecodeRows = 32;

void DecodeRows(void* context, u32 piece) {
    const LevelDecode& d = *static_cast<const LevelDecode*>(context);
    const u32 top = piece * d.rows;
    DecodeTexLevel(d.src + std::size_t(piece) * d.pieceBytes, d.format, d.width,
                   std::min(d.rows, d.height - top), d.palette, d.out + std::size_t(top) * d.width);
}

void DecodeLevel(const u8* src, u32 format, u32 width, u32 height, const TexPalette& palette, Rgba8* out) {
    const TexTile tile = TexFormatTile(format);
    const u32 rows = std::max(kDecodeRows / tile.height, 1u) * tile.height;
    LevelDecode decode{src, format, width, height, palette, out, rows, TexLevelBytes(format, width, rows)};
    PixelWorkers().Run((height + rows - 1) / rows, DecodeRows, &decode);
}

std::shared_ptr<const DecodedTexture> Decode(const GXTexObj& obj, u32 levels, const Palette* palette) {
    auto tex = std::make_shared<DecodedTexture>();
    const TexPalette pal = palette != nullptr ? TexPalette{palette->entries.data(),
                                                           u32(palette->entries.size()), palette->format}
                                              : TexPalette{};
    const u8* src = static_cast<const u8*>(obj.image);
    u32 w = obj.width, h = obj.height;
    for (u32 i = 0; i < levels; ++i) {
        TexLevel level{w, h, NewTexels(std::size_t(w) * h)};
        DecodeLevel(src, obj.format, w, h, pal, level.texels.get());
        src += TexLevelBytes(obj.format, w, h);
        tex->levels.push_back(std::move(level));
        w = std::max(w >> 1, 1u);
        h = std::max(h >> 1, 1u);
    }
    return tex;
}

// The texels a copy to texture made of the whole of a one-level texture, as
// decoding its memory would give them once the copy is done; else the memory
// decoded, once no copy is still writing it.
std::shared_ptr<const DecodedTexture> DecodeOrCopied(const GXTexObj& obj, u32 levels,
                                                     const Palette* palette) {
    if (levels == 1 && obj.format == GX_TF_RGBA8)
        if (auto copied = CopiedTexture(obj.image, obj.width, obj.height))
            return copied;
    FinishCopiesInto(obj.image,
                     GXGetTexBufferSize(obj.width, obj.height, obj.format, levels > 1, u8(levels)));
    return Decode(obj, levels, palette);
}

// The decoded texture an object names, from the cache or decoded now; null for
// an object that names no readable texture.
CacheEntry Acquire(const GXTexObj& obj, u32 region) {
    if (obj.image == nullptr || obj.width == 0 || obj.height == 0 || obj.width > kMaxTexSize ||
        obj.height > kMaxTexSize || TexFormatTile(obj.format).bytes == 0)
        return {};
    const Palette* palette = nullptr;
    if (TexFormatIndexed(obj.format)) {
        const GXTlutRegion* r = Mem().tlutRegion(obj.tlutName);
        const auto it = r != nullptr ? s_mem.palettes.find(r->tmemAddr) : s_mem.palettes.end();
        if (it != s_mem.palettes.end())
            palette = &it->second;
    }
    const CacheKey key{obj.image,  obj.format,    obj.width,
                       obj.height, LevelsOf(obj), palette != nullptr ? PaletteHash(*palette) : 0};
    if (const auto it = s_mem.cache.find(key); it != s_mem.cache.end()) {
        it->second.region = region;
        return it->second;
    }
    auto texture = DecodeOrCopied(obj, key.levels, palette);
    std::size_t bytes = 0;
    for (const TexLevel& level : texture->levels)
        bytes += std::size_t(level.width) * level.height * sizeof(Rgba8);
    if (s_mem.cachedBytes + bytes > kCacheBytes) {
        s_mem.cache.clear();
        s_mem.cachedBytes = 0;
    }
    s_mem.cachedBytes += bytes;
    const CacheEntry entry{texture, std::make_shared<TexFootprints>(), region, bytes};
    s_mem.cache.emplace(key, entry);
    return entry;
}

void Refresh(TexMap& map) {
    HostMemoryScope hostMemory;
    const CacheEntry entry = Acquire(map.obj, map.region);
    map.binding.texture = entry.texture;
    map.binding.footprints = entry.footprints;
    map.stale = false;
}

void Publish() {
    HostMemoryScope hostMemory;
    s_mem.bound = std::make_shared<TexBindings>();
    for (u32 i = 0; i < GX_MAX_TEXMAP; ++i)
        s_mem.bound->maps[i] = s_mem.maps[i].binding;
    RasterStateCurrent().samplerContext = s_mem.bound.get();
}

// The maps a draw reads, those of `used` read again if an invalidation dropped them.
std::shared_ptr<const void> CaptureMaps(void*, u32 used) {
    bool refreshed = false;
    for (u32 i = 0; i < GX_MAX_TEXMAP; ++i) {
        if ((used >> i & 1) != 0 && s_mem.maps[i].stale) {
            Refresh(s_mem.maps[i]);
            refreshed = true;
        }
    }
    if (refreshed)
        Publish();
    return s_mem.bound;
}

// What a map of a captured record reads; null reads opaque white.
const TexBinding* BindingOf(void* context, u32 index) {
    if (index >= GX_MAX_TEXMAP)
        return nullptr;
    const TexBinding& binding = static_cast<const TexBindings*>(context)->maps[index];
    return binding.texture != nullptr ? &binding : nullptr;
}

Rgba8 SampleMap(void* context, u32 index, const TexCoordSample& coord) {
    const TexBinding* binding = BindingOf(context, index);
    return binding != nullptr ? SampleTexture(*binding->texture, binding->sampling, coord)
                              : Rgba8{255, 255, 255, 255};
}

bool Copied(const DecodedTexture& texture) {
    return texture.bandsToCopy.load(std::memory_order_acquire) == 0;
}

bool MapsReady(const void* context, u32 maps) {
    const TexBindings& bindings = *static_cast<const TexBindings*>(context);
    for (u32 i = 0; i < GX_MAX_TEXMAP; ++i)
        if ((maps >> i & 1) != 0 && bindings.maps[i].texture != nullptr && !Copied(*bindings.maps[i].texture))
            return false;
    return true;
}

// On the program's thread, when a draw is queued: the footprints are made there,
// of texels a copy has finished.
bool ViewMap(void* context, u32 index, TexLevelView* view) {
    const TexBinding* binding = BindingOf(context, index);
    if (binding == nullptr || !ViewTexture(*binding->texture, binding->sampling, view))
        return false;
    if (view->linear && view->wrapS < 3 && view->wrapT < 3 && Copied(*binding->texture)) {
        TexFootprints& footprints = *binding->footprints;
        std::vector<TexelQuad>& quads = footprints.quads[view->wrapS][view->wrapT];
        u8& draws = footprints.draws[view->wrapS][view->wrapT];
        const TexLevel& level = binding->texture->levels[0];
        const bool small = PixelThreads() == 1 && level.width * level.height <= kSmallTexels;
        if (draws < kDrawsWithoutFootprints && !small) {
            ++draws;
            return true;
        }
        if (quads.empty()) {
            HostMemoryScope hostMemory;
            quads = MakeTexelQuads(level, view->wrapS, view->wrapT);
            footprints.bytes += quads.size() * sizeof(TexelQuad);
            s_mem.cachedBytes += quads.size() * sizeof(TexelQuad);
        }
        view->quads = quads.data();
    }
    return true;
}

// Drops the cached textures loaded through a region, or every one.
void Invalidate(u32 region, bool all) {
    for (auto it = s_mem.cache.begin(); it != s_mem.cache.end();) {
        if (all || it->second.region == region) {
            s_mem.cachedBytes -= it->second.bytes + it->second.footprints->bytes;
            it = s_mem.cache.erase(it);
        } else {
            ++it;
        }
    }
    bool dropped = false;
    for (TexMap& map : s_mem.maps) {
        if (map.binding.texture != nullptr && (all || map.region == region)) {
            map.stale = true;
            dropped = true;
        }
    }
    // A new record: the next draw captures the maps again.
    if (dropped)
        Publish();
}

}  // namespace

void TexturesReset() {
    s_mem.cache.clear();
    s_mem.cachedBytes = 0;
    s_mem.palettes.clear();
    for (TexMap& map : s_mem.maps)
        map = TexMap{};
    s_mem.bound = nullptr;
    InitDefaults();
    RasterState& raster = RasterStateCurrent();
    raster.sampler = nullptr;
    raster.viewer = nullptr;
    raster.capture = nullptr;
    raster.texturesReady = nullptr;
    raster.samplerContext = nullptr;
}

}  // namespace console::gx

using namespace console::gx;

GXTexRegionCallback GXSetTexRegionCallback(GXTexRegionCallback callback) {
    const GXTexRegionCallback old = Mem().texRegion;
    s_mem.texRegion = callback != nullptr ? callback : DefaultTexRegion;
    return old;
}

GXTlutRegionCallback GXSetTlutRegionCallback(GXTlutRegionCallback callback) {
    const GXTlutRegionCallback old = Mem().tlutRegion;
    s_mem.tlutRegion = callback != nullptr ? callback : DefaultTlutRegion;
    return old;
}

void GXLoadTlut(const GXTlutObj* tlut, u32 tlutName) {
    LogCall("GXLoadTlut", "%u", tlutName);
    const GXTlutRegion* region = Mem().tlutRegion(tlutName);
    if (region == nullptr || tlut->data == nullptr)
        return;
    HostMemoryScope hostMemory;
    Palette& palette = s_mem.palettes[region->tmemAddr];
    palette.format = tlut->format;
    const u32 count = std::min<u32>(tlut->numEntries, u32(region->size) * 16);
    palette.entries.resize(count);
    const u8* src = static_cast<const u8*>(tlut->data);
    for (u32 i = 0; i < count; ++i)
        palette.entries[i] = u16(src[2 * i] << 8 | src[2 * i + 1]);
}

void GXLoadTexObj(const GXTexObj* obj, GXTexMapID id) {
    LogCall("GXLoadTexObj", "%u", u32(id));
    if (id >= GX_MAX_TEXMAP)
        return;
    const GXTexRegion* region = Mem().texRegion(obj, id);
    TexMap& map = s_mem.maps[id];
    map.obj = *obj;
    map.region = region != nullptr ? region->tmemEven : kNoRegion;
    const TexSampling sampling{obj->wrapS,  obj->wrapT,  obj->minFilter, obj->magFilter,
                               obj->minLod, obj->maxLod, obj->lodBias};
    const bool wasStale = map.stale;
    const void* const texture = map.binding.texture.get();
    const bool sameSampling = std::memcmp(&map.binding.sampling, &sampling, sizeof sampling) == 0;
    map.binding.sampling = sampling;
    Refresh(map);
    // The same texels read the same way need no new record: most loads load
    // again what the map holds.
    if (wasStale || !sameSampling || map.binding.texture.get() != texture || texture == nullptr)
        Publish();
    RasterState& raster = RasterStateCurrent();
    raster.sampler = SampleMap;
    raster.viewer = ViewMap;
    raster.capture = CaptureMaps;
    raster.texturesReady = MapsReady;
}

void GXInvalidateTexRegion(const GXTexRegion* region) {
    LogCall("GXInvalidateTexRegion");
    Invalidate(region->tmemEven, false);
}

void GXInvalidateTexAll() {
    LogCall("GXInvalidateTexAll");
    Invalidate(kNoRegion, true);
}
