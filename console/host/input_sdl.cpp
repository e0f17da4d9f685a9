// The window's remotes. Remote 0 is the keyboard and mouse, together with the
// first game controller; controllers 2 to 4 are remotes 1 to 3. Devices are
// polled at each retrace; the window's event pump keeps SDL's state current.
#include "console/host/input_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "console/host/host.h"
#include "console/os.h"

namespace {

constexpr f32 kRollStep = 1.5f * 3.14159265f / 180.0f;  // radians per retrace: 90 degrees a second
constexpr f32 kRollLimit = 3.14159265f / 2.0f;
constexpr f32 kSwingGPerPixel = 0.1f;  // a mouse stroke's acceleration per pixel per retrace
constexpr f32 kPointerStep = 0.03f;    // a full right stick moves the pointer this far per retrace
constexpr f32 kTriggerDown = 0.5f;

struct KeyButton {
    SDL_Scancode key;
    u32 mask;
};

constexpr KeyButton kKeys[] = {
    {SDL_SCANCODE_LEFT, WPAD_BUTTON_LEFT},
    {SDL_SCANCODE_RIGHT, WPAD_BUTTON_RIGHT},
    {SDL_SCANCODE_UP, WPAD_BUTTON_UP},
    {SDL_SCANCODE_DOWN, WPAD_BUTTON_DOWN},
    {SDL_SCANCODE_RETURN, WPAD_BUTTON_A},
    {SDL_SCANCODE_SPACE, WPAD_BUTTON_A},
    {SDL_SCANCODE_B, WPAD_BUTTON_B},
    {SDL_SCANCODE_1, WPAD_BUTTON_1},
    {SDL_SCANCODE_2, WPAD_BUTTON_2},
    {SDL_SCANCODE_EQUALS, WPAD_BUTTON_PLUS},
    {SDL_SCANCODE_KP_PLUS, WPAD_BUTTON_PLUS},
    {SDL_SCANCODE_MINUS, WPAD_BUTTON_MINUS},
    {SDL_SCANCODE_KP_MINUS, WPAD_BUTTON_MINUS},
    {SDL_SCANCODE_H, WPAD_BUTTON_HOME},
    {SDL_SCANCODE_HOME, WPAD_BUTTON_HOME},
    {SDL_SCANCODE_C, WPAD_BUTTON_C},
    {SDL_SCANCODE_Z, WPAD_BUTTON_Z},
};

struct PadButton {
    SDL_GameControllerButton button;
    u32 mask;
};

constexpr PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, WPAD_BUTTON_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, WPAD_BUTTON_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, WPAD_BUTTON_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, WPAD_BUTTON_DOWN},
    {SDL_CONTROLLER_BUTTON_A, WPAD_BUTTON_A},
    {SDL_CONTROLLER_BUTTON_B, WPAD_BUTTON_B},
    {SDL_CONTROLLER_BUTTON_X, WPAD_BUTTON_1},
    {SDL_CONTROLLER_BUTTON_Y, WPAD_BUTTON_2},
    {SDL_CONTROLLER_BUTTON_START, WPAD_BUTTON_PLUS},
    {SDL_CONTROLLER_BUTTON_BACK, WPAD_BUTTON_MINUS},
    {SDL_CONTROLLER_BUTTON_GUIDE, WPAD_BUTTON_HOME},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, WPAD_BUTTON_C},
};

f32 Axis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    return std::max(f32(SDL_GameControllerGetAxis(pad, axis)) / 32767.0f, -1.0f);
}

// The acceleration of a remote at rest, rolled about its pointing axis.
Vec Rolled(f32 roll) {
    return {std::sin(roll), std::cos(roll), 0.0f};
}

struct Controller {
    SDL_GameController* pad = nullptr;
    bool motion = false;
    Vec2 pointer{};
};

