// An input script installed for the remotes and played for a few seconds of
// retraces, every remote and the USB keyboard and mouse read at each.
#include <string>

#include "console/hid.h"
#include "console/input/input_control.h"
#include "console/kpad.h"
#include "console/vi.h"
#include "fuzz/fuzz_world.h"

namespace {

constexpr int kFrames = 120;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzz::Input input;
    std::string error;
    if (HostInputSetScript(text, &error)) {
        KPADStatus samples[16];
        for (int frame = 0; frame < kFrames; ++frame) {
            VIWaitForRetrace();
            for (s32 chan = 0; chan < WPAD_MAX_CONTROLLERS; ++chan)
                KPADRead(chan, samples, 16);
            HIDMouseStatus mouse;
            HIDKeyboardStatus keys;
            HIDReadMouse(&mouse);
            HIDReadKeyboard(&keys);
        }
    }
    HostInputSetScript("", &error);
    return 0;
}
