#include "console/host/picture.h"

#include <png.h>

namespace {

std::uint8_t ClampByte(int v) {
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace

void host::YuyvRowToRgb(const std::uint8_t* yuyv, std::uint32_t width, std::uint8_t* rgb) {
    for (std::uint32_t pair = 0; pair < width / 2; ++pair, yuyv += 4) {
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

bool host::WritePng(const std::uint8_t* rgb, std::uint32_t width, std::uint32_t height, const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path, 0, rgb, 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}
