// The PC's input devices as remotes.
#include "console/host/input_devices.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float kRollStep = 0.5f * 3.14159265f / 180.0f;  // radians per retrace: 30 degrees a second
constexpr float kRollLimit = 3.14159265f / 4.0f;
constexpr float kSwingGPerPixel = 0.1f;  // a mouse stroke's acceleration per pixel per retrace
constexpr float kPointerStep = 0.03f;    // a full right stick moves the pointer this far per retrace
constexpr float kTriggerDown = 0.5f;

using host::DeviceRemote;
using host::Vec2f;
using host::Vec3f;

struct KeyButton {
    SDL_Scancode key;
    std::uint32_t mask;
};

std::vector<KeyButton> KeyTable(const host::RemoteButtons& b) {
    return {
        {SDL_SCANCODE_LEFT, b.left},
        {SDL_SCANCODE_RIGHT, b.right},
        {SDL_SCANCODE_UP, b.up},
        {SDL_SCANCODE_DOWN, b.down},
        {SDL_SCANCODE_RETURN, b.a},
        {SDL_SCANCODE_SPACE, b.a},
        {SDL_SCANCODE_B, b.b},
        {SDL_SCANCODE_1, b.one},
        {SDL_SCANCODE_2, b.two},
        {SDL_SCANCODE_EQUALS, b.plus},
        {SDL_SCANCODE_KP_PLUS, b.plus},
        {SDL_SCANCODE_MINUS, b.minus},
        {SDL_SCANCODE_KP_MINUS, b.minus},
        {SDL_SCANCODE_H, b.home},
        {SDL_SCANCODE_HOME, b.home},
        {SDL_SCANCODE_C, b.c},
        {SDL_SCANCODE_Z, b.z},
    };
}

struct PadButton {
    SDL_GameControllerButton button;
    std::uint32_t mask;
};

std::vector<PadButton> PadTable(const host::RemoteButtons& b) {
    return {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, b.left},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, b.right},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, b.up},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, b.down},
        {SDL_CONTROLLER_BUTTON_A, b.a},
        {SDL_CONTROLLER_BUTTON_B, b.b},
        {SDL_CONTROLLER_BUTTON_X, b.one},
        {SDL_CONTROLLER_BUTTON_Y, b.two},
        {SDL_CONTROLLER_BUTTON_START, b.plus},
        {SDL_CONTROLLER_BUTTON_BACK, b.minus},
        {SDL_CONTROLLER_BUTTON_GUIDE, b.home},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, b.c},
    };
}

float Axis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    return std::max(float(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f, -1.0f);
}

// The acceleration of a remote at rest, rolled about its pointing axis.
Vec3f Rolled(float roll) {
    return {std::sin(roll), std::cos(roll), 0.0f};
}

// The code of a key with the shift state on a US layout, 0 for a key without one.
std::uint8_t KeyCode(SDL_Scancode key, bool shift, const host::DeskCodes& c) {
    const struct {
        SDL_Scancode key;
        std::uint8_t code;
    } named[] = {
        {SDL_SCANCODE_BACKSPACE, c.backspace},
        {SDL_SCANCODE_TAB, c.tab},
        {SDL_SCANCODE_RETURN, c.enter},
        {SDL_SCANCODE_KP_ENTER, c.enter},
        {SDL_SCANCODE_ESCAPE, c.escape},
        {SDL_SCANCODE_DELETE, c.del},
        {SDL_SCANCODE_RIGHT, c.right},
        {SDL_SCANCODE_LEFT, c.left},
        {SDL_SCANCODE_HOME, c.home},
        {SDL_SCANCODE_END, c.end},
        {SDL_SCANCODE_UP, c.up},
        {SDL_SCANCODE_DOWN, c.down},
        {SDL_SCANCODE_SPACE, ' '},
    };
    for (const auto& n : named) {
        if (key == n.key)
            return n.code;
    }
    if (key >= SDL_SCANCODE_A && key <= SDL_SCANCODE_Z)
        return std::uint8_t((shift ? 'A' : 'a') + (key - SDL_SCANCODE_A));
    // The digit row, then the punctuation from - to / in scancode order.
    static constexpr char kPlain[] = "1234567890\0\0\0\0\0-=[]\\\0;'`,./";
    static constexpr char kShifted[] = "!@#$%^&*()\0\0\0\0\0_+{}|\0:\"~<>?";
    static_assert(sizeof(kPlain) == sizeof(kShifted));
    const int at = int(key) - int(SDL_SCANCODE_1);
    if (at < 0 || at >= int(sizeof(kPlain)) - 1)
        return 0;
    return std::uint8_t(shift ? kShifted[at] : kPlain[at]);
}

// Keeps a press that SDL reports between two reads for the next read.
int LatchPress(void* devices, SDL_Event* event);

