// The texture module's share of texture memory: cache regions handed out in turn
// to the textures the hardware loads, palette regions, and the pools.
#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Texture.h"

s_stdrec* TextureRecords = nullptr;
s_stdrec* TextureMapRecords = nullptr;

namespace {

constexpr u32 kTexRegions = 8;
constexpr u32 kTexRegionsCI = 4;
constexpr u32 kTlutRegions = 32;
constexpr u32 kKB = 1024;

struct s_tlut_region {
    GXTlutRegion region;
    s32 refCount;  // nothing raises it on this platform
};

GXTexRegion TexRegions[kTexRegions];
GXTexRegion TexRegionsCI[kTexRegionsCI];
s_tlut_region TlutRegions[kTlutRegions];
u32 nextTexRegion = 0;
u32 nextTexRegionCI = 0;

bool ColourIndexed(u32 format) {
    return format == GX_TF_C4 || format == GX_TF_C8 || format == GX_TF_C14X2;
}

// A texture keeps the region it was first given, so that a copy into it can drop
// what the cache holds of it.
GXTexRegion* TexRegionCallback(const GXTexObj* obj, GXTexMapID) {
    if (void* region = GXGetTexObjUserData(obj))
        return static_cast<GXTexRegion*>(region);
    GXTexRegion* region = ColourIndexed(GXGetTexObjFmt(obj))
                              ? &TexRegionsCI[nextTexRegionCI++ % kTexRegionsCI]
                              : &TexRegions[nextTexRegion++ % kTexRegions];
    // The objects the engine loads are its own texture records, never const.
    GXInitTexObjUserData(const_cast<GXTexObj*>(obj), region);
    return region;
}

GXTlutRegion* TlutRegionCallback(u32 tlutName) {
    return tlutName < kTlutRegions ? &TlutRegions[tlutName].region : nullptr;
}

}  // namespace

s32 TextureHardwareWarmReset(u32 count) {
    TextureRecords = RecordCreate(count, sizeof(s_texture));
    HeapAddrAddComment(TextureRecords, "TextureWarmReset:TextureRecords");
    TextureMapRecords = RecordCreate(count, sizeof(s_texture_map));
    HeapAddrAddComment(TextureMapRecords, "TextureWarmReset:TextureMapRecords");
    if (TextureRecords == nullptr || TextureMapRecords == nullptr)
        return 0;
    TextureHardwareInitTLUTs(1);
    TextureCreateFrameBufferTexture();
    TextureRenderStartup(TEXTURE_RENDER_MAX_SIZE, TEXTURE_RENDER_MAX_SIZE, 32);
    return 1;
}

void TextureHardwareInitTLUTs(s32 clear) {
    for (u32 i = 0; i < kTexRegions; ++i)
        GXInitTexCacheRegion(&TexRegions[i], GX_TRUE, i * 32 * kKB, GX_TEXCACHE_32K, 512 * kKB + i * 32 * kKB,
                             GX_TEXCACHE_32K);
    for (u32 i = 0; i < kTexRegionsCI; ++i) {
        const u32 even = 256 * kKB + i * 64 * kKB;
        GXInitTexCacheRegion(&TexRegionsCI[i], GX_TRUE, even, GX_TEXCACHE_32K, even + 32 * kKB,
                             GX_TEXCACHE_32K);
    }
    for (u32 i = 0; i < kTlutRegions; ++i) {
        GXInitTlutRegion(&TlutRegions[i].region, 768 * kKB + i * 8 * kKB, GX_TLUT_256);
        if (clear != 0)
            TlutRegions[i].refCount = 0;
    }
    GXSetTexRegionCallback(TexRegionCallback);
    GXSetTlutRegionCallback(TlutRegionCallback);
    TextureReallocTLUTs();
}

void TextureReallocTLUTs() {
    for (const s_tlut_region& tlut : TlutRegions)
        ORB_ASSERT(tlut.refCount == 0, "TextureReallocTLUTs: palette region still in use\n");
}
