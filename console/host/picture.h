// Pictures on the PC side: YUYV frame buffers converted to RGB for display, and
// RGB pictures saved as PNG files.
//
// YUYV (4:2:2): two pixels share one U and one V, in the byte order Y0 U Y1 V,
// BT.601 video range (Y 16..235, U and V 16..240).
#pragma once

#include <cstdint>

namespace host {

// Converts one row of `width` pixels (width even) into RGB, 3 bytes per pixel.
void YuyvRowToRgb(const std::uint8_t* yuyv, std::uint32_t width, std::uint8_t* rgb);

// Writes an RGB picture (3 bytes a pixel, rows top to bottom) to a PNG file; false
// when it cannot be written.
bool WritePng(const std::uint8_t* rgb, std::uint32_t width, std::uint32_t height, const char* path);

}  // namespace host