struct Controller {
    SDL_GameController* pad = nullptr;
    bool motion = false;
    Vec2f pointer{};
};

class Devices : public host::InputDevices {
public:
    Devices(const host::RemoteButtons& buttons, const host::DeskCodes& codes, std::string* error)
        : buttons_(buttons), codes_(codes), keys_(KeyTable(buttons)), padButtons_(PadTable(buttons)) {
        eventsUp_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
        SDL_AddEventWatch(LatchPress, this);
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_SENSOR) != 0)
            *error = std::string("SDL game controllers: ") + SDL_GetError();
        else
            controllersUp_ = true;
    }

    ~Devices() override {
        for (Controller& controller : controllers_) {
            if (controller.pad != nullptr)
                SDL_GameControllerClose(controller.pad);
        }
        if (controllersUp_)
            SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_SENSOR);
        SDL_DelEventWatch(LatchPress, this);
        if (eventsUp_)
            SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }

    void Sample(host::DeviceRemotes& remotes, host::DeviceDesk& desk, std::uint32_t retraces) override {
        UpdateControllers();
        const Uint8* keys = SDL_GetKeyboardState(nullptr);
        for (size_t key = 0; key < down_.size(); ++key)
            down_[key] = keys[key] != 0 || pressedKeys_[key];
        pressedKeys_.fill(false);
        remotes = {};
        desk = {};
        KeyboardAndMouse(remotes[0], desk, float(std::max(retraces, 1u)));
        Keyboard(desk);
        for (size_t i = 0; i < controllers_.size(); ++i) {
            if (controllers_[i].pad != nullptr)
                FromController(controllers_[i], remotes[i]);
        }
    }

    bool ResetKeyDown() override { return down_[SDL_SCANCODE_F5]; }

    void Rumble(std::size_t remote, bool on) override {
        SDL_GameController* pad = controllers_[remote].pad;
        if (pad != nullptr)
            SDL_GameControllerRumble(pad, on ? 0xFFFF : 0, on ? 0xFFFF : 0, on ? 60000 : 0);
    }

    void Latch(const SDL_Event& event) {
        if (event.type == SDL_KEYDOWN && unsigned(event.key.keysym.scancode) < pressedKeys_.size()) {
            pressedKeys_[event.key.keysym.scancode] = true;
            if (event.key.repeat == 0)
                lastKey_ = event.key.keysym.scancode;
        } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button >= 1 && event.button.button <= 32)
            pressedButtons_ |= SDL_BUTTON(event.button.button);
    }