class WindowSource : public console::RemoteSource {
public:
    WindowSource() {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_SENSOR) != 0)
            OSReport("SDL game controllers: %s\n", SDL_GetError());
        else
            controllersUp_ = true;
    }

    ~WindowSource() override {
        for (Controller& controller : controllers_) {
            if (controller.pad != nullptr)
                SDL_GameControllerClose(controller.pad);
        }
        if (controllersUp_)
            SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_SENSOR);
    }

    void Sample(u32, console::Remotes& remotes) override {
        UpdateControllers();
        remotes = {};
        KeyboardAndMouse(remotes[0]);
        for (size_t i = 0; i < controllers_.size(); ++i) {
            if (controllers_[i].pad != nullptr)
                FromController(controllers_[i], remotes[i]);
        }
    }

    void Rumble(s32 chan, bool on) override {
        SDL_GameController* pad = controllers_[chan].pad;
        if (pad != nullptr)
            SDL_GameControllerRumble(pad, on ? 0xFFFF : 0, on ? 0xFFFF : 0, on ? 60000 : 0);
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

    void KeyboardAndMouse(console::RemoteState& remote) {
        remote.connected = true;
        remote.nunchuk = true;
        const Uint8* keys = SDL_GetKeyboardState(nullptr);
        for (const KeyButton& key : kKeys) {
            if (keys[key.key])
                remote.hold |= key.mask;
        }
        remote.stick = {f32(keys[SDL_SCANCODE_D]) - f32(keys[SDL_SCANCODE_A]),
                        f32(keys[SDL_SCANCODE_W]) - f32(keys[SDL_SCANCODE_S])};
        if (keys[SDL_SCANCODE_R])
            roll_ = 0.0f;
        roll_ = std::clamp(roll_ + kRollStep * (f32(keys[SDL_SCANCODE_E]) - f32(keys[SDL_SCANCODE_Q])),
                           -kRollLimit, kRollLimit);
        remote.acc = Rolled(roll_);

        int x = 0;
        int y = 0;
        const Uint32 buttons = SDL_GetMouseState(&x, &y);
        if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT))
            remote.hold |= WPAD_BUTTON_A;
        if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT))
            remote.hold |= WPAD_BUTTON_B;
        int width = 0;
        int height = 0;
        SDL_Window* window = SDL_GetMouseFocus();
        if (window != nullptr)
            SDL_GetWindowSize(window, &width, &height);
        remote.pointing = width > 0 && height > 0;
        if (remote.pointing)
            remote.pos = {2.0f * f32(x) / f32(width) - 1.0f, 2.0f * f32(y) / f32(height) - 1.0f};
        // A stroke with B held is a swing: forward is up the screen.
        if (hadMouse_ && (remote.hold & WPAD_BUTTON_B)) {
            remote.acc.x += kSwingGPerPixel * f32(x - mouseX_);
            remote.acc.z += kSwingGPerPixel * f32(mouseY_ - y);
        }
        hadMouse_ = true;
        mouseX_ = x;
        mouseY_ = y;
    }

    // A controller's buttons add to the remote's; its stick, pointer and motion
    // sensor take over where it has them.
    static void FromController(Controller& controller, console::RemoteState& remote) {
        SDL_GameController* pad = controller.pad;
        remote.connected = true;
        remote.nunchuk = true;
        for (const PadButton& button : kPadButtons) {
            if (SDL_GameControllerGetButton(pad, button.button))
                remote.hold |= button.mask;
        }
        if (Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kTriggerDown)
            remote.hold |= WPAD_BUTTON_Z;
        if (Axis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerDown)
            remote.hold |= WPAD_BUTTON_B;
        const Vec2 stick{Axis(pad, SDL_CONTROLLER_AXIS_LEFTX), -Axis(pad, SDL_CONTROLLER_AXIS_LEFTY)};
        if (stick.x != 0.0f || stick.y != 0.0f)
            remote.stick = stick;
        const Vec2 move{Axis(pad, SDL_CONTROLLER_AXIS_RIGHTX), Axis(pad, SDL_CONTROLLER_AXIS_RIGHTY)};
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

    std::array<Controller, WPAD_MAX_CONTROLLERS> controllers_{};
    bool controllersUp_ = false;
    f32 roll_ = 0.0f;
    bool hadMouse_ = false;
    int mouseX_ = 0;
    int mouseY_ = 0;
};

}  // namespace

std::unique_ptr<console::RemoteSource> console::MakeWindowSource() {
    HostMemoryScope scope;
    return std::make_unique<WindowSource>();
}
