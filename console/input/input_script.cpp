// The input script: a list of frame-stamped changes to the remotes, applied as
// the retraces reach their frames.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <vector>

#include "console/hid.h"
#include "console/host_services.h"
#include "console/input/input_control.h"
#include "console/input/remote.h"
#include "console/os.h"
#include "console/os/reset_control.h"
#include "console/system.h"

namespace {

enum class Command {
    Connect,
    Disconnect,
    Nunchuk,
    Button,
    Pointer,
    PointerOff,
    Acc,
    Stick,
    Swing,
    Probe,
    Error,
    Reset,
    MousePointer,
    MouseOff,
    MouseButton,
    Key,
    Modifier
};

struct Event {
    u32 frame = 0;
    s32 remote = 0;
    Command command = Command::Connect;
    u32 button = 0;
    bool on = false;
    f32 value[3] = {};
    s32 code = 0;
};

struct Swing {
    u32 start = 0;
    u32 frames = 0;
    f32 peak = 0.0f;
};

constexpr struct {
    const char* name;
    u32 mask;
} kButtons[] = {
    {"left", WPAD_BUTTON_LEFT},   {"right", WPAD_BUTTON_RIGHT}, {"up", WPAD_BUTTON_UP},
    {"down", WPAD_BUTTON_DOWN},   {"a", WPAD_BUTTON_A},         {"b", WPAD_BUTTON_B},
    {"1", WPAD_BUTTON_1},         {"2", WPAD_BUTTON_2},         {"plus", WPAD_BUTTON_PLUS},
    {"minus", WPAD_BUTTON_MINUS}, {"home", WPAD_BUTTON_HOME},   {"c", WPAD_BUTTON_C},
    {"z", WPAD_BUTTON_Z},
};

constexpr struct {
    const char* name;
    u32 mask;
} kMouseButtons[] = {{"left", HID_MOUSE_LEFT}, {"right", HID_MOUSE_RIGHT}, {"middle", HID_MOUSE_MIDDLE}};

constexpr struct {
    const char* name;
    u8 code;
} kKeys[] = {
    {"space", ' '},
    {"backspace", HID_KEY_BACKSPACE},
    {"tab", HID_KEY_TAB},
    {"enter", HID_KEY_ENTER},
    {"escape", HID_KEY_ESCAPE},
    {"delete", HID_KEY_DELETE},
    {"right", HID_KEY_RIGHT},
    {"left", HID_KEY_LEFT},
    {"home", HID_KEY_HOME},
    {"end", HID_KEY_END},
    {"up", HID_KEY_UP},
    {"down", HID_KEY_DOWN},
};

constexpr struct {
    const char* name;
    u32 mask;
} kModifiers[] = {{"shift", HID_MOD_SHIFT}, {"ctrl", HID_MOD_CTRL}, {"alt", HID_MOD_ALT}};

template <typename T>
bool ParseNumber(const std::string& token, T* out) {
    const char* end = token.data() + token.size();
    auto [last, error] = std::from_chars(token.data(), end, *out);
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(*out))
            return false;
    }
    return error == std::errc{} && last == end;
}

