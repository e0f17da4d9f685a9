#include "console/host/yuyv.h"

namespace {

u8 ClampByte(int v) {
    return u8(v < 0 ? 0 : v > 255 ? 255 : v);
}

int Luma(const u8* rgb) {
    return ((66 * rgb[0] + 129 * rgb[1] + 25 * rgb[2] + 128) >> 8) + 16;
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

void RgbRowToYuyv(const u8* rgb, u32 width, u8* yuyv) {
    for (u32 pair = 0; pair < width / 2; ++pair, rgb += 6, yuyv += 4) {
        const int r = rgb[0] + rgb[3];
        const int g = rgb[1] + rgb[4];
        const int b = rgb[2] + rgb[5];
        yuyv[0] = u8(Luma(rgb));
        yuyv[1] = u8(((-38 * r - 74 * g + 112 * b + 256) >> 9) + 128);
        yuyv[2] = u8(Luma(rgb + 3));
        yuyv[3] = u8(((112 * r - 94 * g - 18 * b + 256) >> 9) + 128);
    }
}
