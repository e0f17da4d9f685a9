// YUYV (4:2:2) external frame buffers: two pixels share one U and one V, in the
// byte order Y0 U Y1 V, BT.601 video range (Y 16..235, U and V 16..240).
#pragma once

#include "console/types.h"

// Converts one row of `width` pixels (width even) into RGB, 3 bytes per pixel.
void YuyvRowToRgb(const u8* yuyv, u32 width, u8* rgb);
// Encodes one row of `width` pixels packed as 0x..RRGGBB (width even) as Y0 U Y1 V
// pairs; the two pixels of a pair share the average of their chroma.
void XrgbRowToYuyv(const u32* xrgb, u32 width, u8* yuyv);
