// VI: retraces at 60 per second of the console clock, delivered at poll points;
// the frame buffer, the black switch and the frame size take effect together at
// the first retrace after VIFlush.
#include "console/vi.h"

#include <cstring>
#include <vector>

#include "console/gx.h"
#include "console/host_services.h"
#include "console/os/arena.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/system.h"
#include "console/vi/vi_control.h"

namespace {

// The largest external frame buffer the video interface scans out.
constexpr u32 kMaxWidth = 720;
constexpr u32 kMaxHeight = 576;

struct VIFrame {
    const u8* buffer = nullptr;
    u32 width = 640;
    u32 height = 480;
    bool black = true;  // the display starts black
};

struct VIState {
    u32 retraceCount = 0;
    VIRetraceCallback postRetraceCallback = nullptr;
    VIFrame set;      // VISetNextFrameBuffer, VISetBlack, VIConfigure
    VIFrame flushed;  // latched by VIFlush
    VIFrame shown;    // taken at the retrace
    bool dimming = false;
    bool keepShown = false;
};

VIState s_vi;
// The shown frame copied at each retrace while kept: in host memory, so that it
// outlives the program's own frame buffers.
std::vector<u8> s_keptFrame;

// Rows are whole 16-pixel blocks of two bytes per pixel.
u32 Stride(u32 width) {
    return (width + 15) / 16 * 16 * 2;
}

void KeepShownFrame() {
    if (s_vi.shown.buffer == nullptr)
        return;
    HostMemoryScope memory;
    const std::size_t bytes = std::size_t(Stride(s_vi.shown.width)) * s_vi.shown.height;
    s_keptFrame.resize(bytes);
    std::memcpy(s_keptFrame.data(), s_vi.shown.buffer, bytes);
    s_vi.shown.buffer = s_keptFrame.data();
}

void OnRetrace() {
    s_vi.shown = s_vi.flushed;
    if (s_vi.keepShown)
        KeepShownFrame();
    ++s_vi.retraceCount;
    if (s_vi.postRetraceCallback != nullptr)
        s_vi.postRetraceCallback(s_vi.retraceCount);
}

}  // namespace

void console::VIReset() {
    s_vi = VIState{};
    HostMemoryScope memory;
    std::vector<u8>().swap(s_keptFrame);
}

void HostVIKeepShownFrames() {
    s_vi.keepShown = true;
}

bool HostVIIsBlack() {
    return s_vi.shown.black;
}

const void* HostVIShownFrameBuffer() {
    return s_vi.shown.buffer;
}

HostVIFrameSize HostVIShownFrameSize() {
    return {s_vi.shown.width, s_vi.shown.height, Stride(s_vi.shown.width)};
}

void VIInit() {
    console::Poll();
    if (!console::PollRetracesStarted())
        console::PollStartRetraces(OnRetrace);
}

void VIWaitForRetrace() {
    console::PollScope scope;
    if (console::PollDelivering())
        OSPanic(__FILE_NAME__, __LINE__, "VIWaitForRetrace(): called from a callback\n");
    if (!console::PollRetracesStarted())
        OSPanic(__FILE_NAME__, __LINE__, "VIWaitForRetrace(): VIInit has not been called\n");
    console::Poll();
    const OSTime now = console::ClockNow();
    const OSTime sincePrevious =
        ((now % console::kRetracePeriod) + console::kRetracePeriod) % console::kRetracePeriod;
    console::PollWaitUntil(now - sincePrevious + console::kRetracePeriod);
    console::WindowPresent();
    console::QuitDeliver();
}

VIRetraceCallback VISetPostRetraceCallback(VIRetraceCallback callback) {
    console::Poll();
    const VIRetraceCallback previous = s_vi.postRetraceCallback;
    s_vi.postRetraceCallback = callback;
    return previous;
}

u32 VIGetRetraceCount() {
    console::Poll();
    return s_vi.retraceCount;
}

void VISetNextFrameBuffer(void* xfb) {
    console::Poll();
    s_vi.set.buffer = static_cast<const u8*>(xfb);
}

void VISetBlack(BOOL black) {
    console::Poll();
    s_vi.set.black = black != FALSE;
}

void VIConfigure(const GXRenderModeObj* renderMode) {
    console::Poll();
    if (renderMode == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "VIConfigure(): no render mode\n");
    const u32 width = renderMode->fbWidth;
    const u32 height = renderMode->xfbHeight;
    if (width == 0 || width > kMaxWidth || height == 0 || height > kMaxHeight)
        OSPanic(__FILE_NAME__, __LINE__, "VIConfigure(): a %ux%u frame buffer cannot be shown\n", width,
                height);
    s_vi.set.width = width;
    s_vi.set.height = height;
}

void VIFlush() {
    console::Poll();
    const VIFrame& next = s_vi.set;
    // The display will read the whole frame from the buffer: it must lie in memory.
    if (next.buffer != nullptr &&
        !console::ArenaContains(next.buffer, next.buffer + Stride(next.width) * next.height))
        OSPanic(__FILE_NAME__, __LINE__, "VIFlush(): the %ux%u frame buffer %p is not inside MEM1 or MEM2\n",
                next.width, next.height, static_cast<const void*>(next.buffer));
    s_vi.flushed = next;
}

u32 VIGetTvFormat() {
    console::Poll();
    return HostGetConfig().tvFormat;
}

u32 VIGetNextField() {
    console::Poll();
    // Interlaced fields alternate; the first retrace shows the upper one.
    return (s_vi.retraceCount & 1) == 0 ? VI_FIELD_ABOVE : VI_FIELD_BELOW;
}

u32 VIGetDTVStatus() {
    console::Poll();
    return HostGetConfig().progressiveMode != 0 ? 1 : 0;
}

BOOL VIEnableDimming(BOOL enable) {
    console::Poll();
    const BOOL previous = s_vi.dimming ? TRUE : FALSE;
    s_vi.dimming = enable != FALSE;
    return previous;
}
