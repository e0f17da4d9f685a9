#include "console/host/yuyv.h"

namespace {

u8 ClampByte(int v) {
    return u8(v < 0 ? 0 : v > 255 ? 255 : v);
}

int Luma(int r, int g, int b) {
    return ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
}

}  // namespace

void YuyvRowToRgb(const u8* yuyv, u32 width, u8* rgb) {
    for (u32 pair = 0; pair < width / 2; ++pair, yuyv += 4) {
        const int d = yuyv[1] - 128;
        const int e = yuyv[3] - 128;
        const int luma[2] = {yuyv[0], yuyv[2]};
        for (int y : luma) {
            const int c = 298 * (y - 16) + 128;
            *rgb++ = ClampByte((c + 409 * e) >> 8);
            *rgb++ = ClampByte((c - 100 * d - 208 * e) >> 8);
            *rgb++ = ClampByte((c + 516 * d) >> 8);
        }
    }
}

void XrgbRowToYuyv(const u32* xrgb, u32 width, u8* yuyv) {
    for (u32 pair = 0; pair < width / 2; ++pair, xrgb += 2, yuyv += 4) {
        const int r0 = (xrgb[0] >> 16) & 0xFF, g0 = (xrgb[0] >> 8) & 0xFF, b0 = xrgb[0] & 0xFF;
        const int r1 = (xrgb[1] >> 16) & 0xFF, g1 = (xrgb[1] >> 8) & 0xFF, b1 = xrgb[1] & 0xFF;
        const int r = r0 + r1;
        const int g = g0 + g1;
        const int b = b0 + b1;
        yuyv[0] = u8(Luma(r0, g0, b0));
        yuyv[1] = u8(((-38 * r - 74 * g + 112 * b + 256) >> 9) + 128);
        yuyv[2] = u8(Luma(r1, g1, b1));
        yuyv[3] = u8(((112 * r - 94 * g - 18 * b + 256) >> 9) + 128);
    }
}
