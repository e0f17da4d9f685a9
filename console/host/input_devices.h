// The PC's input devices as remotes: keyboard, mouse and SDL2 game controllers
// (the mapping is in docs/input.md). Remote 0 is the keyboard and mouse, together
// with the first game controller; controllers 2 to 4 are remotes 1 to 3.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace host {

struct Vec2f {
    float x, y;
};
struct Vec3f {
    float x, y, z;
};

// The bits a remote's buttons set in DeviceRemote::hold.
struct RemoteButtons {
    std::uint32_t left, right, up, down, a, b, one, two, plus, minus, home, c, z;
};

// What the devices say one remote does.
struct DeviceRemote {
    bool connected = false;
    bool nunchuk = false;
    std::uint32_t hold = 0;
    bool pointing = false;        // the pointer is on the screen
    Vec2f pos{};                  // -1..1 across the window
    Vec3f acc{0.0f, 1.0f, 0.0f};  // in g
    Vec2f stick{};
};

// The codes and bits the keyboard and mouse report in DeviceDesk.
struct DeskCodes {
    std::uint8_t backspace, tab, enter, escape, del, right, left, home, end, up, down;
    std::uint32_t shift, ctrl, alt;
    std::uint32_t mouseLeft, mouseRight, mouseMiddle;
};

// What the keyboard and mouse themselves do (beside standing for remote 0).
struct DeviceDesk {
    bool pointing = false;  // the mouse is over the window
    Vec2f pos{};            // -1..1 across the window
    std::uint32_t buttons = 0;
    std::uint8_t key = 0;  // the key pressed last and still held: a DeskCodes code or printable ASCII
    std::uint32_t modifiers = 0;
};

constexpr std::size_t kRemotes = 4;
using DeviceRemotes = std::array<DeviceRemote, kRemotes>;

class InputDevices {
public:
    virtual ~InputDevices() = default;
    // Reads the devices (the window's event pump keeps SDL's state current), as
    // they are `retraces` after the previous read. A key or mouse button pressed
    // since that read is held in this one even when it was let go again, and only
    // in this one: a quick tap is read once.
    virtual void Sample(DeviceRemotes& remotes, DeviceDesk& desk, std::uint32_t retraces) = 0;
    virtual void Rumble(std::size_t remote, bool on) = 0;
    // The key that stands for the console's reset button was held at the last read.
    virtual bool ResetKeyDown() = 0;
};

// Opens the devices. When the game controllers cannot be started the keyboard and
// mouse still work, and `error` says why.
std::unique_ptr<InputDevices> OpenInputDevices(const RemoteButtons& buttons, const DeskCodes& codes,
                                               std::string* error);

}  // namespace host