class Parser {
public:
    // Parses one line's tokens into `event`; false with the reason in `why`.
    bool Line(const std::vector<std::string>& t, Event* event, std::string* why) {
        tokens_ = &t;
        why_ = why;
        if (t.size() >= 2 && t[1] == "reset") {
            // The console's reset button belongs to no remote.
            event->command = Command::Reset;
            if (!ParseNumber(t[0], &event->frame))
                return Fail("bad frame '" + t[0] + "'");
            return (t.size() == 3 || Fail("'reset' takes 1 argument")) &&
                   OnOff(t[2], "down", "up", &event->on);
        }
        if (t.size() >= 2 && (t[1] == "mouse" || t[1] == "key")) {
            // The USB keyboard and mouse belong to no remote either.
            if (!ParseNumber(t[0], &event->frame))
                return Fail("bad frame '" + t[0] + "'");
            return t[1] == "mouse" ? MouseLine(t, event) : KeyLine(t, event);
        }
        if (t.size() < 3)
            return Fail("expected 'FRAME REMOTE COMMAND ...'");
        if (!ParseNumber(t[0], &event->frame))
            return Fail("bad frame '" + t[0] + "'");
        if (!ParseNumber(t[1], &event->remote) || event->remote < 0 || event->remote >= WPAD_MAX_CONTROLLERS)
            return Fail("bad remote '" + t[1] + "' (0 to 3)");
        const std::string& c = t[2];
        if (c == "connect" || c == "disconnect") {
            event->command = c == "connect" ? Command::Connect : Command::Disconnect;
            return Count(3);
        }
        if (c == "nunchuk") {
            event->command = Command::Nunchuk;
            return Count(4) && OnOff(t[3], "on", "off", &event->on);
        }
        if (c == "button") {
            event->command = Command::Button;
            return Count(5) && Button(t[3], &event->button) && OnOff(t[4], "down", "up", &event->on);
        }
        if (c == "pointer" && t.size() == 4 && t[3] == "off") {
            event->command = Command::PointerOff;
            return true;
        }
        if (c == "pointer" || c == "stick") {
            event->command = c == "pointer" ? Command::Pointer : Command::Stick;
            return Count(5) && Floats(2, event->value);
        }
        if (c == "acc") {
            event->command = Command::Acc;
            return Count(6) && Floats(3, event->value);
        }
        if (c == "swing") {
            event->command = Command::Swing;
            if (!Count(5))
                return false;
            if (!ParseNumber(t[3], &event->code) || event->code <= 0)
                return Fail("bad swing length '" + t[3] + "'");
            return Floats(1, event->value, 4);
        }
        if (c == "probe" || c == "error") {
            event->command = c == "probe" ? Command::Probe : Command::Error;
            if (!Count(4))
                return false;
            if (!ParseNumber(t[3], &event->code) || event->code < -128 || event->code > 0)
                return Fail("bad code '" + t[3] + "' (-128 to 0)");
            return true;
        }
        return Fail("unknown command '" + c + "'");
    }

private:
    bool MouseLine(const std::vector<std::string>& t, Event* event) {
        if (t.size() == 3 && t[2] == "off") {
            event->command = Command::MouseOff;
            return true;
        }
        for (const auto& button : kMouseButtons) {
            if (t.size() >= 3 && t[2] == button.name) {
                event->command = Command::MouseButton;
                event->button = button.mask;
                return Count(4) && OnOff(t[3], "down", "up", &event->on);
            }
        }
        event->command = Command::MousePointer;
        return (t.size() == 4 || Fail("expected 'mouse X Y', 'mouse off' or 'mouse BUTTON down|up'")) &&
               Floats(2, event->value, 2);
    }
    bool KeyLine(const std::vector<std::string>& t, Event* event) {
        if (t.size() != 4)
            return Fail("expected 'key NAME down|up'");
        if (!OnOff(t[3], "down", "up", &event->on))
            return false;
        for (const auto& modifier : kModifiers) {
            if (t[2] == modifier.name) {
                event->command = Command::Modifier;
                event->button = modifier.mask;
                return true;
            }
        }
        event->command = Command::Key;
        for (const auto& key : kKeys) {
            if (t[2] == key.name) {
                event->code = key.code;
                return true;
            }
        }
        // A printable character stands for itself.
        if (t[2].size() == 1 && t[2][0] > ' ' && t[2][0] < 0x7F) {
            event->code = t[2][0];
            return true;
        }
        return Fail("unknown key '" + t[2] + "'");
    }
    bool Fail(const std::string& why) {
        if (why_->empty())
            *why_ = why;
        return false;
    }
    bool Count(size_t n) {
        return tokens_->size() == n ||
               Fail("'" + (*tokens_)[2] + "' takes " + std::to_string(n - 3) + " arguments");
    }
    bool OnOff(const std::string& token, const char* yes, const char* no, bool* on) {
        *on = token == yes;
        return *on || token == no || Fail("expected '" + std::string(yes) + "' or '" + no + "'");
    }
    bool Button(const std::string& token, u32* mask) {
        for (const auto& button : kButtons) {
            if (token == button.name) {
                *mask = button.mask;
                return true;
            }
        }
        return Fail("unknown button '" + token + "'");
    }
    bool Floats(size_t n, f32* out, size_t first = 3) {
        for (size_t i = 0; i < n; ++i) {
            if (!ParseNumber((*tokens_)[first + i], &out[i]))
                return Fail("bad number '" + (*tokens_)[first + i] + "'");
        }
        return true;
    }

    const std::vector<std::string>* tokens_ = nullptr;
    std::string* why_ = nullptr;
};

