// Screenshots: the latched YUYV frame buffer converted to RGB, written with libpng.
#include "console/host/screenshot.h"

#include <png.h>

#include <algorithm>

#include "console/host/host.h"
#include "console/host/yuyv.h"

void HostCaptureShownFrame(HostFrame* frame) {
    HostMemoryScope memory;
    const HostVIFrameSize size = HostVIShownFrameSize();
    const auto* buffer = static_cast<const u8*>(HostVIShownFrameBuffer());
    frame->width = size.width;
    frame->height = size.height;
    frame->rgb.resize(std::size_t(size.width) * size.height * 3);
    if (buffer == nullptr || HostVIIsBlack()) {
        std::fill(frame->rgb.begin(), frame->rgb.end(), u8(0));
        return;
    }
    for (u32 row = 0; row < size.height; ++row)
        YuyvRowToRgb(buffer + std::size_t(row) * size.stride, size.width,
                     frame->rgb.data() + std::size_t(row) * size.width * 3);
}

bool HostSaveScreenshot(const char* path) {
    HostFrame frame;
    HostCaptureShownFrame(&frame);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = frame.width;
    image.height = frame.height;
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path, 0, frame.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}
