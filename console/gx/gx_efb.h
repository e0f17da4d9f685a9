// The embedded frame buffer: 640 pixels wide, RGBA8 colour (packed 0xAARRGGBB)
// and 24-bit depth, one word each per pixel.
#pragma once

#include "console/gx/gx_raster_state.h"

namespace console::gx {

constexpr u32 kEfbWidth = 640;
constexpr u32 kEfbHeight = 528;
constexpr u32 kEfbPixels = kEfbWidth * kEfbHeight;
constexpr u32 kMaxDepth = 0xFFFFFF;

struct Efb {
    u32 color[kEfbPixels];
    u32 depth[kEfbPixels];
};

// The buffer with every queued triangle drawn: what anyone but the pixel
// threads reads or writes.
Efb& EfbGet();
// The buffer as the pixel threads draw it, each in rows of its own.
Efb& EfbDrawing();
// Opaque black at the far depth: what the buffer holds at power-on here.
void EfbReset();

// What the buffer keeps of a colour in a pixel format: 6 bits per channel in
// RGBA6, 5-6-5 without alpha in RGB565, and no alpha (reads 255) in RGB8.
inline u32 EfbStoredColor(PixelFormat format, u32 argb) {
    switch (format) {
        case PixelFormat::RGBA6_Z24: {
            const u32 top = argb & 0xFCFCFCFCu;
            return top | ((top >> 6) & 0x03030303u);
        }
        case PixelFormat::RGB565_Z16: {
            const u32 rb = argb & 0x00F800F8u;
            const u32 g = argb & 0x0000FC00u;
            return 0xFF000000u | rb | ((rb >> 5) & 0x00070007u) | g | ((g >> 6) & 0x00000300u);
        }
        default:
            return argb | 0xFF000000u;
    }
}

}  // namespace console::gx

// Reads one pixel of the embedded frame buffer as 0xAARRGGBB; outside it, 0.
void GXPeekARGB(u16 x, u16 y, u32* color);
