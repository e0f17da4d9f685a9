// Texture, palette and region objects: plain records the load calls read.
#include <algorithm>

#include "console/gx.h"
#include "console/gx/gx_texdecode.h"

namespace {

u32 LevelCount(u32 width, u32 height) {
    u32 levels = 1;
    for (u32 size = std::max(width, height); size > 1; size >>= 1)
        ++levels;
    return levels;
}

}  // namespace

void GXInitTexObj(GXTexObj* obj, void* image, u16 width, u16 height, GXTexFmt format, GXTexWrapMode wrapS,
                  GXTexWrapMode wrapT, GXBool mipmap) {
    *obj = GXTexObj{};
    obj->image = image;
    obj->width = width;
    obj->height = height;
    obj->format = format;
    obj->wrapS = wrapS;
    obj->wrapT = wrapT;
    obj->mipmap = mipmap != 0 ? GX_TRUE : GX_FALSE;
    obj->minFilter = mipmap != 0 ? GX_LIN_MIP_LIN : GX_LINEAR;
    obj->magFilter = GX_LINEAR;
    obj->maxLod = mipmap != 0 ? float(LevelCount(width, height) - 1) : 0.0f;
    obj->biasClamp = GX_FALSE;
    obj->edgeLod = GX_FALSE;
    obj->maxAniso = GX_ANISO_1;
}

void GXInitTexObjCI(GXTexObj* obj, void* image, u16 width, u16 height, GXCITexFmt format, GXTexWrapMode wrapS,
                    GXTexWrapMode wrapT, GXBool mipmap, u32 tlutName) {
    GXInitTexObj(obj, image, width, height, GXTexFmt(u32(format)), wrapS, wrapT, mipmap);
    obj->tlutName = tlutName;
}

void GXInitTexObjLOD(GXTexObj* obj, GXTexFilter minFilter, GXTexFilter magFilter, f32 minLod, f32 maxLod,
                     f32 lodBias, GXBool biasClamp, GXBool edgeLod, GXAnisotropy maxAniso) {
    obj->minFilter = minFilter;
    obj->magFilter = magFilter;
    obj->minLod = std::clamp(minLod, 0.0f, 10.0f);
    obj->maxLod = std::clamp(maxLod, 0.0f, 10.0f);
    obj->lodBias = std::clamp(lodBias, -4.0f, 3.99f);
    obj->biasClamp = biasClamp;
    obj->edgeLod = edgeLod;
    obj->maxAniso = maxAniso;
}

void GXInitTexObjWrapMode(GXTexObj* obj, GXTexWrapMode wrapS, GXTexWrapMode wrapT) {
    obj->wrapS = wrapS;
    obj->wrapT = wrapT;
}

void GXInitTexObjFilter(GXTexObj* obj, GXTexFilter minFilter, GXTexFilter magFilter) {
    obj->minFilter = minFilter;
    obj->magFilter = magFilter;
}

void GXInitTexObjTlut(GXTexObj* obj, u32 tlutName) {
    obj->tlutName = tlutName;
}

void GXInitTexObjUserData(GXTexObj* obj, void* userData) {
    obj->userData = userData;
}

void* GXGetTexObjUserData(const GXTexObj* obj) {
    return obj->userData;
}

GXTexFmt GXGetTexObjFmt(const GXTexObj* obj) {
    return GXTexFmt(obj->format);
}

u32 GXGetTexBufferSize(u16 width, u16 height, u32 format, GXBool mipmap, u8 maxLod) {
    if (mipmap == 0)
        return console::gx::TexLevelBytes(format, width, height);
    const u32 levels = std::min<u32>(maxLod, LevelCount(width, height));
    u32 bytes = 0;
    u32 w = width, h = height;
    for (u32 i = 0; i < levels; ++i) {
        bytes += console::gx::TexLevelBytes(format, w, h);
        w = std::max(w >> 1, 1u);
        h = std::max(h >> 1, 1u);
    }
    return bytes;
}

void GXInitTlutObj(GXTlutObj* tlut, void* data, GXTlutFmt format, u16 numEntries) {
    *tlut = GXTlutObj{data, format, numEntries};
}

void GXInitTexCacheRegion(GXTexRegion* region, GXBool is32bMipmap, u32 tmemEven, GXTexCacheSize sizeEven,
                          u32 tmemOdd, GXTexCacheSize sizeOdd) {
    *region = GXTexRegion{tmemEven, tmemOdd, sizeEven, sizeOdd, is32bMipmap};
}

void GXInitTlutRegion(GXTlutRegion* region, u32 tmemAddr, GXTlutSize size) {
    *region = GXTlutRegion{tmemAddr, size};
}
