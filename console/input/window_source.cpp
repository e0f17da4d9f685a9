// The window's remotes: the PC's input devices, with WPAD's button bits.
#include <string>

#include "console/host/input_devices.h"
#include "console/host_services.h"
#include "console/input/remote.h"
#include "console/os.h"
#include "console/os/reset_control.h"

namespace {

static_assert(host::kRemotes == WPAD_MAX_CONTROLLERS);

constexpr host::RemoteButtons kButtons{
    WPAD_BUTTON_LEFT, WPAD_BUTTON_RIGHT, WPAD_BUTTON_UP, WPAD_BUTTON_DOWN, WPAD_BUTTON_A,
    WPAD_BUTTON_B,    WPAD_BUTTON_1,     WPAD_BUTTON_2,  WPAD_BUTTON_PLUS, WPAD_BUTTON_MINUS,
    WPAD_BUTTON_HOME, WPAD_BUTTON_C,     WPAD_BUTTON_Z,
};

class WindowSource : public console::RemoteSource {
public:
    WindowSource() {
        std::string error;
        devices_ = host::OpenInputDevices(kButtons, &error);
        if (!error.empty())
            OSReport("%s\n", error.c_str());
    }

    void Sample(u32, console::Remotes& remotes) override {
        host::DeviceRemotes devices;
        devices_->Sample(devices);
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
};

}  // namespace

std::unique_ptr<console::RemoteSource> console::MakeWindowSource() {
    HostMemoryScope scope;
    return std::make_unique<WindowSource>();
}
