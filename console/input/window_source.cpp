// The window's remotes: the PC's input devices, with WPAD's button bits.
#include <string>

#include "console/hid.h"
#include "console/host/input_devices.h"
#include "console/host_services.h"
#include "console/input/remote.h"
#include "console/os.h"
#include "console/os/reset_control.h"
#include "console/vi.h"

namespace {

static_assert(host::kRemotes == WPAD_MAX_CONTROLLERS);

constexpr host::RemoteButtons kButtons{
    WPAD_BUTTON_LEFT, WPAD_BUTTON_RIGHT, WPAD_BUTTON_UP, WPAD_BUTTON_DOWN, WPAD_BUTTON_A,
    WPAD_BUTTON_B,    WPAD_BUTTON_1,     WPAD_BUTTON_2,  WPAD_BUTTON_PLUS, WPAD_BUTTON_MINUS,
    WPAD_BUTTON_HOME, WPAD_BUTTON_C,     WPAD_BUTTON_Z,
};

constexpr host::DeskCodes kDeskCodes{
    HID_KEY_BACKSPACE, HID_KEY_TAB,  HID_KEY_ENTER,  HID_KEY_ESCAPE,  HID_KEY_DELETE,   HID_KEY_RIGHT,
    HID_KEY_LEFT,      HID_KEY_HOME, HID_KEY_END,    HID_KEY_UP,      HID_KEY_DOWN,     HID_MOD_SHIFT,
    HID_MOD_CTRL,      HID_MOD_ALT,  HID_MOUSE_LEFT, HID_MOUSE_RIGHT, HID_MOUSE_MIDDLE,
};

class WindowSource : public console::RemoteSource {
public:
    WindowSource() : readAt_(VIGetRetraceCount()) {
        std::string error;
        devices_ = host::OpenInputDevices(kButtons, kDeskCodes, &error);
        if (!error.empty())
            OSReport("%s\n", error.c_str());
    }

    // The devices are read once a read of the remotes, for its newest retrace, the
    // one the pads look at: what they did since the previous read shows there. The
    // retraces before it keep the previous read.
    void Sample(u32 retrace, u32 now, console::Remotes& remotes, console::DeskState& desk) override {
        if (retrace != now)
            return;
        host::DeviceRemotes devices;
        host::DeviceDesk deviceDesk;
        devices_->Sample(devices, deviceDesk, retrace > readAt_ ? retrace - readAt_ : 1);
        // The window's keyboard and mouse are always plugged in.
        desk = {true,
                deviceDesk.pointing,
                {deviceDesk.pos.x, deviceDesk.pos.y},
                deviceDesk.buttons,
                true,
                deviceDesk.key,
                deviceDesk.modifiers};
        readAt_ = retrace;
        HostSetResetButton(devices_->ResetKeyDown());
        for (std::size_t i = 0; i < remotes.size(); ++i) {
            const host::DeviceRemote& device = devices[i];
            console::RemoteState& remote = remotes[i];
            remote = {};
            remote.connected = device.connected;
            remote.nunchuk = device.nunchuk;
            remote.hold = device.hold;
            remote.pointing = device.pointing;
            remote.pos = {device.pos.x, device.pos.y};
            remote.acc = {device.acc.x, device.acc.y, device.acc.z};
            remote.stick = {device.stick.x, device.stick.y};
        }
    }

    void Rumble(s32 chan, bool on) override { devices_->Rumble(std::size_t(chan), on); }

private:
    std::unique_ptr<host::InputDevices> devices_;
    u32 readAt_;  // the retrace of the last read
};

}  // namespace

std::unique_ptr<console::RemoteSource> console::MakeWindowSource() {
    HostMemoryScope scope;
    return std::make_unique<WindowSource>();
}
