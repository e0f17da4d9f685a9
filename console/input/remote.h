// The four remotes behind WPAD and KPAD: a source says what each remote does at
// a retrace (the input script, or the window's keyboard, mouse and game
// controllers); the sampler turns that into one KPAD sample per channel and
// retrace. Internal to the console.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "console/kpad.h"
#include "console/wpad.h"

namespace console {

struct RemoteState {
    bool connected = false;
    bool nunchuk = false;
    s32 probeError = WPAD_ERR_NONE;   // a forced WPADProbe result
    s32 sampleError = WPAD_ERR_NONE;  // a forced wpad_err of the samples
    u32 hold = 0;
    bool pointing = false;  // the pointer is on the screen
    Vec2 pos{};
    Vec acc{0.0f, 1.0f, 0.0f};
    Vec2 stick{};
};

using Remotes = std::array<RemoteState, WPAD_MAX_CONTROLLERS>;

// The USB keyboard and mouse (HID) as a source has them at a retrace.
struct DeskState {
    bool mouse = false;  // plugged in
    bool pointing = false;
    Vec2 pos{};  // -1..1 as the remotes' pointer
    u32 buttons = 0;
    bool keyboard = false;
    u8 key = 0;
    u32 modifiers = 0;
};

class RemoteSource {
public:
    virtual ~RemoteSource() = default;
    // Updates the remotes and the keyboard and mouse to how they are at the
    // retrace. A read catches up on the retraces up to `now` in order; retraces
    // only grow.
    virtual void Sample(u32 retrace, u32 now, Remotes& remotes, DeskState& desk) = 0;
    virtual void Rumble(s32 /*chan*/, bool /*on*/) {}
};

// What KPAD's per-channel settings do to the samples.
struct SampleSettings {
    bool dpd = true;
    f32 playRadius = 0.0f;
    f32 sensitivity = 1.0f;
};

// remote_sample.cpp: the sample of a remote in the given state, after `previous`.
KPADStatus BuildSample(const RemoteState& state, const KPADStatus& previous, const SampleSettings& settings);
// The sample of a channel before its first retrace.
KPADStatus EmptySample();

// remote.cpp: starts sampling from the source (null: no remote is ever connected), with the
// channels' samples and settings cleared.
void RemotesStart(std::unique_ptr<RemoteSource> source);
// Swaps the source and keeps the samples taken so far.
void RemotesSetSource(std::unique_ptr<RemoteSource> source);
// Takes the samples of every retrace up to now (the last 16 at most).
void RemotesCatchUp();
const RemoteState& RemoteNow(s32 chan);
const DeskState& DeskNow();
// The mouse's motion since the previous call.
Vec2 DeskTakeMotion();
SampleSettings& RemoteSettings(s32 chan);
// Forgets the channels' samples and the accelerometer's smoothing.
void RemotesClearSamples();
// See KPADRead.
s32 RemoteTakeSamples(s32 chan, KPADStatus* buffers, u32 length);
void RemoteRumble(s32 chan, bool on);

// wpad.cpp: the motor log (see console/input/input_control.h) starts empty.
void MotorLogReset();

// input_script.cpp: the script in the file (format: docs/input.md; an empty path:
// no remote is ever connected). A file that cannot be read or parsed is fatal.
std::unique_ptr<RemoteSource> LoadScriptSource(const std::string& path);

// window_source.cpp: the window's keyboard, mouse and game controllers.
std::unique_ptr<RemoteSource> MakeWindowSource();

}  // namespace console