bool Parse(const std::string& text, std::vector<Event>* events, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    Parser parser;
    for (u32 number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::vector<std::string> tokens;
        for (std::string word; words >> word;)
            tokens.push_back(word);
        if (tokens.empty())
            continue;
        Event event;
        std::string why;
        if (!parser.Line(tokens, &event, &why)) {
            *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        events->push_back(event);
    }
    std::stable_sort(events->begin(), events->end(),
                     [](const Event& a, const Event& b) { return a.frame < b.frame; });
    return true;
}

class ScriptSource : public console::RemoteSource {
public:
    explicit ScriptSource(std::vector<Event> events) : events_(std::move(events)) {}

    void Sample(u32 retrace, u32, console::Remotes& remotes, console::DeskState& desk) override {
        for (; next_ < events_.size() && events_[next_].frame <= retrace; ++next_)
            Apply(events_[next_]);
        remotes = state_;
        desk = desk_;
        for (size_t i = 0; i < remotes.size(); ++i)
            remotes[i].acc.z += SwingAcc(swings_[i], retrace);
    }

private:
    // A swing adds a half sine of forward acceleration, one step per retrace.
    static f32 SwingAcc(const Swing& swing, u32 retrace) {
        if (retrace < swing.start || retrace - swing.start >= swing.frames)
            return 0.0f;
        const double phase = (double(retrace - swing.start) + 0.5) / double(swing.frames);
        return f32(double(swing.peak) * std::sin(std::numbers::pi * phase));
    }

    void Apply(const Event& e) {
        console::RemoteState& remote = state_[e.remote];
        switch (e.command) {
            case Command::Connect:
                remote.connected = true;
                break;
            case Command::Disconnect:
                remote.connected = false;
                break;
            case Command::Nunchuk:
                remote.nunchuk = e.on;
                break;
            case Command::Button:
                remote.hold = e.on ? remote.hold | e.button : remote.hold & ~e.button;
                break;
            case Command::Pointer:
                remote.pointing = true;
                remote.pos = {e.value[0], e.value[1]};
                break;
            case Command::PointerOff:
                remote.pointing = false;
                break;
            case Command::Acc:
                remote.acc = {e.value[0], e.value[1], e.value[2]};
                break;
            case Command::Stick:
                remote.stick = {e.value[0], e.value[1]};
                break;
            case Command::Swing:
                swings_[e.remote] = {e.frame, u32(e.code), e.value[0]};
                break;
            case Command::Probe:
                remote.probeError = e.code;
                break;
            case Command::Error:
                remote.sampleError = e.code;
                break;
            case Command::Reset:
                HostSetResetButton(e.on);
                break;
            case Command::MousePointer:
                desk_.mouse = desk_.pointing = true;
                desk_.pos = {e.value[0], e.value[1]};
                break;
            case Command::MouseOff:
                desk_.mouse = true;
                desk_.pointing = false;
                break;
            case Command::MouseButton:
                desk_.mouse = true;
                desk_.buttons = e.on ? desk_.buttons | e.button : desk_.buttons & ~e.button;
                break;
            case Command::Key:
                // The key pressed last is the one held; letting it go leaves none.
                desk_.keyboard = true;
                if (e.on)
                    desk_.key = u8(e.code);
                else if (desk_.key == u8(e.code))
                    desk_.key = 0;
                break;
            case Command::Modifier:
                desk_.keyboard = true;
                desk_.modifiers = e.on ? desk_.modifiers | e.button : desk_.modifiers & ~e.button;
                break;
        }
    }

    std::vector<Event> events_;
    size_t next_ = 0;
    console::Remotes state_{};
    console::DeskState desk_{};
    std::array<Swing, WPAD_MAX_CONTROLLERS> swings_{};
};

// Reads and parses the script file; false with a one-line reason naming it.
bool ReadScript(const std::string& path, std::vector<Event>* events, std::string* error) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        *error = "input script '" + path + "' is a folder";
        return false;
    }
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    if (!file) {
        *error = "input script '" + path + "' cannot be read";
        return false;
    }
    if (!Parse(text.str(), events, error)) {
        *error = "input script '" + path + "', " + *error;
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<console::RemoteSource> console::LoadScriptSource(const std::string& path) {
    HostMemoryScope scope;
    std::vector<Event> events;
    std::string error;
    // The program's entry point checks the script first (HostCheckInputScript).
    if (!path.empty() && !ReadScript(path, &events, &error))
        OSPanic(__FILE_NAME__, __LINE__, "%s\n", error.c_str());
    return std::make_unique<ScriptSource>(std::move(events));
}

bool HostCheckInputScript(const std::string& path, std::string* error) {
    HostMemoryScope scope;
    std::vector<Event> events;
    return ReadScript(path, &events, error);
}

bool HostInputSetScript(const std::string& text, std::string* error) {
    HostMemoryScope scope;
    std::vector<Event> events;
    if (!Parse(text, &events, error))
        return false;
    console::RemotesSetSource(std::make_unique<ScriptSource>(std::move(events)));
    return true;
}