private:
    // Drops controllers that were unplugged; gives new ones the first free remote.
    void UpdateControllers() {
        if (!controllersUp_)
            return;
        for (Controller& controller : controllers_) {
            if (controller.pad != nullptr && !SDL_GameControllerGetAttached(controller.pad)) {
                SDL_GameControllerClose(controller.pad);
                controller = {};
            }
        }
        for (int device = 0; device < SDL_NumJoysticks(); ++device) {
            if (!SDL_IsGameController(device) || IsOpen(SDL_JoystickGetDeviceInstanceID(device)))
                continue;
            auto free = std::find_if(controllers_.begin(), controllers_.end(),
                                     [](const Controller& c) { return c.pad == nullptr; });
            if (free == controllers_.end())
                return;
            free->pad = SDL_GameControllerOpen(device);
            free->motion = free->pad != nullptr && SDL_GameControllerHasSensor(free->pad, SDL_SENSOR_ACCEL) &&
                           SDL_GameControllerSetSensorEnabled(free->pad, SDL_SENSOR_ACCEL, SDL_TRUE) == 0;
        }
    }

    bool IsOpen(SDL_JoystickID id) const {
        return std::any_of(controllers_.begin(), controllers_.end(), [id](const Controller& c) {
            return c.pad != nullptr && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c.pad)) == id;
        });
    }

    float Key(SDL_Scancode key) const { return down_[key] ? 1.0f : 0.0f; }

    void Keyboard(host::DeviceDesk& desk) {
        const SDL_Keymod mods = SDL_GetModState();
        desk.modifiers = ((mods & KMOD_SHIFT) != 0 ? codes_.shift : 0) |
                         ((mods & KMOD_CTRL) != 0 ? codes_.ctrl : 0) |
                         ((mods & KMOD_ALT) != 0 ? codes_.alt : 0);
        if (lastKey_ != SDL_SCANCODE_UNKNOWN && !down_[lastKey_])
            lastKey_ = SDL_SCANCODE_UNKNOWN;
        if (lastKey_ != SDL_SCANCODE_UNKNOWN)
            desk.key = KeyCode(lastKey_, (mods & KMOD_SHIFT) != 0, codes_);
    }

    void KeyboardAndMouse(DeviceRemote& remote, host::DeviceDesk& desk, float retraces) {
        remote.connected = true;
        remote.nunchuk = true;
        for (const KeyButton& key : keys_) {
            if (down_[key.key])
                remote.hold |= key.mask;
        }
        remote.stick = {Key(SDL_SCANCODE_D) - Key(SDL_SCANCODE_A), Key(SDL_SCANCODE_W) - Key(SDL_SCANCODE_S)};
        if (down_[SDL_SCANCODE_R])
            roll_ = 0.0f;
        roll_ = std::clamp(roll_ + kRollStep * retraces * (Key(SDL_SCANCODE_E) - Key(SDL_SCANCODE_Q)),
                           -kRollLimit, kRollLimit);
        remote.acc = Rolled(roll_);

        int x = 0;
        int y = 0;
        const Uint32 buttons = SDL_GetMouseState(&x, &y) | pressedButtons_;
        pressedButtons_ = 0;
        if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT))
            remote.hold |= buttons_.a;
        if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT))
            remote.hold |= buttons_.b;
        desk.buttons = ((buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0 ? codes_.mouseLeft : 0) |
                       ((buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0 ? codes_.mouseRight : 0) |
                       ((buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) != 0 ? codes_.mouseMiddle : 0);
        int width = 0;
        int height = 0;
        SDL_Window* window = SDL_GetMouseFocus();
        if (window != nullptr)
            SDL_GetWindowSize(window, &width, &height);
        remote.pointing = width > 0 && height > 0;
        if (remote.pointing)
            remote.pos = {2.0f * float(x) / float(width) - 1.0f, 2.0f * float(y) / float(height) - 1.0f};
        desk.pointing = remote.pointing;
        desk.pos = remote.pos;
        // A stroke with B held is a swing: forward is up the screen.
        if (hadMouse_ && (remote.hold & buttons_.b)) {
            remote.acc.x += kSwingGPerPixel * float(x - mouseX_) / retraces;
            remote.acc.z += kSwingGPerPixel * float(mouseY_ - y) / retraces;
        }
        hadMouse_ = true;
        mouseX_ = x;
        mouseY_ = y;
    }

    // A controller's buttons add to the remote's; its stick, pointer and motion
    // sensor take over where it has them.
    void FromController(Controller& controller, DeviceRemote& remote) const {
        SDL_GameController* pad = controller.pad;
        remote.connected = true;
        remote.nunchuk = true;
        for (const PadButton& button : padButtons_) {
            if (SDL_GameControllerGetButton(pad, button.button))
                remote.hold |= button.mask;
        }
        if (Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kTriggerDown)
            remote.hold |= buttons_.z;
        if (Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerDown)
            remote.hold |= buttons_.b;
        const Vec2f stick{Axis(pad, SDL_CONTROLLER_AXIS_LEFTX), -Axis(pad, SDL_CONTROLLER_AXIS_LEFTY)};
        if (stick.x != 0.0f || stick.y != 0.0f)
            remote.stick = stick;
        const Vec2f move{Axis(pad, SDL_CONTROLLER_AXIS_RIGHTX), Axis(pad, SDL_CONTROLLER_AXIS_RIGHTY)};
        controller.pointer = {std::clamp(controller.pointer.x + kPointerStep * move.x, -1.0f, 1.0f),
                              std::clamp(controller.pointer.y + kPointerStep * move.y, -1.0f, 1.0f)};
        if (!remote.pointing || move.x != 0.0f || move.y != 0.0f) {
            remote.pointing = true;
            remote.pos = controller.pointer;
        }
        float g[3] = {};
        if (controller.motion && SDL_GameControllerGetSensorData(pad, SDL_SENSOR_ACCEL, g, 3) == 0)
            remote.acc = {g[0] / SDL_STANDARD_GRAVITY, g[1] / SDL_STANDARD_GRAVITY,
                          -g[2] / SDL_STANDARD_GRAVITY};
    }

    host::RemoteButtons buttons_;
    host::DeskCodes codes_;
    std::vector<KeyButton> keys_;
    std::vector<PadButton> padButtons_;
    std::array<Controller, host::kRemotes> controllers_{};
    bool controllersUp_ = false;
    bool eventsUp_ = false;
    std::array<bool, SDL_NUM_SCANCODES> pressedKeys_{};  // since the last read
    Uint32 pressedButtons_ = 0;
    SDL_Scancode lastKey_ = SDL_SCANCODE_UNKNOWN;  // pressed last
    std::array<bool, SDL_NUM_SCANCODES> down_{};   // at the last read
    float roll_ = 0.0f;
    bool hadMouse_ = false;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

int LatchPress(void* devices, SDL_Event* event) {
    static_cast<Devices*>(devices)->Latch(*event);
    return 0;
}

}  // namespace

std::unique_ptr<host::InputDevices> host::OpenInputDevices(const RemoteButtons& buttons,
                                                           const DeskCodes& codes, std::string* error) {
    return std::make_unique<Devices>(buttons, codes, error);
}
