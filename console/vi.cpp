// VI: retraces at 60 per second of the console clock, delivered at poll points;
// the black switch takes effect at the first retrace after VIFlush.
#include "console/vi.h"

#include "console/clock.h"
#include "console/host/host.h"
#include "console/host/window.h"
#include "console/poll.h"
#include "console/reset.h"

namespace {

struct VIState {
    u32 retraceCount = 0;
    VIRetraceCallback postRetraceCallback = nullptr;
    bool blackSet = true;      // VISetBlack
    bool blackFlushed = true;  // latched by VIFlush
    bool blackShown = true;    // taken at the retrace; the display starts black
};

VIState s_vi;

void OnRetrace() {
    s_vi.blackShown = s_vi.blackFlushed;
    ++s_vi.retraceCount;
    if (s_vi.postRetraceCallback != nullptr)
        s_vi.postRetraceCallback(s_vi.retraceCount);
}

}  // namespace

void console::VIReset() {
    s_vi = VIState{};
}

bool HostVIIsBlack() {
    return s_vi.blackShown;
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

void VISetBlack(BOOL black) {
    console::Poll();
    s_vi.blackSet = black != FALSE;
}

void VIFlush() {
    console::Poll();
    s_vi.blackFlushed = s_vi.blackSet;
}
