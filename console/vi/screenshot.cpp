// Screenshots: the latched YUYV frame buffer converted to RGB, or saved as PNG.
#include "console/screenshot.h"

#include <algorithm>

#include "console/host/picture.h"
#include "console/host_services.h"
#include "console/vi/vi_control.h"

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
        host::YuyvRowToRgb(buffer + std::size_t(row) * size.stride, size.width,
                           frame->rgb.data() + std::size_t(row) * size.width * 3);
}

bool HostSaveScreenshot(const char* path) {
    HostFrame frame;
    HostCaptureShownFrame(&frame);
    return host::WritePng(frame.rgb.data(), frame.width, frame.height, path);
}
