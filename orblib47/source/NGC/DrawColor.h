// Conversions between packed 0xRRGGBBAA colours, 0..1 float colours and GX
// colours.
#pragma once

#include "console/gx.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// A 0..1 component as a byte, truncated; values outside 0..1 are clamped, since a
// float beyond a byte's range has no defined conversion.
inline u8 ColorByteOf(f32 component) {
    if (!(component > 0.0f))
        return 0;
    if (component >= 1.0f)
        return 255;
    return u8(component * 255.0f);
}

inline u32 PackColorV(const s_Vector4& c) {
    return (u32(ColorByteOf(c.x)) << 24) | (u32(ColorByteOf(c.y)) << 16) | (u32(ColorByteOf(c.z)) << 8) |
           u32(ColorByteOf(c.w));
}

inline s_Vector4 UnpackColorV(u32 rgba) {
    return {f32(rgba >> 24) / 255.0f, f32((rgba >> 16) & 0xFF) / 255.0f, f32((rgba >> 8) & 0xFF) / 255.0f,
            f32(rgba & 0xFF) / 255.0f};
}

inline GXColor GXColorOf(u32 rgba) {
    return {u8(rgba >> 24), u8(rgba >> 16), u8(rgba >> 8), u8(rgba)};
}

inline GXColor GXColorOfV(const s_Vector4& c) {
    return GXColorOf(PackColorV(c));
}

// Component-wise product of two float colours.
inline s_Vector4 ColorModulate(const s_Vector4& a, const s_Vector4& b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z, a.w * b.w};
}

constexpr GXColor DrawGXWhite = {255, 255, 255, 255};
constexpr GXColor DrawGXBlack = {0, 0, 0, 0};
